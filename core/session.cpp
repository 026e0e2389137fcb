#include "core/session.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/options.h"
#include "physics/materials.h"
#include "scene/translate.h"

Session::Session() {
    load_scenario(*this, startup_named_scenario(), startup_origin);
    scenario_changed(*this);
}

std::string origin_text(const Session& s, const ScenarioOrigin& o) {
    const std::vector<LessonStep>& steps = s.lesson.lesson.steps;
    if (o.lesson_step >= 0 && size_t(o.lesson_step) < steps.size()) {
        const LessonStep& step = steps[size_t(o.lesson_step)];
        std::string text = s.lesson.lesson.title + " \u2014 " + std::to_string(o.lesson_step + 1) +
                           "/" + std::to_string(steps.size());
        if (!step.name.empty()) text += ": " + step.name;
        return o.custom ? fill(tr("custom (from %s)"), {text}) : text;
    }
    const char* kind = o.kind == ExampleKind::linear     ? tr("linear")
                       : o.kind == ExampleKind::circular ? tr("circular")
                                                         : tr("elliptical");
    const std::string name = std::string(kind) + " " + std::to_string(o.index);
    if (o.custom) return fill(tr("custom (from %s)"), {name});
    return name + ": " + tr(example(o.kind, o.index).description);
}

NamedScenario startup_named_scenario() {
    return NamedScenario{startup_example.scenario, -1, -1};
}

void load_scenario(Session& s, const NamedScenario& named, const ScenarioOrigin& origin) {
    s.scenario = named.scenario;
    s.label.medium1_material = named.medium1_material;
    s.label.medium2_material = named.medium2_material;
    s.origin = origin;
}

NamedScenario current_named_scenario(const Session& s) {
    return NamedScenario{s.scenario, s.label.medium1_material, s.label.medium2_material};
}

void scenario_changed(Session& s) {
    set_named_media(s.scenario, s.label.medium1_material, s.label.medium2_material);
    s.solution = solve_wave_interface(s.scenario, s.animation.frames_per_period);
    s.label.origin = origin_text(s, s.origin);
}

void start_lesson(Session& s, const Lesson& lesson) {
    s.lesson = LessonState{lesson, 0};
    for (const auto& [name, value] : lesson.settings) {
        const Setting* setting = find_setting(name);
        Options o;
        setting->parse(o, value, true);
        setting->apply(s, o);
    }
    ScenarioOrigin origin = startup_origin;
    origin.lesson_step = 0;
    load_scenario(s, lesson.steps.front().scenario, origin);
    scenario_changed(s);
}

std::string load_start_scenario(Session& s, const std::string& lesson_path,
                                const ScenarioOverrides& overrides) {
    if (lesson_path.empty()) {
        // The start-up scenario, changed by an option, is the user's own.
        ScenarioOrigin origin = startup_origin;
        origin.custom = overrides.medium1 || overrides.medium2 || overrides.frequency_hz ||
                        overrides.theta_i_deg;
        load_scenario(s, overridden(startup_named_scenario(), overrides), origin);
        scenario_changed(s);
        return "";
    }
    Parsed<Lesson> lesson = read_lesson(lesson_path, startup_named_scenario());
    if (!lesson.value) return lesson.error;
    for (LessonStep& step : lesson.value->steps) {
        step.scenario = overridden(step.scenario, overrides);
    }
    start_lesson(s, *lesson.value);
    return "";
}

namespace {

// The Fresnel curves of the current media, sampled again only when the media or the
// frequency change.
const FresnelCurves& current_curves(Session& s) {
    CurvesCache& c = s.curves;
    if (!c.media || !same_curves(*c.media, s.scenario)) {
        c.curves = fresnel_curves(s.scenario);
        c.media = s.scenario;
    }
    return c.curves;
}

// The curves against frequency, sampled again only when the media or the angle change.
const SpectrumCurves& current_spectrum(Session& s) {
    NamedScenario key = current_named_scenario(s);
    WaveScenario& k = key.scenario;
    k.ex_mag = k.ey_mag = k.phi_x = k.phi_y = k.freq = k.omega = 0.0;
    if (key.medium1_material >= 0) k.eps_r1 = k.mu_r1 = 0.0;
    if (key.medium2_material >= 0) k.eps_r2 = k.mu_r2 = k.sigma2 = 0.0;
    SpectrumCache& c = s.spectrum;
    if (!c.media || std::memcmp(&*c.media, &key, sizeof key) != 0) {
        c.curves = spectrum_curves(s.scenario, key.medium1_material, key.medium2_material);
        c.media = key;
    }
    return c.curves;
}

// The field map's phasors of the current scenario, computed again only when it changes.
const FieldMapPhasors& current_field_map(Session& s) {
    FieldMapCache& c = s.field_map;
    if (!c.scenario || std::memcmp(&*c.scenario, &s.scenario, sizeof s.scenario) != 0) {
        c.phasors = field_map_phasors(s.scenario, s.solution);
        c.scenario = s.scenario;
    }
    return c.phasors;
}

}  // namespace

FrameInputs frame_inputs(Session& s) {
    const AnimationState& a = s.animation;
    return FrameInputs{
        s.scenario,
        s.solution,
        s.view,
        s.presentation,
        s.screen.window_width,
        s.screen.window_height,
        a.frame_index,
        a.frames_per_period,
        a.tangential_toggle == 1,
        !clock_running(a.pause_counter),
        s.label,
        s.activity,
        s.presentation.curves != CurvesMode::off && s.presentation.curves != CurvesMode::spectrum
            ? &current_curves(s)
            : nullptr,
        s.presentation.readout_shown && s.scenario.sigma2 != 0.0
            ? current_curves(s).pseudo_brewster_deg
            : std::nullopt,
        s.presentation.field_map != FieldMapMode::off ? &current_field_map(s) : nullptr,
        s.presentation.curves == CurvesMode::spectrum ? &current_spectrum(s) : nullptr};
}
