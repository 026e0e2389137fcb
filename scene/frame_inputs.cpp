#include "scene/frame_inputs.h"

#include "scene/frame_panels.h"

void build_frame(const FrameInputs& in, FrameDescription& frame) {
    const Presentation& p = in.presentation;
    const RoleColours& c = role_colours(p.theme, p.palette);
    frame.background = c.background;
    frame.line_width = c.line_width;
    frame.fixed = fixed_scene(c);
    const std::vector<EyePass> passes =
        eye_passes(p.view, in.window_width, in.window_height, p.windowed);
    const Mat4 model = model_matrix(in.view);  // the same for every eye
    frame.eyes.resize(passes.size());
    for (size_t k = 0; k < passes.size(); ++k) {
        EyePicture& eye = frame.eyes[k];
        eye.pass = passes[k];
        eye.view = in.view;
        eye.projection = projection_matrix(eye.pass);
        eye.model = model;
        const std::optional<SceneCamera> camera = camera_in_scene(in.view, eye.pass);
        describe_fields(in, camera ? &*camera : nullptr, eye);
    }
    // The panels over the scene are the same in every picture: placed for the first.
    const EyePass& first = frame.eyes.front().pass;
    frame.squeeze = panel_squeeze(p.view);
    frame.readout.reset();
    frame.curves.reset();
    if (p.readout_shown) frame.readout = readout_overlay(in, first, frame.squeeze, c);
    if (p.curves != CurvesMode::off)
        frame.curves = curves_overlay(in, first, frame.squeeze, frame.readout, c);
}

FrameDescription build_frame(const FrameInputs& in) {
    FrameDescription frame{};
    build_frame(in, frame);
    return frame;
}
