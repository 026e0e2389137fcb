// Runs the real animation clock (on_timer, re-armed through glutTimerFunc) with the real scene
// drawn, for SECONDS (30 by default) on the current X display, and reports how fast the wave
// advances and how long one period of the animation takes.
#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/desktop_session.h"
#include "app/frame.h"
#include "app/mouse_clock.h"
#include "app/startup.h"
#include "core/session.h"
#include "tests/support/fresh_session.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Drawn {
    Clock::time_point when;
    int frame_index;
};
std::vector<Drawn> drawn;

void timed_display() {
    on_display();
    drawn.push_back({Clock::now(), g_session->animation.frame_index});
}

void stop(int) {
    glutLeaveMainLoop();
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutInitWindowSize(1920, 960);
    glutCreateWindow("3D TV");
    init_gl_state();
    fresh_session();
    g_session->screen = ScreenSetup{1920, 1080, 1920, 960};
    glLineWidth(1.5f);
    glutDisplayFunc(timed_display);
    const Clock::time_point start = Clock::now();
    on_timer(1);
    glutTimerFunc(seconds * 1000u, stop, 0);
    glutMainLoop();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();

    // Unwrap the frame index: the wave's advance in samples, whoever drew it.
    long advance = 1;  // the direct call at start moved it from 1 to 2
    std::vector<double> period_starts;
    for (size_t k = 1; k < drawn.size(); ++k) {
        const int step = (drawn[k].frame_index - drawn[k - 1].frame_index + 101) % 101;
        advance += step;
        if (step != 0 && drawn[k].frame_index == 1) {
            period_starts.push_back(std::chrono::duration<double>(drawn[k].when - start).count());
        }
    }
    const double rate = advance / elapsed;
    std::printf(
        "%.3f s, %zu frames drawn, wave advanced %ld samples: %.3f samples/s "
        "(%+.2f %% from 10)\n",
        elapsed, drawn.size(), advance, rate, (rate / 10.0 - 1.0) * 100.0);
    for (size_t k = 1; k < period_starts.size(); ++k) {
        std::printf("period %zu: %.3f s (101 ticks at 100 ms: 10.100 s)\n", k,
                    period_starts[k] - period_starts[k - 1]);
    }
    return 0;
}
