#include "scene/readout_text.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "physics/derived_quantities.h"
#include "physics/materials.h"
#include "physics/wave_fields.h"
#include "scene/panel_text.h"
#include "scene/translate.h"

namespace {

std::string format(const char* pattern, ...) {
    char text[160];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

// An angle as printed with decimals places, never "-0.0".
double shown_angle(double degrees, int decimals) {
    return std::fabs(degrees) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : degrees;
}

// "Brewster 63.4349 deg, theta_i - theta_B -43.4349", or "Brewster: none".
std::string special_angle_text(const char* name, const char* symbol,
                               const std::optional<double>& angle_deg, double theta_i_deg) {
    if (!angle_deg) return format(tr("%s: none"), name);
    // How far theta_i is: to the ten-thousandth of a degree, or in figures below that (the
    // examples sit 0.0000016 degrees beyond a critical angle).
    const double d = theta_i_deg - *angle_deg;
    const char* pattern = d == 0.0 || std::fabs(d) >= 1e-3 ? tr("%s %.4f deg, theta_i - %s %+.4f")
                                                           : tr("%s %.4f deg, theta_i - %s %+.2g");
    return format(pattern, name, *angle_deg, symbol, d);
}

// A fraction of power for the screen: rounding may leave a total reflection's transmitted
// part, or what a medium reflects onto itself, a hair below zero ("-0.0000").
double shown_fraction(double f) {
    return f <= 0.0 && f > -1e-9 ? 0.0 : f;  // -0.0 too
}

std::string coefficient_text(const char* name, Complex c) {
    return format(tr("%s %.4f at %.1f deg"), name, magnitude(c),
                  shown_angle(radians_to_degrees(argument(c)), 1));
}

const Material* material_of(int32_t index) {
    return material_by_index(index);
}

// "medium 1: glass, eps_r 2.25  mu_r 1": the material's name when it has one.
std::string medium_text(int number, const Material* material, std::string constants) {
    const std::string name = material != nullptr ? std::string(material->name) + ", " : "";
    return format(tr("medium %d: "), number) + name + constants;
}

}  // namespace

std::string length_text(double metres) {
    const char* const prefixes[] = {"f", "p", "n", "\u00b5", "m", "", "k"};
    int k = 5;
    while (k > 0 && std::fabs(metres) < 1.0) {
        metres *= 1000.0;
        --k;
    }
    while (k < 6 && std::stod(format("%.3g", metres)) >= 1000.0) {  // 999.7 m reads 1 km
        metres /= 1000.0;
        ++k;
    }
    return format("%.3g %sm", metres, prefixes[k]);
}

std::string frequency_text(double hz) {
    const char* const prefixes[] = {"", "k", "M", "G", "T", "P"};
    int k = 0;
    while (k < 5 && std::fabs(hz) >= 1000.0) {
        hz /= 1000.0;
        ++k;
    }
    return format("%g %sHz", hz, prefixes[k]);
}

std::string material_note(const Material& material, double hz) {
    const MaterialAt at = material_at(material, hz);
    const std::string name = std::string(material.name) + ": ";
    if (at.within) return name + tr(at.model->name);
    const std::vector<MaterialModel>& models = material.models;
    double below = 0.0, above = 0.0;  // the bands' edges round f, 0 for none
    for (const MaterialModel& m : models) {
        if (m.high_hz < hz) below = m.high_hz;
        if (m.low_hz > hz && above == 0.0) above = m.low_hz;
    }
    const std::string gap =
        below == 0.0   ? format(tr("no model below %s"), frequency_text(above).c_str())
        : above == 0.0 ? format(tr("no model above %s"), frequency_text(below).c_str())
                       : format(tr("no model from %s to %s"), frequency_text(below).c_str(),
                                frequency_text(above).c_str());
    return name + gap + format(tr("; values of %s"), frequency_text(at.from_hz).c_str());
}

std::vector<std::string> material_band_lines(const Material& material) {
    std::vector<std::string> lines;
    const auto band = [](double low, double high) {
        return fill(tr("%s to %s"), {frequency_text(low), frequency_text(high)});
    };
    double from = frequency_min_hz;
    for (const MaterialModel& m : material.models) {
        if (m.low_hz > from) {
            lines.push_back(format("%-20s", band(from, m.low_hz).c_str()) + "  " +
                            fill(tr("no model: values of %s"),
                                 {from == frequency_min_hz ? frequency_text(m.low_hz)
                                                           : tr("the nearer edge")}));
        }
        lines.push_back(format("%-20s", band(m.low_hz, m.high_hz).c_str()) + "  " + tr(m.name));
        from = m.high_hz;
    }
    if (from < frequency_max_hz)
        lines.push_back(format("%-20s", band(from, frequency_max_hz).c_str()) + "  " +
                        fill(tr("no model: values of %s"), {frequency_text(from)}));
    return lines;
}

std::vector<std::string> readout_lines(const ScenarioLabel& label, const WaveScenario& sc,
                                       const InterfaceSolution& s, const std::string& status,
                                       std::optional<double> pseudo_brewster_deg) {
    std::vector<std::string> lines;
    lines.push_back(label.origin);
    lines.push_back(
        format(tr("theta_i %.4f deg  |Ex| %.2f  |Ey| %.2f"), sc.theta_i, sc.ex_mag, sc.ey_mag));
    lines.push_back(format(tr("phi_x %g deg  phi_y %g deg"), sc.phi_x, sc.phi_y));
    const Material* medium1 = material_of(label.medium1_material);
    const Material* medium2 = material_of(label.medium2_material);
    lines.push_back(medium_text(1, medium1, format("eps_r %g  mu_r %g", sc.eps_r1, sc.mu_r1)));
    lines.push_back(medium_text(
        2, medium2, format("eps_r %g  mu_r %g  sigma %g S/m", sc.eps_r2, sc.mu_r2, sc.sigma2)));
    lines.push_back(format(tr("frequency %s"), frequency_text(sc.freq).c_str()));
    // Where each named medium's values come from; medium 1 without its loss.
    for (const Material* m : {medium1, medium2}) {
        if (m == nullptr || (m == medium2 && medium1 == m)) continue;
        lines.push_back(material_note(*m, sc.freq));
        if (m == medium1 && material_at(*m, sc.freq).values.sigma > 0.0)
            lines.push_back(format(tr("%s as medium 1: its loss left out"), m->name));
    }
    const Complex n2 = refractive_index_2(sc);
    lines.push_back(format(tr("n2 %.5g - j%.5g  loss tangent %.4g"), n2.real(), -n2.imag(),
                           loss_tangent_2(sc)));
    lines.push_back(format(tr("eta2 %.5g ohm at %.2f deg"), magnitude(s.eta2),
                           shown_angle(radians_to_degrees(argument(s.eta2)), 2)));

    const double theta_t = transmission_angle_deg(s);
    const Attenuation decay = transmitted_attenuation(s);
    const std::string direction =
        theta_t >= 89.9999 ? std::string(tr("transmitted along the interface"))
                           : format(tr("transmitted at %.4f deg"), shown_angle(theta_t, 4));
    if (decay.depth_m) {
        lines.push_back(direction);
        lines.push_back(format(tr("  decays %.4g Np/m, to 1/e in %s"), decay.np_per_m,
                               length_text(*decay.depth_m).c_str()));
    } else {
        lines.push_back(direction + tr(", no decay"));
    }
    // A lossy medium 2 has no Brewster angle, but the curves' dip in R_par: its pseudo-Brewster
    // angle, named as the curves name it.
    lines.push_back(
        pseudo_brewster_deg && sc.sigma2 != 0.0
            ? special_angle_text(tr("pseudo-Brewster"), "theta_B", pseudo_brewster_deg, sc.theta_i)
            : special_angle_text(tr("Brewster"), "theta_B", brewster_angle_deg(sc), sc.theta_i));
    lines.push_back(
        special_angle_text(tr("critical"), "theta_c", critical_angle_deg(sc), sc.theta_i));

    lines.push_back(coefficient_text("Gamma_par ", s.gamma_par));
    lines.push_back(coefficient_text("Gamma_perp", s.gamma_perp));
    lines.push_back(coefficient_text("tau_par   ", s.tau_par));
    lines.push_back(coefficient_text("tau_perp  ", s.tau_perp));
    const PowerBalance p = power_balance(sc, s);
    lines.push_back(format("R_par  %.4f  T_par  %.4f", p.r_par, shown_fraction(p.t_par)));
    lines.push_back(format("R_perp %.4f  T_perp %.4f", p.r_perp, shown_fraction(p.t_perp)));
    lines.push_back(p.r_wave ? format("R %.4f  T %.4f  R+T %.4f", *p.r_wave,
                                      shown_fraction(*p.t_wave), *p.r_wave + *p.t_wave)
                             : std::string(tr("R, T: no incident wave")));
    // The same balance from the Poynting vectors' normal components, E x H* of each wave.
    const std::optional<NormalFlux> flux = normal_flux(sc, s);
    lines.push_back(flux
                        ? format(tr("S_z: in 1  refl %.4f  trans %.4f  sum %.4f"),
                                 shown_fraction(flux->reflected), shown_fraction(flux->transmitted),
                                 flux->reflected + flux->transmitted)
                        : std::string(tr("S_z: no incident wave")));
    if (!status.empty()) lines.push_back(status);
    return lines;
}

ReadoutLayout readout_layout(double width, double height, double squeeze,
                             const std::vector<std::string>& lines, double text_scale) {
    size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, text_columns(line));

    const double line_height = panel_line_height(height, text_scale);
    const double scale = text_scale_for_line(line_height);
    const double margin = 0.6 * line_height, pad = 0.4 * line_height;
    const double panel_width = (longest * text_advance * scale + 2 * pad) * squeeze;
    const double panel_height = lines.size() * line_height + 2 * pad;
    ReadoutLayout l{};
    l.panel_x = width - margin * squeeze - panel_width;
    l.panel_y = margin;
    l.panel_width = panel_width;
    l.panel_height = panel_height;
    l.text_x = l.panel_x + pad * squeeze;
    l.line_height = line_height;
    l.first_baseline_y = l.panel_y + panel_height - pad - line_height + text_descender * scale;
    l.glyph_scale_x = scale * squeeze;
    l.glyph_scale_y = scale;
    return l;
}
