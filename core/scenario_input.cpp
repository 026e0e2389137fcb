#include "core/scenario_input.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/material_file.h"
#include "physics/materials.h"
#include "scene/readout_text.h"
#include "scene/translate.h"

std::optional<double> parse_number(const std::string& text) {
    // Decimal digits, sign, point and exponent only: no "inf", "nan" or hexadecimal.
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string number_text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string range_error(const char* name, double value, double lower, double upper,
                        const char* unit) {
    if (value >= lower && value <= upper) return "";
    return fill(
        tr("%s %s is out of range (%s to %s%s)"),
        {name, number_text(value), number_text(lower), number_text(upper), *unit ? tr(unit) : ""});
}

std::string medium_error(const Medium& m, int medium_number) {
    for (const std::string& e :
         {range_error("eps_r", m.eps_r, eps_r_min, eps_r_max),
          range_error("mu_r", m.mu_r, eps_r_min, eps_r_max),
          range_error("sigma", m.sigma, 0.0, sigma_max, translatable(" S/m"))}) {
        if (!e.empty()) return e;
    }
    // The physics of this program: the wave arrives through a lossless medium.
    if (medium_number == 1 && m.sigma > 0.0) {
        return fill(tr("medium 1 must be lossless, but has sigma %s S/m"), {number_text(m.sigma)});
    }
    return "";
}

Parsed<Medium> named_medium(const Material& material, int medium_number) {
    const MediumValues v = material_at(material, frequency_min_hz).values;
    if (medium_number == 1 && !material.medium1) {
        return {std::nullopt, std::string(material.name) + ": " +
                                  fill(tr("medium 1 must be lossless, but has sigma %s S/m"),
                                       {number_text(v.sigma)})};
    }
    return {Medium{v.eps_r, v.mu_r, v.sigma, material_index(&material)}, ""};
}

Parsed<Medium> parse_medium(const std::string& text, int medium_number) {
    if (const Material* named = find_material(text)) return named_medium(*named, medium_number);
    if (names_material_file(text)) return file_medium(text, medium_number);
    const bool numeric = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) ||
                                           text[0] == '.' || text[0] == '+' || text[0] == '-');
    if (!numeric) {
        return {std::nullopt,
                fill(tr("unknown material '%s' (known: %s)"), {text, material_names()})};
    }
    double values[3] = {0.0, 1.0, 0.0};  // eps_r, mu_r, sigma
    size_t start = 0;
    for (int k = 0;; ++k) {
        const size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma - start);
        const std::optional<double> v = parse_number(part);
        if (k == 3 || !v) {
            return {std::nullopt,
                    fill(tr("invalid medium '%s' (a material's name or EPS_R[,MU_R[,SIGMA]])"),
                         {text})};
        }
        values[k] = *v;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    const Medium m{values[0], values[1], values[2], -1};
    const std::string error = medium_error(m, medium_number);
    if (!error.empty()) return {std::nullopt, error};
    return {m, ""};
}

std::string frequency_error(double hz) {
    if (hz >= frequency_min_hz && hz <= frequency_max_hz) return "";
    return fill(
        tr("frequency %s is out of range (%s to %s)"),
        {frequency_text(hz), frequency_text(frequency_min_hz), frequency_text(frequency_max_hz)});
}

Parsed<double> parse_frequency(const std::string& text) {
    const size_t unit_at = text.find_first_not_of("0123456789+-.eE ");
    std::string number = text.substr(0, unit_at);
    while (!number.empty() && number.back() == ' ') number.pop_back();
    std::string unit = unit_at == std::string::npos ? "" : text.substr(unit_at);
    for (char& c : unit) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const struct {
        const char* unit;
        double hz;
    } units[] = {{"", 1.0},    {"hz", 1.0},   {"khz", 1e3}, {"mhz", 1e6},
                 {"ghz", 1e9}, {"thz", 1e12}, {"phz", 1e15}};
    const std::optional<double> value = parse_number(number);
    for (const auto& u : units) {
        if (unit != u.unit || !value) continue;
        const double hz = *value * u.hz;
        const std::string error = frequency_error(hz);
        if (!error.empty()) return {std::nullopt, error};
        return {hz, ""};
    }
    return {
        std::nullopt,
        fill(tr("invalid frequency '%s' (hertz, or with a unit: 385MHz, 1GHz, 100kHz)"), {text})};
}

void set_medium_1(WaveScenario& sc, const Medium& m) {
    sc.eps_r1 = m.eps_r;
    sc.mu_r1 = m.mu_r;
}

void set_medium_2(WaveScenario& sc, const Medium& m) {
    sc.eps_r2 = m.eps_r;
    sc.mu_r2 = m.mu_r;
    sc.sigma2 = m.sigma;
}

void set_frequency(WaveScenario& sc, double hz) {
    sc.freq = hz;
    sc.omega = two_pi * hz;
}

NamedScenario overridden(NamedScenario named, const ScenarioOverrides& o) {
    if (o.medium1) {
        set_medium_1(named.scenario, *o.medium1);
        named.medium1_material = o.medium1->material;
    }
    if (o.medium2) {
        set_medium_2(named.scenario, *o.medium2);
        named.medium2_material = o.medium2->material;
    }
    if (o.frequency_hz) set_frequency(named.scenario, *o.frequency_hz);
    if (o.theta_i_deg) named.scenario.theta_i = *o.theta_i_deg;
    return named;
}
