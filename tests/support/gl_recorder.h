// A stand-in for OpenGL, GLU and GLUT that records every call the drawing and the callbacks
// make, and keeps the little state that tests assert on: matrix and attribute stack depths,
// the enable flags, live quadrics, the current colour, redisplay requests and timers.
#pragma once

#include <GL/freeglut.h>

#include <map>
#include <string>
#include <vector>

struct GlCall {
    std::string name;
    std::vector<double> args;
    std::vector<float> vertices;        // glDrawElements: the vertex array, x, y, z per vertex;
                                        // glDrawArrays: the vertices drawn
    const void* pointer = nullptr;      // a font or a quadric
    std::vector<unsigned char> pixels;  // glDrawPixels: the RGBA bytes, rows bottom up
};

struct GlRecorderState {
    GLenum matrix_mode = GL_MODELVIEW;
    int modelview_depth = 0;
    int projection_depth = 0;
    int attrib_depth = 0;
    int lowest_depth = 0;  // below zero when a pop had nothing to pop
    std::map<GLenum, bool> enabled;
    float line_width = 1.0f;
    // What glPushAttrib saved: everything it may restore, whatever its mask asked for.
    struct Saved {
        GLbitfield mask;
        std::map<GLenum, bool> enabled;
        GLenum matrix_mode;
        float colour[4];
        float line_width;
    };
    std::vector<Saved> attrib_stack;
    int quadrics_alive = 0;
    int redisplay_requests = 0;
    int begin_depth = 0;
    bool non_finite_argument = false;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    int modifiers = 0;                      // what glutGetModifiers answers
    void (*timer_callback)(int) = nullptr;  // the last one armed
    int current_window = 1;                 // what glutGetWindow answers; 0 once closed
    bool keep_calls = true;  // false: only the state is kept, for long randomised runs
    std::map<GLenum, bool> client_arrays;
    const GLfloat* vertex_pointer = nullptr;
    GLint vertex_size = 3;  // coordinates per vertex
    const GLfloat* normal_pointer = nullptr;
    std::string window_title;            // the last glutSetWindowTitle
    bool framebuffers_complete = false;  // whether framebuffer objects can be drawn into
};

namespace gl_recorder {

std::vector<GlCall>& calls();
GlRecorderState& state();

// Forgets the calls and the per-frame state; live quadrics and the modifiers stay.
void clear();

// The calls of one name, in order.
std::vector<GlCall> named(const std::string& name);
size_t count(const std::string& name);

}  // namespace gl_recorder
