#include "scene/frame_inputs.h"

#include "scene/field_map_panel.h"
#include "scene/frame_panels.h"
#include "scene/panel_text.h"
#include "scene/translate.h"

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
    frame.caption = caption_overlay(in, first, frame.squeeze, c);
    // Bottom to top: the readout, the legend, the curves, the caption; the field map left of
    // them at the top. A panel without room gives way, and the readout, one line longer, says
    // so; the others are placed again beside it.
    std::string note;
    for (int round = 0; round < 2; ++round) {
        frame.readout.reset();
        frame.legend.reset();
        frame.curves.reset();
        frame.field_map.reset();
        if (p.readout_shown) frame.readout = readout_overlay(in, first, frame.squeeze, c, note);
        // A picture too low for both: the readout, which says the magnification too, wins.
        if (frame.caption && frame.readout &&
            frame.readout->place.y + frame.readout->place.height > frame.caption->place.y) {
            frame.caption.reset();
        }
        std::optional<PanelPlace> below;
        if (frame.readout) below = frame.readout->place;
        std::optional<double> top;
        if (frame.caption)
            top = 2.0 * frame.caption->place.y + frame.caption->place.height - first.height;
        frame.legend = legend_overlay(in, first, frame.squeeze, below, top, c);
        if (frame.legend) below = frame.legend->place;
        if (p.curves != CurvesMode::off) {
            frame.curves = curves_overlay(in, first, frame.squeeze, below, frame.caption, c);
        }
        int32_t column_left = first.width;  // the map, reset above, is not among them yet
        for (const PanelPlace* place : panel_places(frame)) {
            column_left = std::min(column_left, place->x);
        }
        const double margin = 0.6 * panel_line_height(first.height, c.text_scale);
        const double edge =
            column_left == first.width ? first.width - margin : column_left - margin;
        frame.field_map = field_map_overlay(in, first, frame.squeeze, edge, c);
        std::string out;
        for (const auto& [gave_way, name] :
             {std::pair(p.curves != CurvesMode::off && !frame.curves, tr("curves")),
              {p.legend_shown && !frame.legend, tr("legend")},
              {p.field_map != FieldMapMode::off && !frame.field_map, tr("field map")}}) {
            if (gave_way) out += (out.empty() ? "" : ", ") + std::string(name);
        }
        if (!frame.readout || out.empty() || !note.empty()) break;
        note = out + tr(": make room with h");
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
