#include "core/lesson.h"

#include <toml++/toml.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "core/material_file.h"
#include "core/options.h"
#include "core/scenario_fields.h"
#include "physics/materials.h"
#include "platform/atomic_file.h"
#include "scene/readout_text.h"
#include "scene/translate.h"

namespace {

// A TOML float as the shortest decimal that reads back as the same double (5.05, not
// 5.0499999999999998), whatever the locale; a whole number keeps its ".0".
std::string toml_float(double v) {
    const auto written = [v](int digits) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out.precision(digits);
        out << v;
        return out.str();
    };
    const auto reads_back = [v](const std::string& text) {
        std::istringstream in(text);
        in.imbue(std::locale::classic());
        double back = 0;
        return in >> back && back == v;
    };
    int digits = 1;
    std::string text = written(digits);
    while (digits < 17 && !reads_back(text)) text = written(++digits);
    // Plain digits where they are as short to read: -90, not -9e+01.
    const bool plain = std::fabs(v) >= 1e-4 && std::fabs(v) < 1e16;
    while (plain && digits < 17 && text.find('e') != std::string::npos) text = written(++digits);
    if (text.find_first_of(".en") == std::string::npos) text += ".0";  // not inf, nan, 1e+20
    return text;
}

// The setting of the table that a lesson's top-level key names, if it may stand there.
const Setting* lesson_setting(const std::string& key) {
    for (const Setting& setting : settings) {
        if (setting.lesson_values && lesson_key(setting) == key) return &setting;
    }
    return nullptr;
}

// "lesson.toml:4:11: " where the node is known, "lesson.toml: " otherwise.
std::string where(const std::string& path, const toml::source_region& at) {
    if (at.begin.line == 0) return path + ": ";
    return path + ":" + std::to_string(at.begin.line) + ":" + std::to_string(at.begin.column) +
           ": ";
}

const char* const scenario_keys =
    "name, theta_i, ex_mag, ey_mag, phi_x, phi_y, frequency, "
    "medium1, medium2";

struct Reader {
    std::string path;
    std::string error;  // the first mistake; reading stops there

    bool fail(const toml::node& at, const std::string& message) {
        return fail_at(at.source(), message);
    }
    bool fail_at(const toml::source_region& at, const std::string& message) {
        error = where(path, at) + message;
        return false;
    }

    bool read_number(const toml::node& node, const std::string& key, double& out) {
        const std::optional<double> v = node.is_number() ? node.value<double>() : std::nullopt;
        if (!v) return fail(node, fill(tr("%s must be a number"), {key}));
        if (!std::isfinite(*v)) return fail(node, fill(tr("%s must be a finite number"), {key}));
        out = *v;
        return true;
    }

    bool medium(const toml::node& node, int number, Medium& out) {
        const std::string key = "medium" + std::to_string(number);
        if (const auto* name = node.as_string()) {
            const Material* m = find_material(name->get());
            if (m == nullptr) {
                return fail(node, fill(tr("unknown material '%s' (known: %s)"),
                                       {name->get(), material_names()}));
            }
            const Parsed<Medium> named = named_medium(*m, number);
            if (!named.value)
                return fail(node, key + ": " + named.error.substr(named.error.find(": ") + 2));
            out = *named.value;
            return true;
        } else if (const auto* table = node.as_table(); table && table->contains("file")) {
            // A refractive index file, beside the lesson unless its path is absolute.
            const toml::node& file = *table->get("file");
            if (table->size() != 1)
                return fail(node,
                            fill(tr("%s: a file alone, without eps_r, mu_r or sigma"), {key}));
            if (!file.is_string()) return fail(file, fill(tr("%s.file must be a string"), {key}));
            const std::filesystem::path given(*file.value<std::string>());
            const std::string resolved =
                given.is_absolute() ? given.string()
                                    : (std::filesystem::path(path).parent_path() / given).string();
            const Parsed<Medium> m = file_medium(resolved, number);
            if (!m.value) return fail(file, key + ": " + m.error);
            out = *m.value;
            return true;
        } else if (const auto* table = node.as_table()) {
            out = Medium{0.0, 1.0, 0.0, -1};
            bool has_eps_r = false;
            for (auto&& [k, v] : *table) {
                const std::string name(k.str());
                double* field = name == "eps_r"   ? &out.eps_r
                                : name == "mu_r"  ? &out.mu_r
                                : name == "sigma" ? &out.sigma
                                                  : nullptr;
                if (field == nullptr) {
                    return fail_at(k.source(),
                                   fill(tr("unknown key '%s' in %s (known: eps_r, mu_r, sigma)"),
                                        {name, key}));
                }
                if (!read_number(v, key + "." + name, *field)) return false;
                has_eps_r = has_eps_r || field == &out.eps_r;
            }
            if (!has_eps_r) return fail(node, fill(tr("%s needs eps_r"), {key}));
        } else {
            return fail(
                node,
                fill(tr("%s must be a material's name or a table of eps_r, mu_r, sigma"), {key}));
        }
        const std::string e = medium_error(out, number);
        return e.empty() || fail(node, key + ": " + e);
    }

    bool scenario(const toml::table& table, int index, LessonStep& step) {
        for (auto&& [k, v] : table) {
            const std::string key(k.str());
            bool known = false;
            for (const ScenarioField& n : scenario_fields) {
                if (key != n.name) continue;
                known = true;
                double value = 0.0;
                if (!read_number(v, key, value)) return false;
                const std::string e = range_error(n.name, value, n.lower, n.upper, n.unit);
                if (!e.empty()) return fail(v, e);
                step.scenario.scenario.*n.field = value;
            }
            if (known) continue;
            if (key == "name") {
                if (!v.is_string()) return fail(v, tr("name must be a string"));
                step.name = *v.value<std::string>();
            } else if (key == "frequency") {
                double hz = 0.0;
                if (const auto* text = v.as_string()) {
                    const Parsed<double> f = parse_frequency(text->get());
                    if (!f.value) return fail(v, f.error);
                    hz = *f.value;
                } else if (!read_number(v, key, hz)) {
                    return false;
                }
                const std::string e = frequency_error(hz);
                if (!e.empty()) return fail(v, e);
                set_frequency(step.scenario.scenario, hz);
            } else if (key == "medium1" || key == "medium2") {
                const int number = key == "medium1" ? 1 : 2;
                Medium m{};
                if (!medium(v, number, m)) return false;
                if (number == 1) {
                    set_medium_1(step.scenario.scenario, m);
                    step.scenario.medium1_material = m.material;
                } else {
                    set_medium_2(step.scenario.scenario, m);
                    step.scenario.medium2_material = m.material;
                }
            } else {
                return fail_at(k.source(), fill(tr("unknown key '%s' in scenario %s (known: %s)"),
                                                {key, std::to_string(index), scenario_keys}));
            }
        }
        NamedScenario& named = step.scenario;
        set_named_media(named.scenario, named.medium1_material, named.medium2_material);
        return true;
    }
};

std::string file_name(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The lesson in content, read from path; it may hold no scenario.
Parsed<Lesson> parse_lesson(const std::string& path, const std::string& content,
                            const NamedScenario& base) {
    toml::table root;
    try {
        root = toml::parse(content, path);
    } catch (const toml::parse_error& e) {
        std::string description(e.description());
        for (char& c : description) c = c == '\n' ? ' ' : c;  // one line
        return {std::nullopt, where(path, e.source()) + description};
    }
    Reader reader{path, ""};
    Lesson lesson{file_name(path), {}, {}};
    std::string lesson_settings;  // "theme, palette, "
    for (const Setting& setting : settings) {
        if (setting.lesson_values) lesson_settings += lesson_key(setting) + ", ";
    }
    const toml::array* scenarios = nullptr;
    for (auto&& [k, v] : root) {
        const std::string key(k.str());
        if (key == "title") {
            if (!v.is_string())
                return {std::nullopt, where(path, v.source()) + tr("title must be a string")};
            lesson.title = *v.value<std::string>();
        } else if (const Setting* setting = lesson_setting(key)) {
            const std::optional<std::string> value = v.value<std::string>();
            Options scratch;
            if (!value || !setting->parse(scratch, *value, true).empty()) {
                return {std::nullopt,
                        where(path, v.source()) +
                            fill(tr("%s must be %s"), {key, tr(setting->lesson_values)})};
            }
            lesson.settings.emplace_back(setting->name, *value);
        } else if (key == "scenario") {
            scenarios = v.as_array();
            if (scenarios == nullptr || !(scenarios->empty() || v.is_array_of_tables())) {
                return {std::nullopt,
                        where(path, v.source()) + tr("scenario must be [[scenario]] tables")};
            }
        } else {
            return {std::nullopt, where(path, k.source()) +
                                      fill(tr("unknown key '%s' (known: title, %s[[scenario]])"),
                                           {key, lesson_settings})};
        }
    }
    if (scenarios == nullptr) return {lesson, ""};
    for (const toml::node& node : *scenarios) {
        LessonStep step{"", base};
        if (!reader.scenario(*node.as_table(), int(lesson.steps.size()) + 1, step)) {
            return {std::nullopt, reader.error};
        }
        lesson.steps.push_back(step);
    }
    return {lesson, ""};
}

}  // namespace

Parsed<Lesson> read_lesson(const std::string& path, const NamedScenario& base) {
    std::string content;
    const std::string unread = read_whole_file(path, content);
    if (!unread.empty())
        return {std::nullopt, fill(tr("%s: cannot read the lesson: %s"), {path, unread})};
    return read_lesson_text(path, content, base);
}

Parsed<Lesson> read_lesson_text(const std::string& path, const std::string& content,
                                const NamedScenario& base) {
    if (content.empty())
        return {std::nullopt, fill(tr("%s: the file is empty: no [[scenario]] in it"), {path})};
    Parsed<Lesson> lesson = parse_lesson(path, content, base);
    if (lesson.value && lesson.value->steps.empty()) {
        return {std::nullopt, fill(tr("%s: no [[scenario]] in the lesson"), {path})};
    }
    return lesson;
}

std::string scenario_toml(const std::string& name, const NamedScenario& named) {
    const WaveScenario& sc = named.scenario;
    std::ostringstream quoted;
    quoted << toml::toml_formatter{toml::value<std::string>(name), toml::format_flags::none};
    std::string out = "[[scenario]]\nname = " + quoted.str() + "\n";
    const std::pair<const char*, double> numbers[] = {{"theta_i", sc.theta_i},
                                                      {"ex_mag", sc.ex_mag},
                                                      {"ey_mag", sc.ey_mag},
                                                      {"phi_x", sc.phi_x},
                                                      {"phi_y", sc.phi_y}};
    for (const auto& [key, value] : numbers) out += key + (" = " + toml_float(value)) + "\n";
    // With its unit where that reads back as the same number.
    const std::string hz = frequency_text(sc.freq);
    const Parsed<double> back = parse_frequency(hz);
    out += "frequency = " +
           (back.value && *back.value == sc.freq ? "\"" + hz + "\"" : toml_float(sc.freq)) + "\n";
    const auto put_medium = [&](const char* key, int32_t material, double eps_r, double mu_r,
                                double sigma) {
        out += key;
        const Material* m = material_by_index(material);
        if (m != nullptr && !m->file.empty()) {
            std::ostringstream file;  // a file's path, quoted as TOML quotes
            file << toml::toml_formatter{toml::value<std::string>(m->file),
                                         toml::format_flags::none};
            out += " = { file = " + file.str() + " }\n";
        } else if (m != nullptr) {
            out += std::string(" = \"") + m->name + "\"\n";
        } else {
            out += " = { eps_r = " + toml_float(eps_r) + ", mu_r = " + toml_float(mu_r) +
                   ", sigma = " + toml_float(sigma) + " }\n";
        }
    };
    put_medium("medium1", named.medium1_material, sc.eps_r1, sc.mu_r1, 0.0);
    put_medium("medium2", named.medium2_material, sc.eps_r2, sc.mu_r2, sc.sigma2);
    return out;
}

std::string append_to_lesson(const std::string& path, const std::string& name,
                             const NamedScenario& scenario) {
    // A file that cannot be read, or is no file, is never replaced: its content would be lost.
    const std::string blocked = in_the_way(path);
    if (!blocked.empty()) return fill(tr("left alone, %s"), {blocked});
    std::string before;
    if (name_taken(path)) {
        const std::string unread = read_whole_file(path, before);
        if (!unread.empty()) return fill(tr("left alone, it cannot be read: %s"), {unread});
        // An empty file is an empty lesson.
        const Parsed<Lesson> lesson = parse_lesson(path, before, scenario);
        if (!lesson.value) return fill(tr("left alone, not a lesson: %s"), {lesson.error});
        if (!before.empty() && before.back() != '\n') before += "\n";
        if (!before.empty()) before += "\n";
    }
    if (before.empty()) before = saved_lesson_heading;
    return write_file(path, before + scenario_toml(name, scenario));
}
