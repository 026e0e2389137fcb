// The panels over the scene: the readout and the Fresnel curves, placed for a picture.
#include "scene/frame_panels.h"

#include <algorithm>
#include <cmath>

#include "scene/curves_plot.h"
#include "scene/panel_text.h"
#include "scene/readout_text.h"
#include "scene/translate.h"

int32_t whole_pixels(double pixels) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(pixels)));
}

double panel_squeeze(StereoView view) {
    return view == StereoView::sbs ? 0.5 : 1.0;
}

int32_t shown_width(int32_t painted_width, double squeeze) {
    return squeeze == 1.0 ? painted_width : (painted_width + 1) / 2;
}

namespace {

// text cut to columns characters, its end "..." where it was longer.
std::string cut_to(const std::string& text, size_t columns) {
    if (text_columns(text) <= columns) return text;
    std::string out;
    size_t taken = 0;
    for (char byte : text) {
        const bool starts = (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
        if (starts && taken++ == columns - 3) break;
        out += byte;
    }
    return out + "...";
}

// "medium 2 x 1000": what medium 2's arrows are magnified by.
std::string magnification_text(int32_t decades) {
    return tr("medium 2 x ") + std::string("1000000").substr(0, size_t(decades) + 1);
}

// Places a panel of text laid out as shown (squeezed) and painted (at its true shape), moved
// up by up pixels.
void place_text_panel(ReadoutOverlay& r, ReadoutLayout shown, ReadoutLayout painted, double squeeze,
                      double up) {
    for (ReadoutLayout* l : {&shown, &painted}) {
        l->panel_y += up;
        l->first_baseline_y += up;
    }
    r.painted = painted;
    const int32_t painted_width = whole_pixels(r.painted.panel_width);
    const int32_t width = shown_width(painted_width, squeeze);
    const auto y = static_cast<int32_t>(std::lround(shown.panel_y));
    r.painted_x = static_cast<int32_t>(std::lround(r.painted.panel_x));
    r.place = {static_cast<int32_t>(std::lround(shown.panel_x + shown.panel_width)) - width, y,
               painted_width, width, whole_pixels(shown.panel_height)};
}

}  // namespace

// The readout in the lower right corner of every picture like pass; a long title is cut.
ReadoutOverlay readout_overlay(const FrameInputs& in, const EyePass& pass, double squeeze,
                               const RoleColours& c, const std::string& note) {
    std::string status = in.paused ? tr("paused") : "";
    if (!in.activity.empty()) status += (status.empty() ? "" : ", ") + in.activity;
    ReadoutOverlay r{
        readout_lines(in.label, in.scenario, in.solution, status, in.pseudo_brewster_deg),
        {},
        0,
        {},
        c.panel,
        c.readout_ink,
        0.8f};
    if (in.presentation.medium2_decades > 0) {
        r.lines.push_back(magnification_text(in.presentation.medium2_decades) +
                          tr(" (z; tab: x 1)"));
    }
    if (!note.empty()) r.lines.push_back(note);
    ReadoutLayout shown = readout_layout(pass.width, pass.height, squeeze, r.lines, c.text_scale);
    // A title (a lesson's) wider than 45 % of the picture and than every number's line is cut;
    // the numbers never are.
    const double widest = 0.45 * pass.width;
    if (shown.panel_width > widest) {
        size_t longest = 0, numbers = 0;
        for (size_t k = 0; k < r.lines.size(); ++k) {
            longest = std::max(longest, text_columns(r.lines[k]));
            if (k > 0) numbers = std::max(numbers, text_columns(r.lines[k]));
        }
        const double per_column = text_advance * shown.glyph_scale_x;
        const double fixed = shown.panel_width - double(longest) * per_column;
        const auto fit = size_t(std::max(0.0, std::floor((widest - fixed) / per_column)));
        r.lines.front() = cut_to(r.lines.front(), std::max({fit, numbers, size_t(4)}));
        shown = readout_layout(pass.width, pass.height, squeeze, r.lines, c.text_scale);
    }
    // A picture too narrow for the numbers at their size (one eye's of the cross view, say)
    // takes them smaller, leaving the scene nearly half the width: beside the wave, never over it.
    double text_scale = c.text_scale;
    if (shown.panel_width > 0.55 * pass.width) {
        text_scale *= 0.55 * pass.width / shown.panel_width;
        shown = readout_layout(pass.width, pass.height, squeeze, r.lines, text_scale);
    }
    place_text_panel(r, shown, readout_layout(pass.width, pass.height, 1.0, r.lines, text_scale),
                     squeeze, 0.0);
    return r;
}

std::optional<ReadoutOverlay> caption_overlay(const FrameInputs& in, const EyePass& pass,
                                              double squeeze, const RoleColours& c) {
    const int32_t decades = in.presentation.medium2_decades;
    if (decades <= 0) return std::nullopt;
    ReadoutOverlay r{{magnification_text(decades)}, {}, 0, {}, c.panel, c.readout_ink, 1.0f};
    const ReadoutLayout shown =
        readout_layout(pass.width, pass.height, squeeze, r.lines, c.text_scale);
    // From the bottom margin to the top one.
    const double up = pass.height - 2 * shown.panel_y - shown.panel_height;
    place_text_panel(r, shown, readout_layout(pass.width, pass.height, 1.0, r.lines, c.text_scale),
                     squeeze, up);
    return r;
}

// The curves in the column of panels, above the readout; none without room to read them.
std::optional<CurvesOverlay> curves_overlay(const FrameInputs& in, const EyePass& pass,
                                            double squeeze, const std::optional<PanelPlace>& below,
                                            const std::optional<ReadoutOverlay>& caption,
                                            const RoleColours& c) {
    const bool spectrum = in.presentation.curves == CurvesMode::spectrum;
    if (spectrum ? in.spectrum == nullptr : in.curves == nullptr) return std::nullopt;
    std::optional<PanelRect> taken;
    if (below) {
        const PanelPlace& p = *below;
        taken = PanelRect{double(p.x), double(p.y), double(p.shown_width), double(p.height)};
    }
    // Below the caption, as far from it as the caption is from the picture's top.
    std::optional<double> top;
    if (caption) top = 2.0 * caption->place.y + caption->place.height - pass.height;
    const std::optional<CurvesPlacement> room =
        curves_placement(pass.width, pass.height, squeeze, taken, top);
    if (!room) return std::nullopt;
    const int32_t painted_width = whole_pixels(room->painted_width);
    const int32_t height = whole_pixels(room->shown.height);
    const PanelPlace place{static_cast<int32_t>(std::lround(room->shown.x)),
                           static_cast<int32_t>(std::lround(room->shown.y)), painted_width,
                           shown_width(painted_width, squeeze), height};
    return CurvesOverlay{
        spectrum ? spectrum_picture(*in.spectrum, in.scenario.freq, painted_width, height,
                                    room->line_height, c)
                 : curves_picture(*in.curves, in.presentation.curves, in.scenario.theta_i,
                                  painted_width, height, room->line_height, c),
        place, c.panel, c.curves_ink};
}

std::optional<CurvesOverlay> legend_overlay(const FrameInputs& in, const EyePass& pass,
                                            double squeeze, const std::optional<PanelPlace>& below,
                                            std::optional<double> top, const RoleColours& c) {
    const Presentation& p = in.presentation;
    if (!p.legend_shown) return std::nullopt;
    std::vector<std::pair<const char*, Rgb>> rows = {
        {"E", c.field}, {tr("E at the interface"), c.field_at_interface}};
    if (in.tangential_shown) {
        rows.insert(rows.end(), {{tr("tangential E and H"), c.tangential},
                                 {tr("their components"), c.tangential_parts}});
    }
    if (p.magnetic_shown) {
        rows.insert(rows.end(), {{"eta1 H", c.magnetic},
                                 {tr("eta1 H at the interface"), c.magnetic_at_interface}});
    }
    if (p.poynting_shown) rows.push_back({tr("S, the Poynting vector"), c.poynting});
    rows.push_back({tr("polarisation traces"), c.traces});
    // The readout's text size and margins; a swatch of three columns before each name.
    const double line = panel_line_height(pass.height, c.text_scale);
    const double margin = 0.6 * line, pad = 0.4 * line, scale = text_scale_for_line(line);
    const double advance = text_advance * scale;
    size_t longest = 0;
    for (const auto& row : rows) longest = std::max(longest, text_columns(row.first));
    const double w = (longest + 4) * advance + 2 * pad, h = rows.size() * line + 2 * pad;
    const double bottom = below ? below->y + below->height + margin : margin;
    if (bottom + h > top.value_or(pass.height - margin)) return std::nullopt;
    CurvesPicture picture{{}, {}, {}, scale};
    for (size_t k = 0; k < rows.size(); ++k) {
        const double y = h - pad - (double(k) + 1) * line;  // the row's baseline
        const auto x0 = float(pad), x1 = float(pad + 3 * advance), mid = float(y + 0.3 * line);
        picture.lines.push_back(
            {{x0, mid, x1, mid}, false, rows[k].second, float(std::max(3.0, line / 4)), 0});
        picture.texts.push_back({rows[k].first, pad + 4 * advance, y});
    }
    const int32_t painted_width = whole_pixels(w);
    const int32_t shown = shown_width(painted_width, squeeze);
    const PanelPlace place{static_cast<int32_t>(std::lround(pass.width - margin * squeeze)) - shown,
                           static_cast<int32_t>(std::lround(bottom)), painted_width, shown,
                           whole_pixels(h)};
    return CurvesOverlay{std::move(picture), place, c.panel, c.readout_ink};
}

std::vector<const PanelPlace*> panel_places(const FrameDescription& frame) {
    std::vector<const PanelPlace*> places;
    for (const auto* text : {&frame.readout, &frame.caption}) {
        if (*text) places.push_back(&(*text)->place);
    }
    for (const auto* plot : {&frame.curves, &frame.legend, &frame.field_map}) {
        if (*plot) places.push_back(&(*plot)->place);
    }
    return places;
}

int32_t panel_column_width(const FrameDescription& frame, const EyePass& pass) {
    // From the leftmost panel to the picture's edge, and the outermost panel's margin again.
    int32_t left = pass.width, margin = pass.width;
    for (const PanelPlace* p : panel_places(frame)) {
        left = std::min(left, p->x);
        margin = std::min(margin, pass.width - (p->x + p->shown_width));
    }
    return left == pass.width ? 0 : pass.width - left + margin;
}
