// The panels over the scene: the readout and the Fresnel curves, placed for a picture.
#include "scene/frame_panels.h"

#include <algorithm>
#include <cmath>

#include "scene/curves_plot.h"
#include "scene/readout_text.h"

int32_t whole_pixels(double pixels) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(pixels)));
}

double panel_squeeze(StereoView view) {
    return view == StereoView::sbs ? 0.5 : 1.0;
}

int32_t shown_width(int32_t painted_width, double squeeze) {
    return squeeze == 1.0 ? painted_width : (painted_width + 1) / 2;
}

// The readout in the lower right corner of every picture like pass.
ReadoutOverlay readout_overlay(const FrameInputs& in, const EyePass& pass, double squeeze,
                               const RoleColours& c) {
    std::string status = in.paused ? "paused" : "";
    if (!in.activity.empty()) status += (status.empty() ? "" : ", ") + in.activity;
    ReadoutOverlay r{
        readout_lines(in.label, in.scenario, in.solution, status, in.pseudo_brewster_deg),
        {},
        0,
        {},
        c.panel,
        c.readout_ink,
        0.8f};
    const ReadoutLayout shown =
        readout_layout(pass.width, pass.height, squeeze, r.lines, c.text_scale);
    r.painted = readout_layout(pass.width, pass.height, 1.0, r.lines, c.text_scale);
    const int32_t painted_width = whole_pixels(r.painted.panel_width);
    const int32_t width = shown_width(painted_width, squeeze);
    const auto y = static_cast<int32_t>(std::lround(shown.panel_y));
    r.painted_x = static_cast<int32_t>(std::lround(r.painted.panel_x));
    r.place = {static_cast<int32_t>(std::lround(shown.panel_x + shown.panel_width)) - width, y,
               painted_width, width, whole_pixels(shown.panel_height)};
    return r;
}

// The curves in the lower left corner, clear of the readout; none without room to read them.
std::optional<CurvesOverlay> curves_overlay(const FrameInputs& in, const EyePass& pass,
                                            double squeeze,
                                            const std::optional<ReadoutOverlay>& readout,
                                            const RoleColours& c) {
    if (in.curves == nullptr) return std::nullopt;
    std::optional<PanelRect> taken;
    if (readout) {
        const PanelPlace& p = readout->place;
        taken = PanelRect{double(p.x), double(p.y), double(p.shown_width), double(p.height)};
    }
    const std::optional<CurvesPlacement> room =
        curves_placement(pass.width, pass.height, squeeze, taken);
    if (!room) return std::nullopt;
    const int32_t painted_width = whole_pixels(room->painted_width);
    const int32_t height = whole_pixels(room->shown.height);
    const PanelPlace place{static_cast<int32_t>(std::lround(room->shown.x)),
                           static_cast<int32_t>(std::lround(room->shown.y)), painted_width,
                           shown_width(painted_width, squeeze), height};
    return CurvesOverlay{curves_picture(*in.curves, in.presentation.curves, in.scenario.theta_i,
                                        painted_width, height, room->line_height, c),
                         place, c.panel, c.curves_ink};
}
