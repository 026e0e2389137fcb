// Times the stereo frame of the real renderer on the current X display (a real window, real
// OpenGL), next to two references from the same run: a bare frame (clear and swap only) and a
// straightforward drawing of the same scene with one GLU call per sphere and cylinder.
//
//   frame_bench [FRAMES [WIDTH...]] median and 95th percentile per window width and scenario
//                                   (widths 1366, 1920 and 3840 unless given), then the
//                                   program's frame in each view, and with the readout, at the
//                                   first width
//   frame_bench --soak FRAMES       GLU quadrics alive and resident memory after 100 and after
//                                   FRAMES frames of the program's drawing
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/desktop_session.h"
#include "app/frame.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "core/session.h"
#include "scene/field_geometry.h"
#include "tests/support/fresh_session.h"

// Quadrics alive, counted through the linker's --wrap of the two GLU calls.
static int quadrics_alive = 0;
extern "C" GLUquadric* __real_gluNewQuadric();
extern "C" void __real_gluDeleteQuadric(GLUquadric* q);
extern "C" GLUquadric* __wrap_gluNewQuadric() {
    ++quadrics_alive;
    return __real_gluNewQuadric();
}
extern "C" void __wrap_gluDeleteQuadric(GLUquadric* q) {
    --quadrics_alive;
    __real_gluDeleteQuadric(q);
}

namespace {

using Clock = std::chrono::steady_clock;

void bare_frame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// What the key h or g adds to a frame: a panel over both halves. The frame is described once,
// outside the timing: only the drawing is measured.
void draw_panels_over_both_halves(const FrameDescription& frame) {
    prepare_panels(gl_backend(), frame);
    for (const EyePicture& eye : frame.eyes) {
        glViewport(eye.pass.x, eye.pass.y, eye.pass.width, eye.pass.height);
        draw_panels(gl_backend(), frame, eye);
    }
}
FrameDescription frame_showing(Presentation shown) {
    const Presentation before = g_session->presentation;
    g_session->presentation = shown;
    FrameDescription frame = build_frame(frame_inputs(*g_session));
    g_session->presentation = before;
    return frame;
}
void draw_readout_over_both_halves() {
    static const FrameDescription frame = frame_showing(Presentation{StereoView::sbs, false, true});
    draw_panels_over_both_halves(frame);
}
void draw_curves_over_both_halves() {
    static const FrameDescription frame =
        frame_showing(Presentation{StereoView::sbs, false, false, CurvesMode::power});
    draw_panels_over_both_halves(frame);
}
// The moving field map's panel over both halves: two time samples by turns, so that every
// frame shows a map it has not shown the frame before.
void draw_field_map_over_both_halves() {
    static const auto moving = [] {
        std::vector<FrameDescription> frames;
        for (int32_t k : {1, 2}) {
            g_session->animation.frame_index = k;
            Presentation p{StereoView::sbs, false, false};
            p.field_map = FieldMapMode::hy;
            frames.push_back(frame_showing(p));
        }
        return frames;
    }();
    static size_t next = 0;
    draw_panels_over_both_halves(moving[next++ % 2]);
}

// The cost of draw in a frame: it, finished, beside finishing nothing, alternating so that the
// machine's drift cancels; the median of the differences. No swap: the X server's copy of the
// window would only add its noise.
double median_extra_ms(void (*draw)(), int repetitions) {
    std::vector<double> extra_ms;
    for (int k = 0; k < repetitions; ++k) {
        glFinish();
        const Clock::time_point start = Clock::now();
        glFinish();
        const Clock::time_point middle = Clock::now();
        draw();
        glFinish();
        const Clock::time_point end = Clock::now();
        extra_ms.push_back(
            std::chrono::duration<double, std::milli>((end - middle) - (middle - start)).count());
        glutMainLoopEvent();
    }
    std::sort(extra_ms.begin(), extra_ms.end());
    return extra_ms[extra_ms.size() / 2];
}

// What the moving field map adds to a whole side-by-side frame, described and drawn (no swap):
// frames with and without it by turns, each at the next time sample, the median of the
// differences.
double field_map_extra_ms(int repetitions) {
    std::vector<double> extra_ms;
    const auto timed = [](FieldMapMode map) {
        g_session->presentation.field_map = map;
        g_session->animation.frame_index = g_session->animation.frame_index % 100 + 1;
        glFinish();
        const Clock::time_point start = Clock::now();
        draw_frame(gl_backend(), build_frame(frame_inputs(*g_session)), false);
        glFinish();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    for (int k = 0; k < repetitions; ++k) {
        const double with = timed(FieldMapMode::hy), without = timed(FieldMapMode::off);
        extra_ms.push_back(with - without);
        glutMainLoopEvent();
    }
    g_session->presentation.field_map = FieldMapMode::off;
    std::sort(extra_ms.begin(), extra_ms.end());
    return extra_ms[extra_ms.size() / 2];
}

// The same scene with one GLU call for every sphere and cylinder, as immediate mode gives it:
// the traces so, the arrows as the program draws them.
void straightforward_fields(GlBackend& gl, const EyePicture& eye) {
    const InterfaceSolution& s = g_session->solution;
    const TransmittedRay ray = transmitted_ray(s);
    GLUquadric* q = gluNewQuadric();
    for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
        const TraceGuides g = trace_guides(kind, s, ray);
        for (const Vec3& from : {g.normal_end, g.trace_point}) {
            glColor3f(0.5f, 0.5f, 0.5f);
            glPushAttrib(GL_ENABLE_BIT);
            glLineStipple(1, 0x5555);
            glEnable(GL_LINE_STIPPLE);
            glBegin(GL_LINES);
            glVertex3f(float(from.x), float(from.y), float(from.z));
            glVertex3f(float(g.interface_point.x), float(g.interface_point.y),
                       float(g.interface_point.z));
            glEnd();
            glPopAttrib();
        }
        for (int b = 1; b <= g_session->animation.frames_per_period; ++b) {
            const Vec3 c = trace_sphere_centre(kind, s, ray, g, sample_time_of(b, s));
            glColor3f(0.2f, 0.2f, 0.48f);
            glPushMatrix();
            glTranslatef(float(c.x), float(c.y), float(c.z));
            gluSphere(q, 0.02, 26, 13);
            glPopMatrix();
        }
    }
    gluDeleteQuadric(q);
    for (const FieldItem& item : eye.fields) {
        if (const auto* arrow = std::get_if<Arrow>(&item)) {
            glColor3f(arrow->colour.r, arrow->colour.g, arrow->colour.b);
            draw_arrow(gl, *arrow);
        }
    }
}

void straightforward_frame() {
    draw_frame(gl_backend(), build_frame(frame_inputs(*g_session)), true, straightforward_fields);
}

struct Scenario {
    const char* name;
    WaveScenario scenario;
    int tangential;
};

struct Timing {
    double median_ms, p95_ms;
};

Timing time_frames(void (*frame)(), int frames) {
    for (int k = 0; k < 10; ++k) {
        frame();
        glFinish();
    }
    std::vector<double> ms;
    for (int k = 0; k < frames; ++k) {
        g_session->animation.frame_index = 1 + k % g_session->animation.frames_per_period;
        const Clock::time_point start = Clock::now();
        frame();
        glFinish();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        glutMainLoopEvent();
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)]};
}

// The shared records at their start, in a window of this width.
void reset_for_width(int width) {
    fresh_session();
    g_session->screen = ScreenSetup{width, width, width, width / 2};
}

int open_window(int width) {
    reset_for_width(width);
    glutInitWindowSize(width, width / 2);
    glutInitWindowPosition(0, 0);
    const int window = glutCreateWindow("3D TV");
    init_gl_state();
    glLineWidth(1.5f);
    glutDisplayFunc([] {});
    for (int k = 0; k < 20; ++k) glutMainLoopEvent();  // mapped and exposed before timing
    return window;
}

long resident_kib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == "VmRSS:" && status >> value) return value;
    }
    return -1;
}

int soak(int frames) {
    open_window(1920);
    for (int k = 1; k <= frames; ++k) {
        g_session->animation.frame_index = 1 + k % g_session->animation.frames_per_period;
        on_display();
        glutMainLoopEvent();
        if (k == 100 || k % 500 == 0 || k == frames) {
            glFinish();
            std::printf("after %d frames: %d quadric(s) alive, %ld KiB resident\n", k,
                        quadrics_alive, resident_kib());
            std::fflush(stdout);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    if (argc == 3 && std::strcmp(argv[1], "--soak") == 0) return soak(std::atoi(argv[2]));
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;

    const Scenario scenarios[] = {
        {"start-up", startup_example.scenario, 0},
        {"elliptical 1, tangential on", example(ExampleKind::elliptical, 1).scenario, 1},
    };
    std::printf("%-6s %-28s %22s %22s %22s %8s\n", "width", "scenario", "bare median/p95 ms",
                "plain median/p95 ms", "program median/p95 ms", "ratio");
    std::vector<int> widths;
    for (int k = 2; k < argc; ++k) widths.push_back(std::atoi(argv[k]));
    if (widths.empty()) widths = {1366, 1920, 3840};
    for (int width : widths) {
        const int window = open_window(width);
        for (const Scenario& sc : scenarios) {
            reset_for_width(width);
            g_session->scenario = sc.scenario;
            g_session->animation.tangential_toggle = sc.tangential;
            scenario_changed(*g_session);
            const Timing bare = time_frames(bare_frame, frames);
            const Timing plain = time_frames(straightforward_frame, frames);
            const Timing program = time_frames(on_display, frames);
            std::printf("%-6d %-28s %10.2f / %-9.2f %10.2f / %-9.2f %10.2f / %-9.2f %8.2f\n", width,
                        sc.name, bare.median_ms, bare.p95_ms, plain.median_ms, plain.p95_ms,
                        program.median_ms, program.p95_ms, program.median_ms / plain.median_ms);
            std::fflush(stdout);
        }
        glutDestroyWindow(window);
        glutMainLoopEvent();
    }

    // The views of the same full-width window: one picture (mono) should cost about half of
    // two (sbs, anaglyph, cross); and the readout over the side-by-side pair (key h).
    const int width = widths.front();
    const int window = open_window(width);
    struct Variant {
        const char* name;
        Presentation presentation;
    };
    const auto shown = [](StereoView view, bool readout, CurvesMode curves, bool magnetic,
                          bool poynting, FieldMapMode map = FieldMapMode::off) {
        Presentation p{view, false, readout, curves, magnetic, poynting};
        p.field_map = map;
        return p;
    };
    const CurvesMode no = CurvesMode::off;
    const Variant variants[] = {
        {"sbs", shown(StereoView::sbs, false, no, false, false)},
        {"sbs + readout", shown(StereoView::sbs, true, no, false, false)},
        {"sbs + curves", shown(StereoView::sbs, false, CurvesMode::power, false, false)},
        {"sbs + H", shown(StereoView::sbs, false, no, true, false)},
        {"sbs + S", shown(StereoView::sbs, false, no, false, true)},
        {"sbs", shown(StereoView::sbs, false, no, false, false)},
        // The field map moving with the frame: its map laid anew under its panel every frame.
        {"fieldmap", shown(StereoView::sbs, false, no, false, false, FieldMapMode::hy)},
        {"mono", shown(StereoView::mono, false, no, false, false)},
        {"anaglyph", shown(StereoView::anaglyph, false, no, false, false)},
        {"cross", shown(StereoView::cross, false, no, false, false)}};
    std::printf("\n%-6s %-16s %22s\n", "width", "view (start-up)", "program median/p95 ms");
    for (const Variant& v : variants) {
        reset_for_width(width);
        g_session->presentation = v.presentation;
        const Timing t = time_frames(on_display, frames);
        std::printf("%-6d %-16s %10.2f / %-9.2f\n", width, v.name, t.median_ms, t.p95_ms);
        std::fflush(stdout);
    }
    // The overlays' own cost over both halves, painted once and then laid over each.
    for (const auto& [name, draw] : {std::pair{"readout", draw_readout_over_both_halves},
                                     {"curves", draw_curves_over_both_halves},
                                     {"field map", draw_field_map_over_both_halves}}) {
        std::printf("%-6d %-16s %10.2f ms a stereo frame (median of %d)\n", width, name,
                    median_extra_ms(draw, 3 * frames), 3 * frames);
    }
    reset_for_width(width);
    std::printf("%-6d %-16s %10.2f ms a side-by-side frame, described and drawn (median of %d)\n",
                width, "field map moving", field_map_extra_ms(frames), frames);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    g_session->presentation = Presentation{StereoView::sbs, false, false};
    glutDestroyWindow(window);
    glutMainLoopEvent();
    return 0;
}
