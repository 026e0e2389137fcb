#include "scene/frame_inputs.h"

#include "scene/frame_panels.h"

// Said in the readout when the curves asked for give way for want of room.
constexpr const char* curves_left_out = "curves: make room with h";

void build_frame(const FrameInputs& in, FrameDescription& frame) {
    const Presentation& p = in.presentation;
    const RoleColours& c = role_colours(p.theme, p.palette);
    frame.background = c.background;
    frame.line_width = c.line_width;
    frame.fixed = fixed_scene(c);
    std::vector<EyePass> passes = eye_passes(p.view, in.window_width, in.window_height, p.windowed);
    // The panels are the same in every picture, placed for the first, in a column at its right;
    // the scene takes what is left of each picture.
    const EyePass first = passes.front();
    frame.squeeze = panel_squeeze(p.view);
    frame.readout.reset();
    frame.curves.reset();
    frame.caption = caption_overlay(in, first, frame.squeeze, c);
    if (p.readout_shown) frame.readout = readout_overlay(in, first, frame.squeeze, c);
    // A picture too low for both: the readout, which says the magnification too, wins.
    if (frame.caption && frame.readout &&
        frame.readout->place.y + frame.readout->place.height > frame.caption->place.y) {
        frame.caption.reset();
    }
    if (p.curves != CurvesMode::off) {
        frame.curves = curves_overlay(in, first, frame.squeeze, frame.readout, frame.caption, c);
        if (!frame.curves && frame.readout) {
            frame.readout = readout_overlay(in, first, frame.squeeze, c, curves_left_out);
        }
    }
    const std::vector<EyePass> pictures = passes;
    const int32_t column = panel_column_width(frame, first);
    if (column > 0) {
        for (EyePass& pass : passes) pass = beside_panels(pass, column);
    }
    const Mat4 model = model_matrix(in.view);  // the same for every eye
    frame.eyes.resize(passes.size());
    for (size_t k = 0; k < passes.size(); ++k) {
        EyePicture& eye = frame.eyes[k];
        eye.picture_width = pictures[k].width;
        eye.pass = passes[k];
        eye.view = in.view;
        eye.projection = projection_matrix(eye.pass);
        eye.model = model;
        const std::optional<SceneCamera> camera = camera_in_scene(in.view, eye.pass);
        describe_fields(in, camera ? &*camera : nullptr, eye);
    }
}

FrameDescription build_frame(const FrameInputs& in) {
    FrameDescription frame{};
    build_frame(in, frame);
    return frame;
}
