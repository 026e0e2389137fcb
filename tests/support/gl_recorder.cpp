#include "tests/support/gl_recorder.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "platform/offscreen_context.h"
#include "platform/window_title.h"

namespace gl_recorder {

std::vector<GlCall>& calls() {
    static std::vector<GlCall> recorded;
    return recorded;
}

GlRecorderState& state() {
    static GlRecorderState s;
    return s;
}

void clear() {
    calls().clear();
    GlRecorderState& s = state();
    const int quadrics_alive = s.quadrics_alive;
    const int modifiers = s.modifiers;
    const std::map<GLenum, bool> enabled = s.enabled;
    const bool keep_calls = s.keep_calls;
    s = GlRecorderState{};
    s.keep_calls = keep_calls;
    s.quadrics_alive = quadrics_alive;
    s.modifiers = modifiers;
    s.enabled = enabled;
}

std::vector<GlCall> named(const std::string& name) {
    std::vector<GlCall> out;
    for (const GlCall& c : calls()) {
        if (c.name == name) out.push_back(c);
    }
    return out;
}

size_t count(const std::string& name) {
    size_t n = 0;
    for (const GlCall& c : calls()) n += c.name == name ? 1 : 0;
    return n;
}

}  // namespace gl_recorder

namespace {

void record(const char* name, std::initializer_list<double> args, const void* pointer = nullptr) {
    GlRecorderState& s = gl_recorder::state();
    for (double a : args) {
        if (!std::isfinite(a)) s.non_finite_argument = true;
    }
    if (s.keep_calls)
        gl_recorder::calls().push_back(GlCall{name, std::vector<double>(args), {}, pointer, {}});
}

int& current_depth() {
    GlRecorderState& s = gl_recorder::state();
    return s.matrix_mode == GL_PROJECTION ? s.projection_depth : s.modelview_depth;
}

void note_depth(int depth) {
    GlRecorderState& s = gl_recorder::state();
    if (depth < s.lowest_depth) s.lowest_depth = depth;
}

void set_colour(float r, float g, float b, float a) {
    float* c = gl_recorder::state().colour;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
}

int quadric_token;  // every quadric handed out points here

}  // namespace

// Stroke fonts: only their addresses matter.
void* glutStrokeRoman = nullptr;
void* glutStrokeMonoRoman = nullptr;

// --- OpenGL ---------------------------------------------------------------------------------

void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glClearColor", {r, g, b, a});
}
void glClearDepth(GLclampd d) { record("glClearDepth", {d}); }
void glShadeModel(GLenum mode) { record("glShadeModel", {double(mode)}); }
void glColorMaterial(GLenum face, GLenum mode) {
    record("glColorMaterial", {double(face), double(mode)});
}
void glLightfv(GLenum light, GLenum name, const GLfloat* p) {
    record("glLightfv", {double(light), double(name), p[0], p[1], p[2], p[3]});
}
void glHint(GLenum target, GLenum mode) { record("glHint", {double(target), double(mode)}); }
void glBlendFunc(GLenum s, GLenum d) { record("glBlendFunc", {double(s), double(d)}); }
void glLineWidth(GLfloat w) {
    record("glLineWidth", {w});
    gl_recorder::state().line_width = w;
}
void glLineStipple(GLint factor, GLushort pattern) {
    record("glLineStipple", {double(factor), double(pattern)});
}
void glEnable(GLenum cap) {
    record("glEnable", {double(cap)});
    gl_recorder::state().enabled[cap] = true;
}
void glDisable(GLenum cap) {
    record("glDisable", {double(cap)});
    gl_recorder::state().enabled[cap] = false;
}
void glPushAttrib(GLbitfield mask) {
    record("glPushAttrib", {double(mask)});
    GlRecorderState& s = gl_recorder::state();
    ++s.attrib_depth;
    s.attrib_stack.push_back({mask,
                              s.enabled,
                              s.matrix_mode,
                              {s.colour[0], s.colour[1], s.colour[2], s.colour[3]},
                              s.line_width});
}
// Restores what the pushed mask covers, as OpenGL does.
void glPopAttrib() {
    record("glPopAttrib", {});
    GlRecorderState& s = gl_recorder::state();
    --s.attrib_depth;
    note_depth(s.attrib_depth);
    if (s.attrib_stack.empty()) return;
    const GlRecorderState::Saved saved = s.attrib_stack.back();
    s.attrib_stack.pop_back();
    if (saved.mask & GL_ENABLE_BIT) s.enabled = saved.enabled;
    if (saved.mask & GL_TRANSFORM_BIT) s.matrix_mode = saved.matrix_mode;
    if (saved.mask & GL_CURRENT_BIT) std::copy(saved.colour, saved.colour + 4, s.colour);
    if (saved.mask & GL_LINE_BIT) s.line_width = saved.line_width;
}
void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a) {
    record("glColorMask", {double(r), double(g), double(b), double(a)});
}
void glClear(GLbitfield mask) { record("glClear", {double(mask)}); }
void glFlush() { record("glFlush", {}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    record("glViewport", {double(x), double(y), double(w), double(h)});
}
void glMatrixMode(GLenum mode) {
    record("glMatrixMode", {double(mode)});
    gl_recorder::state().matrix_mode = mode;
}
void glLoadIdentity() { record("glLoadIdentity", {}); }
void glPushMatrix() {
    record("glPushMatrix", {});
    ++current_depth();
}
void glPopMatrix() {
    record("glPopMatrix", {});
    note_depth(--current_depth());
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { record("glTranslatef", {x, y, z}); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) { record("glTranslated", {x, y, z}); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { record("glRotatef", {a, x, y, z}); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { record("glScalef", {x, y, z}); }
void glMultMatrixd(const GLdouble* m) {
    record("glMultMatrixd", {m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10],
                             m[11], m[12], m[13], m[14], m[15]});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {r, g, b});
    set_colour(r, g, b, 1.0f);
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glColor4f", {r, g, b, a});
    set_colour(r, g, b, a);
}
void glBegin(GLenum mode) {
    record("glBegin", {double(mode)});
    ++gl_recorder::state().begin_depth;
}
void glEnd() {
    record("glEnd", {});
    --gl_recorder::state().begin_depth;
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { record("glVertex3f", {x, y, z}); }
void glNormal3fv(const GLfloat* n) { record("glNormal3fv", {n[0], n[1], n[2]}); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { record("glNormal3f", {x, y, z}); }

void glEnableClientState(GLenum array) {
    record("glEnableClientState", {double(array)});
    gl_recorder::state().client_arrays[array] = true;
}
void glDisableClientState(GLenum array) {
    record("glDisableClientState", {double(array)});
    gl_recorder::state().client_arrays[array] = false;
}
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* pointer) {
    record("glVertexPointer", {double(size), double(type), double(stride)});
    gl_recorder::state().vertex_pointer = static_cast<const GLfloat*>(pointer);
    gl_recorder::state().vertex_size = size;
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    GlRecorderState& s = gl_recorder::state();
    const size_t begin = size_t(first) * size_t(s.vertex_size);
    const size_t end = begin + size_t(count) * size_t(s.vertex_size);
    for (size_t k = begin; k < end; ++k) {
        if (!std::isfinite(s.vertex_pointer[k])) s.non_finite_argument = true;
    }
    record("glDrawArrays", {double(mode), double(first), double(count)});
    if (s.keep_calls) {
        gl_recorder::calls().back().vertices.assign(s.vertex_pointer + begin,
                                                    s.vertex_pointer + end);
    }
}
void glPushClientAttrib(GLbitfield mask) { record("glPushClientAttrib", {double(mask)}); }
// Puts back the client arrays as they were: every test begins with them off.
void glPopClientAttrib() {
    record("glPopClientAttrib", {});
    for (auto& [array, on] : gl_recorder::state().client_arrays) on = false;
}

void glGenTextures(GLsizei n, GLuint* names) {
    record("glGenTextures", {double(n)});
    static GLuint next = 1;
    for (GLsizei k = 0; k < n; ++k) names[k] = next++;
}
void glBindTexture(GLenum target, GLuint name) {
    record("glBindTexture", {double(target), double(name)});
}
void glTexParameteri(GLenum target, GLenum name, GLint value) {
    record("glTexParameteri", {double(target), double(name), double(value)});
}
void glTexEnvi(GLenum target, GLenum name, GLint value) {
    record("glTexEnvi", {double(target), double(name), double(value)});
}
void glCopyTexImage2D(GLenum target, GLint level, GLenum format, GLint x, GLint y, GLsizei w,
                      GLsizei h, GLint border) {
    record("glCopyTexImage2D", {double(target), double(level), double(format), double(x), double(y),
                                double(w), double(h), double(border)});
}
void glTexCoord2f(GLfloat s, GLfloat t) { record("glTexCoord2f", {s, t}); }
void glVertex2i(GLint x, GLint y) { record("glVertex2i", {double(x), double(y)}); }
void glRecti(GLint x1, GLint y1, GLint x2, GLint y2) {
    record("glRecti", {double(x1), double(y1), double(x2), double(y2)});
}

void glPixelStorei(GLenum name, GLint value) {
    record("glPixelStorei", {double(name), double(value)});
}
// Reads back the background's grey.
void glReadPixels(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type,
                  GLvoid* pixels) {
    record("glReadPixels",
           {double(x), double(y), double(w), double(h), double(format), double(type)});
    // Each row's bytes its row number from the bottom, so that a reader's flip shows.
    const size_t channels = format == GL_RGBA ? 4 : 3;
    const size_t row = size_t(w) * channels;
    for (GLsizei r = 0; r < h; ++r) {
        std::memset(static_cast<unsigned char*>(pixels) + size_t(r) * row, (y + r) & 255, row);
    }
}
// Keeps the RGB or RGBA bytes uploaded.
void glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border,
                  GLenum format, GLenum type, const GLvoid* pixels) {
    record("glTexImage2D", {double(target), double(level), double(internal), double(w), double(h),
                            double(border), double(format), double(type)});
    if (pixels != nullptr && type == GL_UNSIGNED_BYTE && gl_recorder::state().keep_calls) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        gl_recorder::calls().back().pixels.assign(
            bytes, bytes + size_t(w) * size_t(h) * (format == GL_RGBA ? 4 : 3));
    }
}

void glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h,
                     GLenum format, GLenum type, const GLvoid* pixels) {
    record("glTexSubImage2D", {double(target), double(level), double(x), double(y), double(w),
                               double(h), double(format), double(type)});
    if (format == GL_RGBA && type == GL_UNSIGNED_BYTE && gl_recorder::state().keep_calls) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        gl_recorder::calls().back().pixels.assign(bytes, bytes + size_t(w) * size_t(h) * 4);
    }
}

void glRasterPos2f(GLfloat x, GLfloat y) { record("glRasterPos2f", {x, y}); }
// Keeps the RGBA bytes drawn.
void glDrawPixels(GLsizei w, GLsizei h, GLenum format, GLenum type, const GLvoid* pixels) {
    record("glDrawPixels", {double(w), double(h), double(format), double(type)});
    if (format == GL_RGBA && type == GL_UNSIGNED_BYTE && gl_recorder::state().keep_calls) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        gl_recorder::calls().back().pixels.assign(bytes, bytes + size_t(w) * size_t(h) * 4);
    }
}

void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* pointer) {
    record("glNormalPointer", {double(type), double(stride)});
    gl_recorder::state().normal_pointer = static_cast<const GLfloat*>(pointer);
}
// Reads every vertex the indices name, as OpenGL would: a bad index or a non-finite vertex
// shows here (and out-of-range reads under AddressSanitizer).
void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices) {
    GlRecorderState& s = gl_recorder::state();
    const GLuint* index = static_cast<const GLuint*>(indices);
    GLuint highest = 0;
    for (GLsizei k = 0; k < count; ++k) highest = std::max(highest, index[k]);
    const size_t floats = count > 0 && s.vertex_pointer != nullptr ? 3 * (size_t(highest) + 1) : 0;
    // A float is not finite when its exponent bits are all ones; integer tests keep this quick.
    uint32_t non_finite = 0;
    for (size_t k = 0; k < floats; ++k) {
        uint32_t v, n;
        std::memcpy(&v, &s.vertex_pointer[k], 4);
        std::memcpy(&n, &s.normal_pointer[k], 4);
        non_finite |= ((v & 0x7f800000u) == 0x7f800000u) | ((n & 0x7f800000u) == 0x7f800000u);
    }
    if (non_finite != 0) s.non_finite_argument = true;
    record("glDrawElements", {double(mode), double(count), double(type)});
    if (s.keep_calls) {
        gl_recorder::calls().back().vertices.assign(s.vertex_pointer, s.vertex_pointer + floats);
    }
}

// --- GLU ------------------------------------------------------------------------------------

GLUquadric* gluNewQuadric() {
    record("gluNewQuadric", {});
    ++gl_recorder::state().quadrics_alive;
    return reinterpret_cast<GLUquadric*>(&quadric_token);
}
void gluDeleteQuadric(GLUquadric* q) {
    record("gluDeleteQuadric", {}, q);
    --gl_recorder::state().quadrics_alive;
}
void gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices,
                 GLint stacks) {
    record("gluCylinder", {base, top, height, double(slices), double(stacks)}, q);
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble z_near, GLdouble z_far) {
    record("gluPerspective", {fovy, aspect, z_near, z_far});
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
               GLdouble ux, GLdouble uy, GLdouble uz) {
    record("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
}

// --- GLUT -----------------------------------------------------------------------------------

void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    record("glutSolidCone", {base, height, double(slices), double(stacks)});
}
void glutStrokeCharacter(void* font, int character) {
    record("glutStrokeCharacter", {double(character)}, font);
}
void glutPostRedisplay() {
    record("glutPostRedisplay", {});
    ++gl_recorder::state().redisplay_requests;
}
void glutTimerFunc(unsigned int ms, void (*callback)(int), int value) {
    record("glutTimerFunc", {double(ms), double(value)});
    gl_recorder::state().timer_callback = callback;
}
int glutGetWindow() { return gl_recorder::state().current_window; }
int glutGetModifiers() { return gl_recorder::state().modifiers; }
void glutSwapBuffers() { record("glutSwapBuffers", {}); }
void glutInitWarningFunc(void (*)(const char*, va_list)) {}
void glutInit(int* /*argc*/, char** /*argv*/) { record("glutInit", {}); }
// Framebuffer objects, complete only when a test asks: names counted up, the renderbuffers'
// storage and the deletions recorded.
namespace framebuffers {
GLuint last_name = 0;
void gen(GLsizei n, GLuint* names) {
    for (GLsizei k = 0; k < n; ++k) names[k] = ++last_name;
}
void forget(GLsizei n, const GLuint*) { record("glDelete", {double(n)}); }
void bind(GLenum target, GLuint name) {
    record("glBindFramebuffer", {double(target), double(name)});
}
void storage(GLenum, GLenum format, GLsizei w, GLsizei h) {
    record("glRenderbufferStorage", {double(format), double(w), double(h)});
}
void bind_renderbuffer(GLenum, GLuint) {}
void attach(GLenum, GLenum, GLenum, GLuint) {}
GLenum status(GLenum) {
    return gl_recorder::state().framebuffers_complete ? GL_FRAMEBUFFER_COMPLETE : 0;
}
}  // namespace framebuffers
GLUTproc glutGetProcAddress(const char* name) {
    using namespace framebuffers;
    const std::map<std::string, GLUTproc> calls = {
        {"glGenFramebuffers", GLUTproc(gen)},
        {"glGenRenderbuffers", GLUTproc(gen)},
        {"glDeleteFramebuffers", GLUTproc(forget)},
        {"glDeleteRenderbuffers", GLUTproc(forget)},
        {"glBindFramebuffer", GLUTproc(bind)},
        {"glBindRenderbuffer", GLUTproc(bind_renderbuffer)},
        {"glRenderbufferStorage", GLUTproc(storage)},
        {"glFramebufferRenderbuffer", GLUTproc(attach)},
        {"glCheckFramebufferStatus", GLUTproc(status)}};
    const auto found = calls.find(name);
    return found == calls.end() ? nullptr : found->second;
}
// No display in the tests: pictures off the screen are for the real program.
bool open_offscreen_context(const char* /*display_name*/, std::string& error) {
    error = "no display in the tests";
    return false;
}
// The program's own title setter, which goes to the X window beside the toolkit.
void set_window_title(const char* title) {
    record("set_window_title", {});
    gl_recorder::state().window_title = title;
}

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
    record("glOrtho", {l, r, b, t, n, f});
}
