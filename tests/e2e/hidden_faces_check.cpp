// Leaving out what cannot show must not change the picture. On a real X display with real
// OpenGL, draws stereo frames of several scenarios and views twice, once as the program draws
// them and once with every triangle of every solid drawn, and compares the two pictures.
//
// They may differ only in a few isolated pixels, and only slightly: where a tube's front and
// back faces meet edge-on at its outline, rounding can put the back face a hair in front, and
// then the full drawing shows the back face's shade there. Anything that a culled face really
// showed (a mistake in the reasoning, or a solid cut by the near plane) differs in hundreds or
// thousands of pixels.
//
//   hidden_faces_check      prints one line per case and "N passed, M failed"
#include <GL/freeglut.h>

#include <cstdio>
#include <vector>

#include "app/keyboard.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "render/field_scene.h"
#include "render/stereo_frame.h"

namespace {

constexpr int width = 1280, height = 640;
constexpr size_t max_differing_pixels = 16;  // per stereo frame, of 819,200
constexpr int max_level_difference = 32;     // per colour channel, of 255

void fields_drawn_whole() {
    set_eye_camera(std::nullopt);
    draw_field_scene();
}

std::vector<unsigned char> picture(void (*draw_fields)()) {
    draw_stereo_frame(draw_fields);
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
};

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("3D TV");
    g_screen = ScreenSetup{width, width, width, height};
    init_gl_state();
    glutDisplayFunc([] {});
    for (int k = 0; k < 20; ++k) glutMainLoopEvent();  // mapped and exposed

    WaveScenario collapsed = startup_scenario;
    collapsed.ex_mag = 0;
    collapsed.ey_mag = 0;
    const Case cases[] = {
        {"start-up", startup_scenario, {0, 0, 0, 0, 1}, 0},
        {"start-up turned round", startup_scenario, {160, -50, 0, 0, 1}, 0},
        {"start-up from below", startup_scenario, {-35, 80, 0.1f, 0, 1.3f}, 0},
        {"start-up zoomed into the near plane", startup_scenario, {45, 60, 0, 0, 3}, 0},
        {"elliptical 1, tangential on", elliptical_examples[1], {0, 0, 0, 0, 1}, 1},
        {"elliptical 1 zoomed in", elliptical_examples[1], {-70, 25, 0, 0, 6}, 1},
        {"linear 0 turned", linear_examples[0], {110, 30, 0, 0, 1}, 0},
        {"circular 0 from behind", circular_examples[0], {180, 0, 0, 0, 1}, 1},
        {"both magnitudes 0", collapsed, {30, 20, 0, 0, 1}, 0},
    };
    int passed = 0, failed = 0;
    for (const Case& c : cases) {
        reset_shared_state();
        g_scenario = c.scenario;
        g_view = c.view;
        g_animation.tangential_toggle = c.tangential;
        size_t worst_pixels = 0;
        int worst_levels = 0;
        for (int frame : {1, 26, 51, 77}) {
            g_animation.frame_index = frame;
            const std::vector<unsigned char> shown = picture(on_display);
            const std::vector<unsigned char> whole = picture(fields_drawn_whole);
            size_t differing = 0;
            for (size_t p = 0; p < shown.size(); p += 4) {
                int levels = 0;
                for (size_t k = 0; k < 3; ++k)
                    levels = std::max(levels, std::abs(shown[p + k] - whole[p + k]));
                if (levels > 0 && differing < 3) {
                    std::printf("  frame %d, pixel (%zu, %zu): %d %d %d, drawn whole %d %d %d\n",
                                frame, p / 4 % width, p / 4 / width, shown[p], shown[p + 1],
                                shown[p + 2], whole[p], whole[p + 1], whole[p + 2]);
                }
                differing += levels > 0;
                worst_levels = std::max(worst_levels, levels);
            }
            worst_pixels = std::max(worst_pixels, differing);
        }
        const bool ok =
            worst_pixels <= max_differing_pixels && worst_levels <= max_level_difference;
        std::printf("%s: %s (at worst %zu pixels differ, by up to %d levels)\n",
                    ok ? "ok" : "FAILED", c.name, worst_pixels, worst_levels);
        (ok ? passed : failed)++;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
