#include "scene/field_map_panel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "physics/materials.h"
#include "scene/frame_panels.h"
#include "scene/panel_text.h"
#include "scene/readout_text.h"
#include "scene/translate.h"

namespace {

// sRGB (IEC 61966-2-1) and CIE 1976 L*a*b* under D65 (CIE 15:2004).
struct Lab {
    double l, a, b;
};
constexpr double white_x = 0.95047, white_z = 1.08883;

double to_linear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double to_encoded(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}
double lab_f(double t) {
    constexpr double d = 6.0 / 29.0;
    return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
}
double lab_f_inverse(double f) {
    constexpr double d = 6.0 / 29.0;
    return f > d ? f * f * f : 3 * d * d * (f - 4.0 / 29.0);
}

Lab lab_of(Rgb c) {
    const double r = to_linear(c.r), g = to_linear(c.g), b = to_linear(c.b);
    const double x = 0.4124 * r + 0.3576 * g + 0.1805 * b;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = 0.0193 * r + 0.1192 * g + 0.9505 * b;
    const double fx = lab_f(x / white_x), fy = lab_f(y), fz = lab_f(z / white_z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Rgb rgb_of(const Lab& p) {
    const double fy = (p.l + 16) / 116;
    const double x = white_x * lab_f_inverse(fy + p.a / 500), y = lab_f_inverse(fy),
                 z = white_z * lab_f_inverse(fy - p.b / 200);
    const double r = 3.2406 * x - 1.5372 * y - 0.4986 * z;
    const double g = -0.9689 * x + 1.8758 * y + 0.0415 * z;
    const double b = 0.0557 * x - 0.2040 * y + 1.0570 * z;
    return {float(to_encoded(r)), float(to_encoded(g)), float(to_encoded(b))};
}

Lab mix(const Lab& p, const Lab& q, double t) {
    return {p.l + (q.l - p.l) * t, p.a + (q.a - p.a) * t, p.b + (q.b - p.b) * t};
}

unsigned char byte(float channel) {
    return static_cast<unsigned char>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

std::string number_text(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", v == 0.0 ? 0.0 : v);
    return text;
}

// "air", or "eps_r 4" when the medium is given as numbers.
std::string medium_name(int32_t material, double eps_r, double sigma) {
    if (const Material* m = material_by_index(material)) return m->name;
    std::string name = "eps_r " + number_text(eps_r);
    return sigma > 0.0 ? name + tr(", lossy") : name;
}

}  // namespace

Rgb diverging_colour(double value, Rgb neutral) {
    const Lab centre = lab_of(neutral);
    const bool dark = centre.l < 50;
    const Rgb negative = dark ? Rgb{0.35f, 0.65f, 1.0f} : Rgb{0.0f, 0.25f, 0.7f};
    const Rgb positive = dark ? Rgb{1.0f, 0.62f, 0.2f} : Rgb{0.72f, 0.22f, 0.0f};
    const double v = std::clamp(value, -1.0, 1.0);
    return rgb_of(mix(centre, lab_of(v < 0 ? negative : positive), std::fabs(v)));
}

Rgb sequential_colour(double value) {
    // Lightness rises evenly from 15 to 92 while the hue turns from violet to yellow.
    static const Lab anchors[] = {
        {15, 30, -40}, {34, 15, -45}, {53, -30, -10}, {72, -45, 45}, {92, -10, 85}};
    const double t = std::clamp(value, 0.0, 1.0) * 4.0;
    const auto k = std::min<size_t>(3, size_t(t));
    return rgb_of(mix(anchors[k], anchors[k + 1], t - double(k)));
}

std::optional<FieldMapQuantity> shown_quantity(FieldMapMode mode) {
    switch (mode) {
        case FieldMapMode::ey:
            return FieldMapQuantity::ey;
        case FieldMapMode::hy:
            return FieldMapQuantity::hy;
        case FieldMapMode::e2:
            return FieldMapQuantity::e2;
        case FieldMapMode::off:
            break;
    }
    return std::nullopt;
}

FieldMapMode field_map_mode(FieldMapQuantity q) {
    return q == FieldMapQuantity::ey   ? FieldMapMode::ey
           : q == FieldMapQuantity::hy ? FieldMapMode::hy
                                       : FieldMapMode::e2;
}

std::string field_map_title(FieldMapQuantity q) {
    return q == FieldMapQuantity::ey   ? "E_y"
           : q == FieldMapQuantity::hy ? "eta1 H_y"
                                       : tr("mean |E|^2");
}

std::optional<CurvesOverlay> field_map_overlay(const FrameInputs& in, const EyePass& pass,
                                               double squeeze, double right_edge,
                                               const RoleColours& c) {
    const std::optional<FieldMapQuantity> quantity = shown_quantity(in.presentation.field_map);
    if (!quantity || in.field_map == nullptr) return std::nullopt;
    const FieldMapPhasors& map = *in.field_map;
    const FieldMapGrid& grid = map.grid;
    const double line = panel_line_height(pass.height, c.text_scale);
    const double margin = 0.6 * line;
    // Around the map, in text lines: 2.8 left (the x labels), 5.2 right (the colour bar and its
    // values), 2.6 above (the title and the media), 2.6 below (the z labels and their caption)
    // and 2 more for a flat medium 2's note. A picture too narrow or too low for a map of ten
    // lines beside them takes their text smaller, down to half the readout's.
    const double wide_lines = 8.0, high_lines = grid.medium2_flat ? 7.2 : 5.2;
    const double room_wide = std::min(right_edge - margin, 0.34 * pass.width) / squeeze;
    const double room_high = pass.height - 2 * margin;
    const double u = std::min({line, room_wide / (wide_lines + 10), room_high / (high_lines + 10)});
    if (u < 0.5 * line) return std::nullopt;
    const double pad = 0.4 * u;
    const double left = 2.8 * u, right = 5.2 * u, above = 2.6 * u, below = (high_lines - 2.6) * u;
    const double side = std::floor(std::min(room_wide - left - right, room_high - below - above));
    const auto m = static_cast<int32_t>(side);
    const int32_t painted_width = whole_pixels(left + side + right);
    const int32_t height = whole_pixels(below + side + above);
    const int32_t shown = shown_width(painted_width, squeeze);
    const PanelPlace place{static_cast<int32_t>(std::lround(right_edge - shown)),
                           static_cast<int32_t>(std::lround(pass.height - margin - height)),
                           painted_width, shown, height};

    CurvesPicture picture{{}, {}, {}, text_scale_for_line(u)};
    const double x0 = std::round(left), y0 = std::round(below);
    // The map, each pixel the grid's sample under its centre.
    const double omega = in.scenario.omega;
    const double t = (in.frame_index - 1) * in.solution.time_step;
    const Complex turn = std::polar(1.0, omega * t);
    const double most = field_map_largest(map, *quantity);
    const bool signed_values = *quantity != FieldMapQuantity::e2;
    // The colour map in 256 steps of bytes, made once a frame rather than once a pixel.
    std::array<std::array<unsigned char, 3>, 256> steps{};
    for (size_t k = 0; k < steps.size(); ++k) {
        const double v = double(k) / 255.0;
        const Rgb rgb = signed_values ? diverging_colour(2 * v - 1, c.panel) : sequential_colour(v);
        steps[k] = {byte(rgb.r), byte(rgb.g), byte(rgb.b)};
    }
    const double to_step = most > 0.0 ? (signed_values ? 127.5 : 255.0) / most : 0.0;
    const double offset = signed_values ? 127.5 : 0.0;
    const auto colour = [&](double v) -> const std::array<unsigned char, 3>& {
        return steps[size_t(std::clamp(v * to_step + offset + 0.5, 0.0, 255.0))];
    };
    // Each pixel shows the grid's sample under its centre.
    std::vector<int32_t> under(static_cast<size_t>(m));
    for (int32_t k = 0; k < m; ++k) {
        under[size_t(k)] = std::min(grid.side - 1, int32_t((k + 0.5) / side * grid.side));
    }
    const std::vector<double> values = field_map_samples(map, *quantity, turn, under, under);
    PlotImage image{int32_t(x0), int32_t(y0), m, m, std::vector<unsigned char>(values.size() * 3)};
    auto pixel = image.rgb.begin();
    for (double v : values) pixel = std::copy_n(colour(v).begin(), 3, pixel);
    picture.images.push_back(std::move(image));
    // The colour bar: the bottom value to the top one.
    const double bar_x = x0 + side + 0.6 * u, bar_w = 0.9 * u;
    PlotImage bar{int32_t(std::round(bar_x)), int32_t(y0), whole_pixels(bar_w), m, {}};
    for (int32_t j = 0; j < m; ++j) {
        const double fraction = (j + 0.5) / side;
        const auto& rgb = colour(signed_values ? (2 * fraction - 1) * most : fraction * most);
        for (int32_t i = 0; i < bar.width; ++i)
            bar.rgb.insert(bar.rgb.end(), rgb.begin(), rgb.end());
    }
    picture.images.push_back(std::move(bar));

    const float thin = std::max(1.0f, float(u / 14.0));
    const auto f = [](double v) { return float(v); };
    const double x1 = x0 + side, y1 = y0 + side, cx = x0 + side / 2, cy = y0 + side / 2;
    std::vector<float> lines = {f(x0), f(y0), f(x1), f(y0), f(x1), f(y0), f(x1),
                                f(y1), f(x1), f(y1), f(x0), f(y1), f(x0), f(y1),
                                f(x0), f(y0), f(cx), f(y0), f(cx), f(y1)};  // the frame and the
                                                                            // interface
    const double advance = text_advance * picture.glyph_scale, digit = 0.64 * u;
    const auto text = [&](const std::string& s, double x, double y) {
        picture.texts.push_back({s, x, y});
    };
    const auto width_of = [&](const std::string& s) { return double(text_columns(s)) * advance; };
    // Ticks every medium-1 wavelength, -2 to 2 along both axes.
    for (int k = -2; k <= 2; ++k) {
        const double at = (k + 2) / 4.0 * side;
        const std::string label = std::to_string(k);
        lines.insert(lines.end(), {f(x0 + at), f(y0), f(x0 + at), f(y0 - 0.3 * u)});
        lines.insert(lines.end(), {f(x0), f(y0 + at), f(x0 - 0.3 * u), f(y0 + at)});
        text(label, x0 + at - width_of(label) / 2, y0 - 0.4 * u - digit);
        text(label, x0 - 0.5 * u - width_of(label), y0 + at - digit / 2);
    }
    text("z / lambda1", cx - width_of("z / lambda1") / 2, y0 - 1.9 * u);
    text("x", pad, cy + side / 8 - digit / 2);
    if (grid.medium2_flat) {
        const char* kind = grid.finest_is_decay ? tr("medium 2: decay length %s,")
                                                : tr("medium 2: wavelength %s,");
        text(fill(kind, {length_text(grid.medium2_finest_m)}), pad, y0 - 3.0 * u);
        text(tr("finer than the map"), pad, y0 - 4.0 * u);
    }
    // The title and the media, each over its half.
    const ScenarioLabel& label = in.label;
    const WaveScenario& sc = in.scenario;
    text(field_map_title(*quantity) +
             (signed_values ? tr(" at this instant") : tr(" over a period")),
         x0, y1 + 1.3 * u);
    const std::string medium1 = "1: " + medium_name(label.medium1_material, sc.eps_r1, 0.0);
    text(medium1, x0 + 0.3 * u, y1 + 0.35 * u);
    // Medium 2's over its half, or a column after medium 1's where that runs into it.
    text("2: " + medium_name(label.medium2_material, sc.eps_r2, sc.sigma2),
         std::max(cx + 0.3 * u, x0 + 0.3 * u + width_of(medium1) + advance), y1 + 0.35 * u);
    // The colour bar's values: its ends and its middle.
    const double value_x = bar_x + bar_w + 0.3 * u;
    text(number_text(most), value_x, y1 - digit);
    text(number_text(signed_values ? 0.0 : most / 2), value_x, cy - digit / 2);
    text(number_text(signed_values ? -most : 0.0), value_x, y0);
    // The waves' directions from the interface point (z across, x up): the incident one
    // arriving, the reflected and the transmitted leaving; the transmitted along its phase.
    const InterfaceSolution& s = in.solution;
    const double reach = 0.3 * side;
    const double tz = s.beta_z, tx = s.beta_x, tn = std::hypot(tz, tx);
    struct Ray {
        double from_z, from_x, to_z, to_x;
        const char* name;
    } const rays[] = {
        {-s.cos_theta_i, -s.sin_theta_i, 0, 0, "i"},
        {0, 0, -s.cos_theta_i, s.sin_theta_i, "r"},
        {0, 0, tn > 0 ? tz / tn : 1, tn > 0 ? tx / tn : 0, "t"},
    };
    for (const Ray& r : rays) {
        const double ax = cx + reach * r.from_z, ay = cy + reach * r.from_x;
        const double bx = cx + reach * r.to_z, by = cy + reach * r.to_x;
        const double dx = bx - ax, dy = by - ay, n = std::hypot(dx, dy) / (0.5 * u);
        lines.insert(lines.end(), {f(ax), f(ay), f(bx), f(by)});
        for (double turn : {0.5, -0.5}) {  // the head, two strokes back from the tip
            lines.insert(lines.end(), {f(bx), f(by), f(bx - (dx - turn * dy) / n),
                                       f(by - (dy + turn * dx) / n)});
        }
        // The incident's name under its start, the others' over their ends: apart even where
        // the incident and reflected rays run along one line (normal incidence).
        if (r.name[0] == 'i') {
            text(r.name, ax + 0.3 * u, ay - 0.3 * u - digit);
        } else {
            text(r.name, bx + 0.3 * u, by + 0.3 * u);
        }
    }
    picture.lines.push_back({std::move(lines), false, c.curves_ink, thin, 0});
    return CurvesOverlay{std::move(picture), place, c.panel, c.curves_ink};
}
