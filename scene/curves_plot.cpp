#include "scene/curves_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "physics/materials.h"
#include "scene/panel_text.h"
#include "scene/translate.h"

bool overlap(const PanelRect& a, const PanelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

namespace {

// The panel's true shape in text lines: 40 wide, 24 high.
constexpr double panel_lines_wide = 40.0, panel_lines_high = 24.0;

}  // namespace

std::optional<CurvesPlacement> curves_placement(double width, double height, double squeeze,
                                                const std::optional<PanelRect>& readout,
                                                std::optional<double> top) {
    const double line = panel_line_height(height);  // the readout's
    const double margin = 0.6 * line;
    // In the column of panels at the right: above the readout, at most as wide as it or a
    // third of the picture, whichever is wider; alone, at most 45 % of the picture's width.
    const double widest = readout ? std::max(readout->width, width / 3) : 0.45 * width;
    const double bottom = readout ? readout->y + readout->height + margin : margin;
    const double scale =
        std::min({1.0, widest / squeeze / (panel_lines_wide * line),
                  (top.value_or(height - margin) - bottom) / (panel_lines_high * line)});
    if (scale < 0.25) return std::nullopt;
    const double w = panel_lines_wide * line * scale, h = panel_lines_high * line * scale;
    const PanelRect shown{width - margin * squeeze - w * squeeze, bottom, w * squeeze, h};
    return CurvesPlacement{shown, w, line * scale};
}

namespace {

constexpr unsigned short dashed = 0x00FF, dotted = 0x3333;

// One plot of the panel: its box in the panel's pixels and the range of its vertical axis.
struct Area {
    double left, right, bottom, top;
    double low, high;
    double x_low = 0.0, x_high = 90.0;  // theta_i (degrees), or log10 of f (Hz)
    double x(double v) const { return left + (v - x_low) / (x_high - x_low) * (right - left); }
    double y(double v) const {
        const double clamped = std::min(std::max(v, low), high);
        return bottom + (clamped - low) / (high - low) * (top - bottom);
    }
};

// The smallest of 1, 2, 5, 10, 20, ... at least v.
double ceiling_1_2_5(double v) {
    for (double decade = 1.0;; decade *= 10.0) {
        for (double m : {1.0, 2.0, 5.0}) {
            if (m * decade >= v) return m * decade;
        }
    }
}

struct Painter {
    CurvesPicture& picture;
    double u;  // a text line, pixels
    float thin, thick;
    const RoleColours& c;

    double text_width(const std::string& text) const {
        return double(text_columns(text)) * text_advance * picture.glyph_scale;
    }
    void text(const std::string& t, double x, double y) { picture.texts.push_back({t, x, y}); }
    void segments(std::vector<float> xy, Rgb colour, float width, unsigned short stipple = 0) {
        picture.lines.push_back({std::move(xy), false, colour, width, stipple});
    }

    // One curve: a polyline through (theta, value) of every sample, broken where a phase
    // wraps round (a jump of more than 180 degrees).
    void curve(const Area& a, const std::vector<FresnelSample>& samples,
               double (*value)(const FresnelSample&), bool phase, Rgb colour, float width,
               unsigned short stipple) {
        PlotLine line{{}, true, colour, width, stipple};
        double last = 0.0;
        for (const FresnelSample& s : samples) {
            const double v = value(s);
            if (!std::isfinite(v)) continue;
            if (phase && !line.xy.empty() && std::fabs(v - last) > 180.0) {
                picture.lines.push_back(line);
                line.xy.clear();
            }
            line.xy.push_back(float(a.x(s.theta_i_deg)));
            line.xy.push_back(float(a.y(v)));
            last = v;
        }
        picture.lines.push_back(line);
    }

    // The box, the ticks of both axes and the labels of the vertical one; the horizontal
    // axis' labels (those not empty) under the lowest plot only.
    void axes(const Area& a, const std::vector<double>& ticks,
              const std::vector<std::pair<double, std::string>>& x_ticks, bool x_labels) {
        std::vector<float> xy = {float(a.left),  float(a.bottom), float(a.right), float(a.bottom),
                                 float(a.right), float(a.bottom), float(a.right), float(a.top),
                                 float(a.right), float(a.top),    float(a.left),  float(a.top),
                                 float(a.left),  float(a.top),    float(a.left),  float(a.bottom)};
        const double tick = 0.35 * u;
        for (double v : ticks) {
            const auto y = float(a.y(v));
            xy.insert(xy.end(), {float(a.left), y, float(a.left + tick), y});
            char label[16];
            std::snprintf(label, sizeof label, "%g", v);
            text(label, a.left - 0.3 * u - text_width(label), a.y(v) - 0.3 * u);
        }
        for (const auto& [v, label] : x_ticks) {
            const auto x = float(a.x(v));
            xy.insert(xy.end(), {x, float(a.bottom), x, float(a.bottom + tick)});
            if (x_labels && !label.empty())
                text(label, a.x(v) - text_width(label) / 2, a.bottom - 1.15 * u);
        }
        segments(xy, c.curves_ink, std::max(1.0f, float(u / 14.0)));
    }

    // The legend, two rows across the top: parallel above, perpendicular below, each
    // reflected then transmitted (dashed).
    void legends(const char* const (&names)[4], double left, double right, double height) {
        const double column = (right - left) / 2;
        for (int k = 0; k < 4; ++k) {
            const bool parallel = k < 2, transmitted = k % 2 == 1;
            legend(names[k], left + (k % 2) * column, height - (parallel ? 1.3 : 2.5) * u,
                   parallel ? c.curve_parallel : c.curve_perpendicular, parallel ? thick : thin,
                   transmitted ? dashed : 0);
        }
    }

    // A legend entry: a short stretch of the curve's line, then its name.
    void legend(const std::string& name, double x, double y, Rgb colour, float width,
                unsigned short stipple) {
        const auto mid = float(y + 0.3 * u);
        segments({float(x), mid, float(x + 2.4 * u), mid}, colour, width, stipple);
        text(name, x + 2.8 * u, y);
    }
};

// Every 10 degrees, labelled every 30.
std::vector<std::pair<double, std::string>> angle_ticks() {
    std::vector<std::pair<double, std::string>> ticks;
    for (int theta = 0; theta <= 90; theta += 10)
        ticks.emplace_back(theta, theta % 30 == 0 ? std::to_string(theta) : "");
    return ticks;
}

double r_par(const FresnelSample& s) {
    return s.r_par;
}
double r_perp(const FresnelSample& s) {
    return s.r_perp;
}
double t_par(const FresnelSample& s) {
    return s.t_par;
}
double t_perp(const FresnelSample& s) {
    return s.t_perp;
}
double gamma_par(const FresnelSample& s) {
    return magnitude(s.gamma_par);
}
double gamma_perp(const FresnelSample& s) {
    return magnitude(s.gamma_perp);
}
double tau_par(const FresnelSample& s) {
    return magnitude(s.tau_par);
}
double tau_perp(const FresnelSample& s) {
    return magnitude(s.tau_perp);
}
double gamma_par_deg(const FresnelSample& s) {
    return radians_to_degrees(argument(s.gamma_par));
}
double gamma_perp_deg(const FresnelSample& s) {
    return radians_to_degrees(argument(s.gamma_perp));
}
double tau_par_deg(const FresnelSample& s) {
    return radians_to_degrees(argument(s.tau_par));
}
double tau_perp_deg(const FresnelSample& s) {
    return radians_to_degrees(argument(s.tau_perp));
}

}  // namespace

CurvesPicture curves_picture(const FresnelCurves& curves, CurvesMode mode, double theta_i_deg,
                             double width, double height, double line_height,
                             const RoleColours& colours) {
    CurvesPicture picture{{}, {}, {}, text_scale_for_line(line_height)};
    const double u = line_height;
    const float thin = std::max(2.0f, float(u / 9.0));
    Painter p{picture, u, thin, 2 * thin, colours};
    const Rgb parallel_blue = colours.curve_parallel,
              perpendicular_orange = colours.curve_perpendicular;
    const double left = 4.2 * u, right = width - 1.2 * u, bottom = 2.9 * u, top = height - 3.4 * u;
    const std::vector<FresnelSample>& s = curves.samples;

    const bool power = mode == CurvesMode::power;
    const char* const names[4] = {power ? "R_par" : "|Gamma_par|", power ? "T_par" : "|tau_par|",
                                  power ? "R_perp" : "|Gamma_perp|",
                                  power ? "T_perp" : "|tau_perp|"};
    p.legends(names, left, right, height);

    std::vector<Area> areas;
    if (power) {
        const Area a{left, right, bottom, top, 0.0, 1.0};
        p.axes(a, {0.0, 0.5, 1.0}, angle_ticks(), true);
        p.curve(a, s, r_par, false, parallel_blue, p.thick, 0);
        p.curve(a, s, r_perp, false, perpendicular_orange, p.thin, 0);
        p.curve(a, s, t_par, false, parallel_blue, p.thick, dashed);
        p.curve(a, s, t_perp, false, perpendicular_orange, p.thin, dashed);
        areas.push_back(a);
    } else {
        double largest = 1.0;
        for (const FresnelSample& x : s) {
            for (double v : {tau_par(x), tau_perp(x), gamma_par(x), gamma_perp(x)}) {
                if (std::isfinite(v)) largest = std::max(largest, v);
            }
        }
        const double middle = (bottom + top) / 2;
        const Area magnitudes{left, right, middle + 0.5 * u, top, 0.0, ceiling_1_2_5(largest)};
        const Area phases{left, right, bottom, middle - 0.5 * u, -180.0, 180.0};
        p.axes(magnitudes, {0.0, magnitudes.high / 2, magnitudes.high}, angle_ticks(), false);
        p.axes(phases, {-180.0, -90.0, 0.0, 90.0, 180.0}, angle_ticks(), true);
        for (const auto& [area, phase] : {std::pair{magnitudes, false}, {phases, true}}) {
            p.curve(area, s, phase ? gamma_par_deg : gamma_par, phase, parallel_blue, p.thick, 0);
            p.curve(area, s, phase ? gamma_perp_deg : gamma_perp, phase, perpendicular_orange,
                    p.thin, 0);
            p.curve(area, s, phase ? tau_par_deg : tau_par, phase, parallel_blue, p.thick, dashed);
            p.curve(area, s, phase ? tau_perp_deg : tau_perp, phase, perpendicular_orange, p.thin,
                    dashed);
        }
        p.text(tr("phase (deg)"), left + 0.4 * u, phases.top - 1.1 * u);
        areas = {magnitudes, phases};
    }
    p.text(tr("theta_i (deg)"), (left + right) / 2 - p.text_width(tr("theta_i (deg)")) / 2,
           bottom - 2.45 * u);

    // The notable angles, dotted across every plot, labelled at the top, one below the other.
    const Area& highest = areas.front();
    const auto full_height = [&](double theta) {
        const auto x = float(highest.x(theta));
        return std::vector<float>{x, float(bottom), x, float(highest.top)};
    };
    char label[48];
    int marked = 0;
    for (const auto& [name, angle] : {std::pair{tr("Brewster"), curves.brewster_deg},
                                      {tr("Brewster_perp"), curves.brewster_perp_deg},
                                      {tr("pseudo-Brewster"), curves.pseudo_brewster_deg},
                                      {tr("critical"), curves.critical_deg}}) {
        if (!angle) continue;
        p.segments(full_height(*angle), colours.curve_marker, p.thin, dotted);
        // Two decimals, or as many as keep an angle below 90 from reading 90.00 (up to five).
        int decimals = 2;
        do {
            std::snprintf(label, sizeof label, "%s %.*f", name, decimals, *angle);
        } while (*angle < 90.0 && std::strstr(label, " 90.") != nullptr && ++decimals <= 5);
        // Beside its line, right of it where there is room, else left; where that would cover
        // the cursor, beside the cursor instead. Always inside the frame.
        const double w = p.text_width(label), gap = 0.3 * u, at = highest.x(*angle);
        const double cursor = highest.x(theta_i_deg);
        double x = std::clamp(at + gap, left + gap, right - gap - w);
        for (double place : {at + gap, at - gap - w, cursor - 2 * gap - w, cursor + 2 * gap}) {
            const bool inside = place >= left + gap && place + w <= right - gap;
            const bool clear = cursor < place - gap || cursor > place + w + gap;
            if (inside && clear) {
                x = place;
                break;
            }
        }
        p.text(label, x, highest.top - (1.2 + 1.1 * marked++) * u);
    }
    // The cursor at the scenario's angle.
    p.segments(full_height(theta_i_deg), colours.curve_cursor, p.thin);
    return picture;
}

bool operator==(const CurvesPicture& a, const CurvesPicture& b) {
    const auto same_line = [](const PlotLine& p, const PlotLine& q) {
        return p.xy == q.xy && p.strip == q.strip && p.colour == q.colour && p.width == q.width &&
               p.stipple == q.stipple;
    };
    const auto same_text = [](const PlotText& p, const PlotText& q) {
        return p.text == q.text && p.x == q.x && p.y == q.y;
    };
    const auto same_image = [](const PlotImage& p, const PlotImage& q) {
        return p.x == q.x && p.y == q.y && p.width == q.width && p.height == q.height &&
               p.rgb == q.rgb;
    };
    return a.glyph_scale == b.glyph_scale &&
           std::equal(a.images.begin(), a.images.end(), b.images.begin(), b.images.end(),
                      same_image) &&
           std::equal(a.lines.begin(), a.lines.end(), b.lines.begin(), b.lines.end(), same_line) &&
           std::equal(a.texts.begin(), a.texts.end(), b.texts.begin(), b.texts.end(), same_text);
}

CurvesPicture spectrum_picture(const SpectrumCurves& curves, double freq_hz, double width,
                               double height, double line_height, const RoleColours& colours) {
    CurvesPicture picture{{}, {}, {}, text_scale_for_line(line_height)};
    const double u = line_height;
    const float thin = std::max(2.0f, float(u / 9.0));
    Painter p{picture, u, thin, 2 * thin, colours};
    const double left = 4.2 * u, right = width - 1.2 * u, bottom = 2.9 * u, top = height - 3.4 * u;
    const char* const names[4] = {"R_par", "T_par", "R_perp", "T_perp"};
    p.legends(names, left, right, height);
    const double low = std::log10(frequency_min_hz), high = std::log10(frequency_max_hz);
    const Area a{left, right, bottom, top, 0.0, 1.0, low, high};
    // A tick every decade, named every third: 1 kHz, 1 MHz, 1 GHz, 1 THz, 1 PHz.
    std::vector<std::pair<double, std::string>> decades;
    const char* const units[] = {"1 kHz", "1 MHz", "1 GHz", "1 THz", "1 PHz"};
    for (int d = 0; d <= int(high - low); ++d)
        decades.emplace_back(low + d, d % 3 ? "" : units[d / 3]);
    p.axes(a, {0.0, 0.5, 1.0}, decades, true);
    // Each curve, a polyline per stretch of frequencies where the media have models.
    double (*const values[4])(const FresnelSample&) = {r_par, t_par, r_perp, t_perp};
    for (int k = 0; k < 4; ++k) {
        const bool parallel = k < 2;
        PlotLine line{{},
                      true,
                      parallel ? colours.curve_parallel : colours.curve_perpendicular,
                      parallel ? p.thick : p.thin,
                      k % 2 ? dashed : (unsigned short)0};
        for (size_t n = 0; n < curves.samples.size(); ++n) {
            const double v = values[k](curves.samples[n]);
            if (!within_bands(curves, curves.freq_hz[n]) || !std::isfinite(v)) {
                if (!line.xy.empty()) picture.lines.push_back(line);
                line.xy.clear();
                continue;
            }
            line.xy.insert(line.xy.end(),
                           {float(a.x(std::log10(curves.freq_hz[n]))), float(a.y(v))});
        }
        if (!line.xy.empty()) picture.lines.push_back(line);
    }
    p.text(tr("frequency"), (left + right) / 2 - p.text_width(tr("frequency")) / 2,
           bottom - 2.45 * u);
    // The bands' edges inside the axis, dotted; the cursor at the scenario's frequency.
    const auto full_height = [&](double hz) {
        const auto x = float(a.x(std::log10(hz)));
        return std::vector<float>{x, float(bottom), x, float(top)};
    };
    for (const auto& [from, to] : curves.bands) {
        for (double edge : {from, to}) {
            if (edge > frequency_min_hz && edge < frequency_max_hz)
                p.segments(full_height(edge), colours.curve_marker, p.thin, dotted);
        }
    }
    p.segments(full_height(freq_hz), colours.curve_cursor, p.thin);
    return picture;
}
