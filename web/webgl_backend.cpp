#include "web/webgl_backend.h"

#include <GLES3/gl3.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "scene/translate.h"
#include "web/meshes.h"
#include "web/stroke_letters.h"

namespace {

using Mat3 = std::array<float, 9>;  // column-major

// Gouraud shading as the fixed-function pipeline does it, for colour material with ambient and
// diffuse from the current colour: 0.2 (the light model's ambient) + 0.9 max(n . l, 0) of it,
// n the normal times the modelview's inverse transpose, not renormalised (GL_NORMALIZE is off),
// l towards the light at (1, 1, 1) in the eye's frame. Back faces are lit as front ones.
const char* const solid_vertex = R"(#version 300 es
in vec3 position;
in vec3 normal;
uniform mat4 projection;
uniform mat4 modelview;
uniform mat3 normal_matrix;
uniform float scale;
uniform vec4 colour;
uniform bool lit;
out vec4 shade;
void main() {
    gl_Position = projection * (modelview * vec4(scale * position, 1.0));
    if (lit) {
        float d = max(dot(normal_matrix * normal, normalize(vec3(1.0))), 0.0);
        shade = vec4(clamp((0.2 + 0.9 * d) * colour.rgb, 0.0, 1.0), colour.a);
    } else {
        shade = colour;
    }
}
)";
const char* const solid_fragment = R"(#version 300 es
precision highp float;
in vec4 shade;
out vec4 fragment;
void main() { fragment = shade; }
)";

// A line of width pixels from one end to the other, as a quad in the picture's pixels, and its
// stipple as a line of width 1 counts it: pattern bit (fragments along the major axis / factor)
// mod 16 shows it, the first fragment the pixel whose far edge the line crosses first.
const char* const line_vertex = R"(#version 300 es
in vec3 from;
in vec3 to;
in vec2 corner;  // x: 0 at from, 1 at to; y: -1 or +1 across
uniform mat4 projection;
uniform mat4 modelview;
uniform vec2 viewport;
uniform float width;
flat out vec2 start;
flat out vec2 major;
void main() {
    vec4 a = projection * (modelview * vec4(from, 1.0));
    vec4 b = projection * (modelview * vec4(to, 1.0));
    vec2 pa = (a.xy / a.w * 0.5 + 0.5) * viewport, pb = (b.xy / b.w * 0.5 + 0.5) * viewport;
    vec2 d = pb - pa;
    float len = length(d);
    vec2 along = len > 0.0 ? d / len : vec2(1.0, 0.0);
    major = abs(d.x) >= abs(d.y) ? vec2(d.x < 0.0 ? -1.0 : 1.0, 0.0)
                                 : vec2(0.0, d.y < 0.0 ? -1.0 : 1.0);
    start = pa;
    vec4 end = corner.x < 0.5 ? a : b;
    vec2 offset = vec2(-along.y, along.x) * corner.y * width * 0.5;
    // Half a pixel beyond each end, as a rasterised line covers its last pixel.
    offset += along * (corner.x < 0.5 ? -0.5 : 0.5);
    gl_Position = end + vec4(offset / viewport * 2.0 * end.w, 0.0, 0.0);
}
)";
const char* const line_fragment = R"(#version 300 es
precision highp float;
flat in vec2 start;
flat in vec2 major;
uniform vec2 origin;  // the viewport's corner in the canvas
uniform vec4 colour;
uniform int pattern;
uniform int factor;
out vec4 fragment;
void main() {
    float t = dot(gl_FragCoord.xy - origin - start, major) + 0.5;
    int bit = (int(floor(max(t, 0.0))) / factor) & 15;
    if (((pattern >> bit) & 1) == 0) discard;
    fragment = colour;
}
)";

// The driver's log of a shader or a program, to the browser's console (standard error).
void print_log(const std::string& what, GLuint object, bool program) {
    GLint length = 0;
    (program ? glGetProgramiv : glGetShaderiv)(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(size_t(std::max(length, 1)), '\0');
    (program ? glGetProgramInfoLog : glGetShaderInfoLog)(object, length, nullptr, &log[0]);
    std::fprintf(stderr, "%s:\n%s\n", what.c_str(), log.c_str());
}

// 0, and one line in error, when the shader does not compile.
GLuint compile(GLenum kind, const char* source, const std::string& what, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    error = fill(tr("the %s does not compile (its log is on the browser's console)"), {what});
    print_log(what, shader, false);
    glDeleteShader(shader);
    return 0;
}

// A program whose attributes take the locations 0, 1, 2 ... in the order named; 0, and one
// line in error, when it does not build.
GLuint link(const char* name, const char* vertex, const char* fragment,
            std::initializer_list<const char*> attributes, std::string& error) {
    const std::string what = std::string(name) + " shader";
    const GLuint v = compile(GL_VERTEX_SHADER, vertex, what + " (vertex)", error);
    const GLuint f =
        v == 0 ? 0 : compile(GL_FRAGMENT_SHADER, fragment, what + " (fragment)", error);
    if (f == 0) return 0;
    const GLuint program = glCreateProgram();
    glAttachShader(program, v);
    glAttachShader(program, f);
    GLuint location = 0;
    for (const char* a : attributes) glBindAttribLocation(program, location++, a);
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok) return program;
    error = fill(tr("the %s does not link (its log is on the browser's console)"), {what});
    print_log(what, program, true);
    glDeleteProgram(program);
    return 0;
}

GLuint buffer_of(const std::vector<float>& data) {
    GLuint b = 0;
    glGenBuffers(1, &b);
    glBindBuffer(GL_ARRAY_BUFFER, b);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(),
                 GL_STATIC_DRAW);
    return b;
}

GpuMesh upload(Mesh mesh) {
    GpuMesh g;
    g.positions = buffer_of(mesh.positions);
    g.normals = buffer_of(mesh.normals);
    g.mesh = std::move(mesh);
    return g;
}

// --- matrices --------------------------------------------------------------------------------

// A matrix as WebGL takes it.
std::array<float, 16> floats(const Mat4& m) {
    std::array<float, 16> f{};
    for (int k = 0; k < 16; ++k) f[size_t(k)] = float(m.m[k]);
    return f;
}

// The inverse transpose of the upper 3x3, which carries normals into the eye's frame.
Mat3 normal_matrix(const Mat4& m) {
    const double a = m.m[0], b = m.m[4], c = m.m[8], d = m.m[1], e = m.m[5], f = m.m[9], g = m.m[2],
                 h = m.m[6], i = m.m[10];
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    // The cofactors over the determinant: the inverse's transpose, column by column.
    return {
        float((e * i - f * h) / det), float((c * h - b * i) / det), float((b * f - c * e) / det),
        float((f * g - d * i) / det), float((a * i - c * g) / det), float((c * d - a * f) / det),
        float((d * h - e * g) / det), float((b * g - a * h) / det), float((a * e - b * d) / det)};
}

// --- drawing -----------------------------------------------------------------------------------

// An eye's matrices, and the normals' of its model transform, made once a picture.
struct Eye {
    WebGlBackend& gpu;
    std::array<float, 16> projection;
    Mat4 model;
    Mat3 normals;
};

GLint at(GLuint program, const char* name) {
    return glGetUniformLocation(program, name);
}

// The colour the fixed-function light gives a colour under a normal (in the model's frame),
// nm carrying it into the eye's frame.
std::array<float, 4> lit_colour(Rgb c, float alpha, const Mat3& nm, const float n[3]) {
    const float ex = nm[0] * n[0] + nm[3] * n[1] + nm[6] * n[2];
    const float ey = nm[1] * n[0] + nm[4] * n[1] + nm[7] * n[2];
    const float ez = nm[2] * n[0] + nm[5] * n[1] + nm[8] * n[2];
    const float d = std::max((ex + ey + ez) / std::sqrt(3.0f), 0.0f);
    const float k = 0.2f + 0.9f * d;
    return {std::min(k * c.r, 1.0f), std::min(k * c.g, 1.0f), std::min(k * c.b, 1.0f), alpha};
}

void use_solid(const Eye& eye, const Mat4& modelview, const Mat3& nm, float scale, Rgb colour,
               float alpha, bool lit) {
    WebGlBackend& gpu = eye.gpu;
    glUseProgram(gpu.solid);
    glUniformMatrix4fv(at(gpu.solid, "projection"), 1, GL_FALSE, eye.projection.data());
    glUniformMatrix4fv(at(gpu.solid, "modelview"), 1, GL_FALSE, floats(modelview).data());
    glUniformMatrix3fv(at(gpu.solid, "normal_matrix"), 1, GL_FALSE, nm.data());
    glUniform1f(at(gpu.solid, "scale"), scale);
    glUniform4f(at(gpu.solid, "colour"), colour.r, colour.g, colour.b, alpha);
    glUniform1i(at(gpu.solid, "lit"), lit ? 1 : 0);
}

void draw_mesh(const GpuMesh& g) {
    glBindBuffer(GL_ARRAY_BUFFER, g.positions);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, g.normals);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    for (int first : g.mesh.strip_starts)
        glDrawArrays(GL_TRIANGLE_STRIP, first, g.mesh.strip_length);
}

// GLU's cone ends on the normal of its last vertex, which lights the lines drawn next.
void leave_normal_of(WebGlBackend& gpu, const GpuMesh& g) {
    const std::vector<float>& n = g.mesh.normals;
    const size_t last = n.size() - 3;
    gpu.normal[0] = n[last];
    gpu.normal[1] = n[last + 1];
    gpu.normal[2] = n[last + 2];
}

void draw_arrow(const Eye& eye, const Arrow& a) {
    WebGlBackend& gpu = eye.gpu;
    Mat4 orientation{};
    for (int k = 0; k < 16; ++k) orientation.m[k] = a.orientation[k];
    // Shaft and head share their turn, so their normals' matrix.
    const Mat3 nm = normal_matrix(eye.model * orientation);
    const float length = float(a.length);
    if (a.shaft_culled) glEnable(GL_CULL_FACE);
    use_solid(eye, eye.model * translation(a.start.x, a.start.y, a.start.z) * orientation, nm,
              length, a.colour, 1.0f, true);
    draw_mesh(gpu.shaft);
    if (a.shaft_culled && !a.head_culled) glDisable(GL_CULL_FACE);
    use_solid(eye,
              eye.model * translation(a.head_base.x, a.head_base.y, a.head_base.z) * orientation,
              nm, length, a.colour, 1.0f, true);
    draw_mesh(gpu.head);
    if (a.head_culled) glDisable(GL_CULL_FACE);
    leave_normal_of(gpu, gpu.head);
}

// Lines: each segment a quad of two triangles, in one draw.
void draw_lines(const Eye& eye, const Mat4& modelview, const Mat3& nm,
                const std::vector<float>& ends, Rgb colour, float alpha, int pattern,
                bool lit = true) {
    WebGlBackend& gpu = eye.gpu;
    if (ends.empty()) return;
    std::vector<float> from, to, corner;
    for (size_t k = 0; k + 5 < ends.size(); k += 6) {
        const float corners[6][2] = {{0, -1}, {1, -1}, {1, 1}, {0, -1}, {1, 1}, {0, 1}};
        for (const auto& c : corners) {
            from.insert(from.end(), {ends[k], ends[k + 1], ends[k + 2]});
            to.insert(to.end(), {ends[k + 3], ends[k + 4], ends[k + 5]});
            corner.insert(corner.end(), {c[0], c[1]});
        }
    }
    const auto stream = [](GLuint b, GLuint attribute, const std::vector<float>& data, int size) {
        glBindBuffer(GL_ARRAY_BUFFER, b);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(),
                     GL_STREAM_DRAW);
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, size, GL_FLOAT, GL_FALSE, 0, nullptr);
    };
    glUseProgram(gpu.line);
    stream(gpu.line_from, 0, from, 3);
    stream(gpu.line_to, 1, to, 3);
    stream(gpu.line_corner, 2, corner, 2);
    glUniformMatrix4fv(at(gpu.line, "projection"), 1, GL_FALSE, eye.projection.data());
    glUniformMatrix4fv(at(gpu.line, "modelview"), 1, GL_FALSE, floats(modelview).data());
    glUniform2f(at(gpu.line, "viewport"), float(gpu.viewport[2]), float(gpu.viewport[3]));
    glUniform2f(at(gpu.line, "origin"), float(gpu.viewport[0]), float(gpu.viewport[1]));
    glUniform1f(at(gpu.line, "width"), gpu.line_width);
    const std::array<float, 4> c = lit ? lit_colour(colour, alpha, nm, gpu.normal)
                                       : std::array<float, 4>{colour.r, colour.g, colour.b, alpha};
    glUniform4f(at(gpu.line, "colour"), c[0], c[1], c[2], c[3]);
    glUniform1i(at(gpu.line, "pattern"), pattern);
    glUniform1i(at(gpu.line, "factor"), 1);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(from.size() / 3));
    glDisableVertexAttribArray(2);
}

void draw_trace(const Eye& eye, const SphereTrace& trace) {
    WebGlBackend& gpu = eye.gpu;
    const SphereBatch& b = trace.batch;
    if (!b.closed_indices.empty() || !b.open_indices.empty()) {
        use_solid(eye, eye.model, eye.normals, 1.0f, trace.colour, 1.0f, true);
        const auto stream = [](GLuint buffer, GLuint attribute, const std::vector<float>& data) {
            glBindBuffer(GL_ARRAY_BUFFER, buffer);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(float)), data.data(),
                         GL_STREAM_DRAW);
            glEnableVertexAttribArray(attribute);
            glVertexAttribPointer(attribute, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        };
        stream(gpu.batch_positions, 0, b.vertices);
        stream(gpu.batch_normals, 1, b.normals);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.batch_indices);
        const auto triangles = [](const std::vector<unsigned>& indices) {
            if (indices.empty()) return;
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(unsigned)),
                         indices.data(), GL_STREAM_DRAW);
            glDrawElements(GL_TRIANGLES, GLsizei(indices.size()), GL_UNSIGNED_INT, nullptr);
        };
        triangles(b.open_indices);
        glEnable(GL_CULL_FACE);
        triangles(b.closed_indices);
        glDisable(GL_CULL_FACE);
    }
    if (trace.normal_after) {
        gpu.normal[0] = float(trace.normal_after->x);
        gpu.normal[1] = float(trace.normal_after->y);
        gpu.normal[2] = float(trace.normal_after->z);
    }
}

void draw_fields(const Eye& eye, const EyePicture& picture) {
    for (const FieldItem& item : picture.fields) {
        if (const auto* arrow = std::get_if<Arrow>(&item)) {
            draw_arrow(eye, *arrow);
        } else if (const auto* line = std::get_if<DashedLine>(&item)) {
            // Its ends in single precision, as the desktop sends them.
            const std::vector<float> ends = {float(line->from.x), float(line->from.y),
                                             float(line->from.z), float(line->to.x),
                                             float(line->to.y),   float(line->to.z)};
            draw_lines(eye, eye.model, eye.normals, ends, line->colour, 1.0f, dash_pattern);
        } else {
            draw_trace(eye, picture.traces[std::get<TraceRef>(item).index]);
        }
    }
}

void draw_fixed(const Eye& eye, const FixedScene& f) {
    WebGlBackend& gpu = eye.gpu;
    const Mat4 axes = eye.model * translation(f.axes_at[0], f.axes_at[1], f.axes_at[2]);
    const Rgb grey{f.grey[0], f.grey[1], f.grey[2]};
    for (const AxisPiece& p : f.axes) {
        Mat4 mv = axes;
        if (p.moved) mv = mv * translation(p.at[0], p.at[1], p.at[2]);
        if (p.turn_deg != 0.0f)
            mv = mv * rotation(p.turn_deg, p.turn_axis[0], p.turn_axis[1], p.turn_axis[2]);
        use_solid(eye, mv, eye.normals, 1.0f, grey, f.axes_alpha, false);  // unlit
        draw_mesh(p.tip ? gpu.axis_tip : gpu.axis_shaft);
    }
    leave_normal_of(gpu, gpu.axis_tip);
    // The letters: the toolkit's strokes, lit with the normal the tips leave.
    for (const AxisLabel& label : f.labels) {
        const Mat4 mv = axes * translation(label.at[0], label.at[1], label.at[2]) *
                        rotation(-90.0, 1, 0, 0) * rotation(label.turn_about_z, 0, 0, 1) *
                        scaling(label.scale);
        const std::vector<std::vector<float>>& strips = label.letter == 'x'   ? stroke_x
                                                        : label.letter == 'y' ? stroke_y
                                                                              : stroke_z;
        std::vector<float> ends;
        for (const std::vector<float>& s : strips) {
            for (size_t k = 0; k + 3 < s.size(); k += 2) {
                ends.insert(ends.end(), {s[k], s[k + 1], 0.0f, s[k + 2], s[k + 3], 0.0f});
            }
        }
        draw_lines(eye, mv, normal_matrix(mv), ends, grey, 1.0f, 0xFFFF, f.labels_lit);
    }
    // The translucent planes, lit with their own normal.
    use_solid(eye, eye.model, eye.normals, 1.0f, grey, f.plane_alpha, true);
    std::vector<float> corners;
    for (const PlaneQuad& q : f.planes) {
        for (int k : {0, 1, 2, 0, 2, 3})
            corners.insert(corners.end(), {q.v[k][0], q.v[k][1], q.v[k][2]});
    }
    glBindBuffer(GL_ARRAY_BUFFER, gpu.batch_positions);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(corners.size() * sizeof(float)), corners.data(),
                 GL_STREAM_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDisableVertexAttribArray(1);
    glVertexAttrib3f(1, f.plane_normal[0], f.plane_normal[1], f.plane_normal[2]);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(corners.size() / 3));
    gpu.normal[0] = f.plane_normal[0];
    gpu.normal[1] = f.plane_normal[1];
    gpu.normal[2] = f.plane_normal[2];
}

}  // namespace

std::string start_webgl_backend(WebGlBackend& gpu) {
    std::string error;
    gpu.solid = link("solid", solid_vertex, solid_fragment, {"position", "normal"}, error);
    if (gpu.solid == 0) return error;
    gpu.line = link("line", line_vertex, line_fragment, {"from", "to", "corner"}, error);
    if (gpu.line == 0) return error;
    glGenVertexArrays(1, &gpu.vao);
    glBindVertexArray(gpu.vao);
    gpu.shaft = upload(glu_cylinder(arrow_shaft_radius, arrow_shaft_radius, arrow_shaft_length,
                                    arrow_slices, arrow_stacks));
    gpu.head =
        upload(glu_cylinder(arrow_head_radius, 0.0, arrow_head_length, arrow_slices, arrow_stacks));
    gpu.axis_shaft = upload(glu_cylinder(axis_shaft_radius, axis_shaft_radius, axis_shaft_length,
                                         axis_slices, axis_stacks));
    gpu.axis_tip = upload(solid_cone(axis_tip_radius, axis_tip_length, axis_slices, axis_stacks));
    GLuint buffers[6];
    glGenBuffers(6, buffers);
    gpu.batch_positions = buffers[0];
    gpu.batch_normals = buffers[1];
    gpu.batch_indices = buffers[2];
    gpu.line_from = buffers[3];
    gpu.line_to = buffers[4];
    gpu.line_corner = buffers[5];
    return "";
}

void draw_webgl_frame(WebGlBackend& gpu, const FrameDescription& frame) {
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(frame.background.r, frame.background.g, frame.background.b, 1.0f);
    glClearDepthf(1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gpu.normal[0] = frame.fixed.plane_normal[0];
    gpu.normal[1] = frame.fixed.plane_normal[1];
    gpu.normal[2] = frame.fixed.plane_normal[2];
    gpu.line_width = frame.line_width;
    for (const EyePicture& picture : frame.eyes) {
        const EyePass& pass = picture.pass;
        if (pass.clear_depth) glClear(GL_DEPTH_BUFFER_BIT);
        glColorMask(pass.red, pass.green, pass.blue, GL_TRUE);
        glViewport(pass.x, pass.y, pass.width, pass.height);
        gpu.viewport[0] = pass.x;
        gpu.viewport[1] = pass.y;
        gpu.viewport[2] = pass.width;
        gpu.viewport[3] = pass.height;
        const Eye eye{gpu, floats(picture.projection), picture.model, normal_matrix(picture.model)};
        draw_fields(eye, picture);
        draw_fixed(eye, frame.fixed);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
}

RgbImage read_webgl_picture(int32_t width, int32_t height) {
    // RGBA with the default alignment: the one pair every WebGL2 context reads.
    const size_t row = size_t(width) * 4;
    std::vector<unsigned char> rgba(row * size_t(height));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    RgbImage image{width, height, std::vector<unsigned char>(size_t(width) * size_t(height) * 3)};
    for (int32_t y = 0; y < height; ++y) {
        const unsigned char* from = &rgba[size_t(height - 1 - y) * row];
        unsigned char* to = &image.rgb[size_t(y) * size_t(width) * 3];
        for (int32_t x = 0; x < width; ++x) std::copy_n(from + 4 * x, 3, to + 3 * x);
    }
    return image;
}
