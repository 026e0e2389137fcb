// The page's shell and WebGL2 backend run natively on OpenGL ES 3 (EGL without a surface,
// into a framebuffer object the size of the canvas), so that the backend's picture can be held
// against the desktop program's snapshot of the same frame.
//
//   webgl_native OUT.png WIDTH HEIGHT [NAME=VALUE ...]   the URL parameters; status 0 when drawn
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GLES3/gl3.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/picture_files.h"
#include "web/webgl_backend.h"

extern "C" {
const char* pw_reset();
const char* pw_parameter(const char* name, const char* value);
const char* pw_start();
void pw_resize(int width, int height, int full);
void pw_draw();
}

namespace {

int canvas_width = 0, canvas_height = 0;
EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;

}  // namespace

void emscripten_webgl_init_context_attributes(EmscriptenWebGLContextAttributes* a) {
    *a = EmscriptenWebGLContextAttributes{};
}

// A context of OpenGL ES 3.0 drawing into a framebuffer of RGBA8 and 24-bit depth, as the
// page's canvas without antialiasing.
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE emscripten_webgl_create_context(
    const char*, const EmscriptenWebGLContextAttributes* a) {
    if (a->majorVersion != 2 || a->antialias || !a->depth) return 0;
    display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return 0;
    eglBindAPI(EGL_OPENGL_ES_API);
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0,
                                 EGL_NONE};
    context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    return context == EGL_NO_CONTEXT ? 0 : 1;
}

int emscripten_webgl_make_context_current(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE) {
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) return -1;
    GLuint framebuffer = 0, buffers[2] = {0, 0};
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(2, buffers);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, canvas_width, canvas_height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, canvas_width, canvas_height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE ? 0 : -1;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: webgl_native OUT.png WIDTH HEIGHT [NAME=VALUE ...]\n");
        return 2;
    }
    canvas_width = std::atoi(argv[2]);
    canvas_height = std::atoi(argv[3]);
    pw_reset();
    for (int k = 4; k < argc; ++k) {
        const std::string p = argv[k];
        const size_t equals = p.find('=');
        const std::string error = pw_parameter(p.substr(0, equals).c_str(),
                                               equals == p.npos ? "" : p.c_str() + equals + 1);
        if (!error.empty()) {
            std::fprintf(stderr, "webgl_native: %s\n", error.c_str());
            return 2;
        }
    }
    pw_resize(canvas_width, canvas_height, 0);
    if (const std::string unable = pw_start(); !unable.empty()) {
        std::fprintf(stderr, "webgl_native: %s\n", unable.c_str());
        return 1;
    }
    pw_draw();
    // Read back as the page reads its recordings.
    const std::string error =
        write_png(argv[1], read_webgl_picture(canvas_width, canvas_height), true);
    if (!error.empty()) std::fprintf(stderr, "webgl_native: %s\n", error.c_str());
    return error.empty() ? 0 : 1;
}
