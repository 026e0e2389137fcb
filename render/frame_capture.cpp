#include "render/frame_capture.h"

#include <GL/freeglut.h>

#include <algorithm>

#ifndef APIENTRY
#define APIENTRY
#endif

namespace {

// Framebuffer objects (OpenGL 3.0, ARB_framebuffer_object), looked up by name: Windows'
// OpenGL library exports only OpenGL 1.1.
constexpr GLenum framebuffer = 0x8D40, renderbuffer = 0x8D41, colour_attachment = 0x8CE0,
                 depth_attachment = 0x8D00, framebuffer_complete = 0x8CD5, depth24 = 0x81A6;
using GenNames = void(APIENTRY*)(GLsizei, GLuint*);
using DeleteNames = void(APIENTRY*)(GLsizei, const GLuint*);
using BindName = void(APIENTRY*)(GLenum, GLuint);
using Storage = void(APIENTRY*)(GLenum, GLenum, GLsizei, GLsizei);
using Attach = void(APIENTRY*)(GLenum, GLenum, GLenum, GLuint);
using Status = GLenum(APIENTRY*)(GLenum);

struct FramebufferCalls {
    GenNames gen_framebuffers, gen_renderbuffers;
    DeleteNames delete_framebuffers, delete_renderbuffers;
    BindName bind_framebuffer, bind_renderbuffer;
    Storage renderbuffer_storage;
    Attach framebuffer_renderbuffer;
    Status check_status;
};

template <typename T>
T lookup(const char* name) {
    return reinterpret_cast<T>(glutGetProcAddress(name));
}

const FramebufferCalls* framebuffer_calls() {
    static const FramebufferCalls calls{
        lookup<GenNames>("glGenFramebuffers"),       lookup<GenNames>("glGenRenderbuffers"),
        lookup<DeleteNames>("glDeleteFramebuffers"), lookup<DeleteNames>("glDeleteRenderbuffers"),
        lookup<BindName>("glBindFramebuffer"),       lookup<BindName>("glBindRenderbuffer"),
        lookup<Storage>("glRenderbufferStorage"),    lookup<Attach>("glFramebufferRenderbuffer"),
        lookup<Status>("glCheckFramebufferStatus")};
    const bool all =
        calls.gen_framebuffers && calls.gen_renderbuffers && calls.delete_framebuffers &&
        calls.delete_renderbuffers && calls.bind_framebuffer && calls.bind_renderbuffer &&
        calls.renderbuffer_storage && calls.framebuffer_renderbuffer && calls.check_status;
    return all ? &calls : nullptr;
}

// The off-screen target, kept from picture to picture while the size stays.
bool bind_target(const FramebufferCalls& gl, OffscreenTarget& target, int32_t width,
                 int32_t height) {
    if (target.framebuffer != 0 && (target.width != width || target.height != height)) {
        gl.delete_framebuffers(1, &target.framebuffer);
        gl.delete_renderbuffers(2, target.buffers);
        target = OffscreenTarget{};
    }
    if (target.framebuffer == 0) {
        gl.gen_framebuffers(1, &target.framebuffer);
        gl.gen_renderbuffers(2, target.buffers);
        gl.bind_framebuffer(framebuffer, target.framebuffer);
        gl.bind_renderbuffer(renderbuffer, target.buffers[0]);
        gl.renderbuffer_storage(renderbuffer, GL_RGBA8, width, height);
        gl.framebuffer_renderbuffer(framebuffer, colour_attachment, renderbuffer,
                                    target.buffers[0]);
        gl.bind_renderbuffer(renderbuffer, target.buffers[1]);
        gl.renderbuffer_storage(renderbuffer, depth24, width, height);
        gl.framebuffer_renderbuffer(framebuffer, depth_attachment, renderbuffer, target.buffers[1]);
        gl.bind_renderbuffer(renderbuffer, 0);
        target.width = width;
        target.height = height;
    }
    gl.bind_framebuffer(framebuffer, target.framebuffer);
    return gl.check_status(framebuffer) == framebuffer_complete;
}

}  // namespace

RgbImage read_pixels(int32_t x, int32_t y, int32_t width, int32_t height) {
    RgbImage image{width, height, std::vector<unsigned char>(size_t(width) * size_t(height) * 3)};
    std::vector<unsigned char> bottom_up(image.rgb.size());
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    glPopClientAttrib();
    const size_t row = size_t(width) * 3;
    for (int32_t r = 0; r < height; ++r) {
        std::copy_n(&bottom_up[size_t(height - 1 - r) * row], row, &image.rgb[size_t(r) * row]);
    }
    return image;
}

RgbImage draw_picture(GlBackend& backend, const FrameDescription& frame, int32_t width,
                      int32_t height) {
    const FramebufferCalls* gl = framebuffer_calls();
    if (gl == nullptr || width <= 0 || height <= 0) return {};
    RgbImage image;
    if (bind_target(*gl, backend.target, width, height)) {
        draw_frame(backend, frame, false);
        image = read_pixels(0, 0, width, height);
    }
    gl->bind_framebuffer(framebuffer, 0);
    return image;
}
