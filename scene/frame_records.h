// The records besides the scenario that a frame is described from: the window, the view, the
// animation clock and what is shown over the scene. The shell owns them and writes them in its
// callbacks; the description of a frame reads them (scene/frame_inputs.h).
#pragma once

#include <cstdint>
#include <string>

#include "scene/colours.h"

// Display size saved at start and the window size, in pixels.
struct ScreenSetup {
    int32_t saved_width;
    int32_t saved_height;
    int32_t window_width;   // screen width read after the switch to 16:9
    int32_t window_height;  // window_width / 2
};

// Where the scene stands in front of the two cameras.
struct ViewState {
    float yaw;    // degrees about the viewer's y axis, kept in [-180, 180] by the mouse
    float pitch;  // degrees about the viewer's x axis, kept in [-180, 180] by the mouse
    float pan_x;  // scene units
    float pan_y;  // scene units
    float zoom;   // uniform scale, never made negative by the mouse
};

struct AnimationState {
    int32_t frame_index;        // current time sample, 1 .. frames_per_period
    int32_t frames_per_period;  // time samples in one wave period
    int32_t pause_counter;      // odd runs, even pauses
    int32_t tangential_toggle;  // 1 shows the interface tangential fields
};

inline constexpr int32_t default_frames_per_period = 101;

// The clock runs while the pause counter is odd.
inline bool clock_running(int32_t pause_counter) {
    return pause_counter % 2 != 0;
}

// How the two eyes' pictures reach the viewer: side by side for a 3D television (squeezed to
// half width, which the television stretches back), one picture from between the eyes, red and
// cyan in one picture for anaglyph glasses, or side by side at the true shape and swapped for
// free viewing with crossed eyes.
enum class StereoView { sbs, mono, anaglyph, cross };
const char* view_name(StereoView view);
StereoView next_view(StereoView view);  // sbs, mono, anaglyph, cross, sbs, ...

// The Fresnel curves beside the wave (key g): none, the power fractions, or the coefficients'
// magnitudes and phases.
enum class CurvesMode { off, power, amplitude_phase, spectrum };
CurvesMode next_curves_mode(CurvesMode mode);  // off, power, amplitude and phase, spectrum, off

// What the field map shows (key t): nothing, or a quantity of physics/field_map.h.
enum class FieldMapMode { off, ey, hy, e2 };
FieldMapMode next_field_map_mode(FieldMapMode mode);  // off, ey, hy, e2, off

struct Presentation {
    StereoView view;
    bool windowed;       // an ordinary, resizable window; the display mode untouched
    bool readout_shown;  // the numbers over the scene (key h)
    CurvesMode curves = CurvesMode::off;
    bool magnetic_shown = false;         // the magnetic field beside the electric one (key m)
    bool poynting_shown = false;         // the time-averaged Poynting vectors (key p)
    Theme theme = Theme::classic;        // --theme: the room the picture is for
    Palette palette = Palette::classic;  // --palette
    int32_t medium2_decades = 0;         // the transmitted arrows x 10^decades, 0 .. 6 (key z)
    bool legend_shown = false;           // the colours in use and their names (key k)
    FieldMapMode field_map = FieldMapMode::off;  // the total field in the plane of incidence (t)
};

// What the scenario is, in words, for the readout: its origin ("linear 1: TE wave at the
// Brewster angle", "custom (from linear 1)") and the named materials of its media.
struct ScenarioLabel {
    std::string origin;
    int32_t medium1_material = -1;  // index in physics/materials.h, -1 for numbers
    int32_t medium2_material = -1;
};
