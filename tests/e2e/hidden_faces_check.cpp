// Leaving out what cannot show must not change the picture. On a real X display with real
// OpenGL, draws stereo frames of several scenarios and views twice, once as the program draws
// them and once as a reference that shares none of the program's drawing code: every trace
// sphere its own gluSphere, every arrow its two plain gluCylinder calls, face culling off. The
// two share only the positions, which come from the pure geometry functions.
//
// Some of the views put the near clipping plane through the centre of a trace sphere, where
// the program must draw the sphere's inside as the plain GLU sphere shows it.
//
// The pictures may differ slightly and in few places: the batched spheres are rounded to float
// in scene coordinates and GLU's in its own, and where a tube's front and back faces meet
// edge-on at its outline, rounding can put the back face a hair in front. A face that the
// program wrongly leaves out shows the background or another solid through the gap, tens of
// levels away, in hundreds of pixels or more.
//
//   hidden_faces_check      prints one line per case and "N passed, M failed"
#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "core/session.h"
#include "scene/field_geometry.h"
#include "tests/support/fresh_session.h"

namespace {

constexpr int width = 1280, height = 640;
// Pixels that differ by more than tolerated_levels count as differing; at most
// max_differing_pixels of them per stereo frame, of 819,200.
constexpr int tolerated_levels = 12;  // per colour channel, of 255
constexpr size_t max_differing_pixels = 40;

// --- the reference drawing ----------------------------------------------------------------

GLUquadric* quadric() {
    static GLUquadric* const q = gluNewQuadric();
    return q;
}

void colour(Rgb c) { glColor3f(c.r, c.g, c.b); }

void dashed_line(Vec3 a, Vec3 b, Rgb c) {
    if (!is_finite(a) || !is_finite(b)) return;
    colour(c);
    glPushAttrib(GL_ENABLE_BIT);
    glLineStipple(1, 0x5555);
    glEnable(GL_LINE_STIPPLE);
    glBegin(GL_LINES);
    glVertex3f(float(a.x), float(a.y), float(a.z));
    glVertex3f(float(b.x), float(b.y), float(b.z));
    glEnd();
    glPopAttrib();
}

// The arrow glyph: shaft and cone along d, turned by the frame side = up x d, third = d x side.
void arrow(Vec3 a, Vec3 b) {
    if (!is_finite(a) || !is_finite(b)) return;
    const Vec3 v = b - a;
    const double len = std::sqrt(dot(v, v));
    const Vec3 d = len < 0.0001 ? Vec3{0, 0, 1} : (1.0 / len) * v;
    const double m = std::hypot(d.z, d.x);
    const Vec3 s = m < 0.0001 ? Vec3{1, 0, 0} : Vec3{d.z / m, 0, -d.x / m};
    const Vec3 u{d.y * s.z - d.z * s.y, d.z * s.x - d.x * s.z, d.x * s.y - d.y * s.x};
    const double turn[16] = {s.x, s.y, s.z, 0, u.x, u.y, u.z, 0, d.x, d.y, d.z, 0, 0, 0, 0, 1};
    glPushMatrix();
    glTranslated(a.x, a.y, a.z);
    glMultMatrixd(turn);
    gluCylinder(quadric(), 0.035 * len, 0.035 * len, 0.7 * len, 20, 16);
    glPopMatrix();
    glPushMatrix();
    glTranslated(a.x + 0.7 * v.x, a.y + 0.7 * v.y, a.z + 0.7 * v.z);
    glMultMatrixd(turn);
    gluCylinder(quadric(), 0.08 * len, 0.0, 0.3 * len, 20, 16);
    glPopMatrix();
}

void sample_arrow(const FieldSample& sample, double scale) {
    colour(sample.colour);
    arrow(sample.base, arrow_tip(sample, scale));
}

void tangential(RayKind kind, const FieldSample& sample, double scale) {
    if (g_session->animation.tangential_toggle != 1) return;
    const TangentialDisplay d = tangential_display(kind, sample.base, sample.field, scale);
    dashed_line(d.projection.from, d.projection.to, magenta);
    colour(magenta);
    arrow(d.tangential.from, d.tangential.to);
    colour(green);
    arrow(d.x_part.from, d.x_part.to);
    colour(green);
    arrow(d.y_part.from, d.y_part.to);
}

void reference_fields(GlBackend&, const EyePicture&) {
    glDisable(GL_CULL_FACE);
    InterfaceSolution& s = g_session->solution;
    const TransmittedRay ray = transmitted_ray(s);
    const double scale = arrow_scale(s);
    for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
        const TraceGuides g = trace_guides(kind, s, ray);
        dashed_line(g.normal_end, g.interface_point, guide_grey);
        dashed_line(g.trace_point, g.interface_point, guide_grey);
        for (int b = 1; b <= g_session->animation.frames_per_period; ++b) {
            const Vec3 c = trace_sphere_centre(kind, s, ray, g, sample_time_of(b, s));
            if (!is_finite(c)) continue;
            colour(trace_blue);
            glPushMatrix();
            glTranslatef(float(c.x), float(c.y), float(c.z));
            gluSphere(quadric(), 0.02, 26, 13);
            glPopMatrix();
        }
    }
    const double t = sample_time_of(g_session->animation.frame_index, s);
    for (int i = -(ray_sample_count - 1); i <= 0; ++i) {
        const FieldSample incident = incident_sample(s, t, i);
        sample_arrow(incident, scale);
        if (i == 0) tangential(RayKind::incident, incident, scale);
        const FieldSample reflected = reflected_sample(s, t, i);
        sample_arrow(reflected, scale);
        if (i == 0) tangential(RayKind::reflected, reflected, scale);
    }
    for (int n = 0; n < ray_sample_count; ++n) {
        const FieldSample transmitted = transmitted_sample(s, ray, t, n);
        sample_arrow(transmitted, scale);
        if (n == 0) tangential(RayKind::transmitted, transmitted, scale);
    }
}

// --- views that put the near plane through a sphere -----------------------------------------

// The model transform of the view (without zoom and pan) applied to a scene point: rotations
// of glRotatef, counter-clockwise seen from the positive end of their axis.
Vec3 turned(const ViewState& v, Vec3 p) {
    auto about = [](Vec3 q, double degrees, int axis) {
        const double a = degrees * pi / 180, c = std::cos(a), s = std::sin(a);
        if (axis == 0) return Vec3{q.x, c * q.y - s * q.z, s * q.y + c * q.z};
        if (axis == 1) return Vec3{c * q.x + s * q.z, q.y, -s * q.x + c * q.z};
        return Vec3{c * q.x - s * q.y, s * q.x + c * q.y, q.z};
    };
    p = about(p, 100, 2);
    p = about(p, 96, 1);
    p = about(p, v.pitch, 0);
    return about(p, v.yaw, 1);
}

// The view with the zoom at which the near plane passes through the centre of a trace sphere
// of kind: the cameras stand at (+-0.0375, 0, 5) looking at the origin, the near plane 1 unit
// in front of them. Of the spheres the plane can pass through, the one whose cut lies nearest
// the middle of the picture.
ViewState near_plane_through_trace(const WaveScenario& sc, ViewState v, RayKind kind) {
    const InterfaceSolution s = solve_wave_interface(sc, default_frames_per_period);
    const TransmittedRay ray = transmitted_ray(s);
    const TraceGuides g = trace_guides(kind, s, ray);
    const Vec3 camera{0, 0, 5}, forward{0, 0, -1};  // midway between the eyes
    const Vec3 shift{v.pan_x, -0.15 + v.pan_y, -1};
    double best_zoom = 0, best_offset = 0.4;  // of the frustum's half-height 0.577 at depth 1
    for (int b = 1; b <= default_frames_per_period; ++b) {
        const Vec3 q = turned(v, trace_sphere_centre(kind, s, ray, g, sample_time_of(b, s)));
        // depth (shift + zoom q - camera) . forward = 1
        const double zoom = (1 - dot(shift - camera, forward)) / dot(q, forward);
        if (!(zoom > 0.2 && zoom < 20)) continue;
        const Vec3 cut = shift + zoom * q;
        const double offset = std::max(std::fabs(cut.x) / 1.7777777777777777, std::fabs(cut.y));
        if (offset < best_offset) {
            best_zoom = zoom;
            best_offset = offset;
        }
    }
    v.zoom = float(best_zoom);
    return v;
}

// --- comparison -----------------------------------------------------------------------------

// The frame of the shared records, its fields drawn as the program draws them (no drawing
// given) or by the reference.
// With map_whole, the field map's panel is painted whole, as the curves are: the plain drawing
// of what its moving map is laid under.
std::vector<unsigned char> picture(FieldsDrawing draw_fields = nullptr, bool map_whole = false) {
    scenario_changed(*g_session);
    FrameDescription frame = build_frame(frame_inputs(*g_session));
    if (map_whole) std::swap(frame.curves, frame.field_map);
    draw_frame(gl_backend(), frame, true, draw_fields);
    glFinish();
    std::vector<unsigned char> pixels(size_t{width} * height * 4);
    // The swap copies the back buffer to the window and leaves it as it was.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

struct Case {
    const char* name;
    WaveScenario scenario;
    ViewState view;
    int tangential;
    StereoView stereo = StereoView::sbs;  // the other views as in a window of the same size
};

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("3D TV");
    init_gl_state();
    glLineWidth(1.5f);
    glutDisplayFunc([] {});
    for (int k = 0; k < 20; ++k) glutMainLoopEvent();  // mapped and exposed

    WaveScenario collapsed = startup_example.scenario;
    collapsed.ex_mag = 0;
    collapsed.ey_mag = 0;
    const WaveScenario start = startup_example.scenario,
                       elliptical_0 = example(ExampleKind::elliptical, 0).scenario,
                       elliptical_1 = example(ExampleKind::elliptical, 1).scenario,
                       circular_0 = example(ExampleKind::circular, 0).scenario;
    // clang-format off
    const Case cases[] = {
        {"start-up", start, {0, 0, 0, 0, 1}, 0},
        {"start-up turned round", start, {160, -50, 0, 0, 1}, 0},
        {"start-up from below", start, {-35, 80, 0.1f, 0, 1.3f}, 0},
        {"start-up zoomed into the near plane", start, {45, 60, 0, 0, 3}, 0},
        {"elliptical 1, tangential on", elliptical_1, {0, 0, 0, 0, 1}, 1},
        {"elliptical 1 zoomed in", elliptical_1, {-70, 25, 0, 0, 6}, 1},
        {"linear 0 turned", example(ExampleKind::linear, 0).scenario, {110, 30, 0, 0, 1}, 0},
        {"circular 0 from behind", circular_0, {180, 0, 0, 0, 1}, 1},
        {"both magnitudes 0", collapsed, {30, 20, 0, 0, 1}, 0},
        {"near plane through the incident trace", start,
         near_plane_through_trace(start, {70, -65, 0, 0, 1}, RayKind::incident), 0},
        {"near plane through the reflected trace", circular_0,
         near_plane_through_trace(circular_0, {30, 70, 0, 0, 1}, RayKind::reflected), 1},
        {"near plane through the transmitted trace", elliptical_0,
         near_plane_through_trace(elliptical_0, {-100, -30, 0, 0, 1}, RayKind::transmitted), 0},
        // Wider and narrower pictures: the near plane reaches farther at their corners.
        {"mono zoomed into the near plane", start, {45, 60, 0, 0, 3}, 1, StereoView::mono},
        {"cross zoomed into the near plane", start, {-30, 50, 0, 0, 2.6f}, 0, StereoView::cross},
        {"anaglyph, near plane through the incident trace", start,
         near_plane_through_trace(start, {70, -65, 0, 0, 1}, RayKind::incident), 0,
         StereoView::anaglyph},
    };
    // clang-format on
    // The guide lines of the first ray are lit with the normal the frame before left current:
    // one frame first, so that every compared frame has one before it.
    fresh_session();
    g_session->screen = ScreenSetup{width, width, width, height};
    picture();
    int passed = 0, failed = 0;
    for (const Case& c : cases) {
        fresh_session();
        g_session->screen = ScreenSetup{width, width, width, height};
        g_session->scenario = c.scenario;
        g_session->view = c.view;
        g_session->animation.tangential_toggle = c.tangential;
        g_session->presentation = Presentation{c.stereo, c.stereo != StereoView::sbs, false};
        size_t worst_pixels = 0;
        int worst_levels = 0;
        for (int frame : {1, 26, 51, 77}) {
            g_session->animation.frame_index = frame;
            const std::vector<unsigned char> shown = picture();
            const std::vector<unsigned char> reference = picture(reference_fields);
            size_t differing = 0;
            for (size_t p = 0; p < shown.size(); p += 4) {
                int levels = 0;
                for (size_t k = 0; k < 3; ++k)
                    levels = std::max(levels, std::abs(shown[p + k] - reference[p + k]));
                if (levels > tolerated_levels && differing < 3) {
                    std::printf("  frame %d, pixel (%zu, %zu): %d %d %d, reference %d %d %d\n",
                                frame, p / 4 % width, p / 4 / width, shown[p], shown[p + 1],
                                shown[p + 2], reference[p], reference[p + 1], reference[p + 2]);
                }
                differing += levels > tolerated_levels;
                worst_levels = std::max(worst_levels, levels);
            }
            worst_pixels = std::max(worst_pixels, differing);
        }
        const bool ok = worst_pixels <= max_differing_pixels;
        std::printf(
            "%s: %s (zoom %.3f; at worst %zu pixels differ by more than %d levels; "
            "largest difference %d levels)\n",
            ok ? "ok" : "FAILED", c.name, double(c.view.zoom), worst_pixels, tolerated_levels,
            worst_levels);
        (ok ? passed : failed)++;
    }
    // The moving field map, laid under the rest of its panel, against the panel painted whole:
    // apart by at most 3 levels, where text and lines have soft edges over the map.
    for (StereoView view : {StereoView::sbs, StereoView::mono}) {
        fresh_session();
        g_session->screen = ScreenSetup{width, width, width, height};
        g_session->presentation = Presentation{view, view != StereoView::sbs, false};
        g_session->presentation.field_map = FieldMapMode::hy;
        int worst = 0;
        for (int frame : {1, 37, 38}) {
            g_session->animation.frame_index = frame;
            const std::vector<unsigned char> shown = picture();
            const std::vector<unsigned char> whole = picture(nullptr, true);
            for (size_t p = 0; p < shown.size(); ++p)
                worst = std::max(worst, std::abs(shown[p] - whole[p]));
        }
        const bool ok = worst <= 3;
        std::printf("%s: field map laid under its panel, %s (largest difference %d levels)\n",
                    ok ? "ok" : "FAILED", view == StereoView::sbs ? "side by side" : "mono", worst);
        (ok ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
