// The description of a frame (scene/frame_description.h) from one explicit record of what it
// shows: pure, so that tests hold it against independent values and any backend draws it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "physics/field_map.h"
#include "physics/fresnel_curves.h"
#include "physics/interface_solver.h"
#include "physics/spectrum_curves.h"
#include "scene/frame_description.h"
#include "scene/frame_records.h"

// The grey behind the scene.
inline constexpr Rgb classic_background{0.5f, 0.5f, 0.5f};

struct FrameInputs {
    WaveScenario scenario;
    InterfaceSolution solution;  // of scenario
    ViewState view;
    Presentation presentation;
    int32_t window_width, window_height;  // pixels
    int32_t frame_index;                  // the time sample, 1 .. frames_per_period
    int32_t frames_per_period;
    bool tangential_shown;  // the tangential fields at the interface (key |)
    bool paused;            // said in the readout
    ScenarioLabel label;
    std::string activity;  // "recording 37/100", said in the readout
    // The media's Fresnel curves, which the shell samples when they change; needed only while
    // the curves are shown.
    const FresnelCurves* curves = nullptr;
    // Where a lossy medium 2's R_par dips, named in the readout; sampled while it is shown.
    std::optional<double> pseudo_brewster_deg;
    // The total field's phasors in the plane of incidence, which the shell computes when the
    // scenario changes; needed only while the map is shown.
    const FieldMapPhasors* field_map = nullptr;
    // The curves against frequency at the scenario's angle, likewise, while they are shown.
    const SpectrumCurves* spectrum = nullptr;
};

FrameDescription build_frame(const FrameInputs& in);
// The same into frame, whose room (the sphere batches' above all) is kept for the next frame.
void build_frame(const FrameInputs& in, FrameDescription& frame);

// The wave fields of a picture in drawing order, into eye.fields and eye.traces: guide lines
// and traces, the incident and reflected arrows interleaved from the far end (with the
// tangential displays after the red interface arrows), the transmitted ones from the
// interface, then on request eta1 H and the Poynting vectors. With a camera, what cannot show
// is left out (scene/visibility.h).
void describe_fields(const FrameInputs& in, const SceneCamera* camera, EyePicture& eye);

// The interface and plane-of-incidence strips, the axis triad and its letters, in the colours
// of the theme.
FixedScene fixed_scene(const RoleColours& colours = role_colours(Theme::classic, Palette::classic));

// The arrow of a field vector from start to end, in colour, for the eye's camera (or none).
Arrow field_arrow(Vec3 start, Vec3 end, Rgb colour, const SceneCamera* camera);

// Whole pixels, at least one.
int32_t whole_pixels(double pixels);
