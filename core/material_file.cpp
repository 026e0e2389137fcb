#include "core/material_file.h"

#include <yaml-cpp/yaml.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "scene/translate.h"

namespace {

struct FileError {
    std::string text;
};

struct Reader {
    const std::string& path;
    std::vector<std::string> lines;  // the file's, for the places of data rows

    [[noreturn]] void fail(int line, int column, const std::string& what) const {
        throw FileError{path + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
                        what};
    }
    [[noreturn]] void fail(const YAML::Node& at, const std::string& what) const {
        fail(at.Mark().line + 1, at.Mark().column + 1, what);
    }

    const YAML::Node key(const YAML::Node& map, const char* name) const {
        const YAML::Node v = map[name];
        if (!v) fail(map, fill(tr("missing key '%s'"), {name}));
        if (!v.IsScalar()) fail(v, fill(tr("%s must be text or numbers"), {name}));
        return v;
    }

    // The numbers of a scalar: rows of `columns` numbers (0: as many as there are, one row).
    std::vector<std::vector<double>> rows(const YAML::Node& node, const char* name,
                                          size_t columns) const {
        const std::string text = node.as<std::string>();
        // A block scalar's rows begin on the line after its indicator.
        int line = node.Mark().line + 1;
        if (size_t(node.Mark().line) < lines.size()) {
            const std::string& first = lines[size_t(node.Mark().line)];
            const size_t at = size_t(node.Mark().column);
            if (at < first.size() && (first[at] == '|' || first[at] == '>')) ++line;
        }
        std::vector<std::vector<double>> out;
        std::istringstream all(text);
        for (std::string row; std::getline(all, row); ++line) {
            std::istringstream numbers(row);
            std::vector<double> values;
            std::string word;
            while (numbers >> word) {
                const std::optional<double> v = parse_number(word);
                if (!v)
                    fail(line, column_of(line, word),
                         fill(tr("%s: '%s' is no number"), {name, word}));
                values.push_back(*v);
            }
            if (values.empty()) continue;
            if (columns != 0 && values.size() != columns) {
                fail(line, column_of(line, row),
                     fill(tr("%s: a row must hold %s numbers"), {name, std::to_string(columns)}));
            }
            out.push_back(values);
        }
        if (out.empty()) fail(node, fill(tr("%s holds no numbers"), {name}));
        return out;
    }
    int column_of(int line, const std::string& word) const {
        if (line < 1 || size_t(line) > lines.size()) return 1;
        const size_t at = lines[size_t(line - 1)].find(word.substr(0, word.find_first_of("\r")));
        return at == std::string::npos ? 1 : int(at) + 1;
    }

    // Wavelengths (first column) ascending and positive, values of the columns after it not
    // negative; kappa may be 0, n may not.
    void columns(const YAML::Node& at, const std::vector<std::vector<double>>& r,
                 std::vector<double>& wavelengths, std::vector<double>* n,
                 std::vector<double>* k) const {
        for (const std::vector<double>& row : r) {
            if (row[0] <= 0.0 || (!wavelengths.empty() && row[0] <= wavelengths.back()))
                fail(at, tr("the wavelengths must rise, from above 0 um"));
            wavelengths.push_back(row[0]);
            if (n != nullptr) {
                if (row[1] <= 0.0) fail(at, tr("n must be above 0"));
                n->push_back(row[1]);
            }
            if (k != nullptr) {
                if (row.back() < 0.0) fail(at, tr("k must not be negative"));
                k->push_back(row.back());
            }
        }
    }

    // A formula must give a real, positive n over its whole range: no pole, n^2 above 0.
    void real_index_throughout(const YAML::Node& at, const IndexData& d) const {
        const Material m = material_from_index("", "", d);
        for (int k = 0; k <= 400; ++k) {
            const double um = d.low_um * std::pow(d.high_um / d.low_um, k / 400.0);
            const MediumValues v = m.models.front().at(c0 / (um * 1e-6));
            if (!(v.eps_r > 0.0) || !std::isfinite(v.eps_r)) {
                char where[48];
                std::snprintf(where, sizeof where, "%.4g", um);
                fail(at, fill(tr("coefficients: no real n at %s um"), {where}));
            }
        }
    }

    IndexData read(const YAML::Node& root) const {
        if (!root.IsMap()) fail(1, 1, tr("not a refractive index file: no DATA"));
        const YAML::Node data = root["DATA"];
        if (!data) fail(root, tr("not a refractive index file: no DATA"));
        if (!data.IsSequence() || data.size() == 0) fail(data, tr("DATA must be a list of data"));
        IndexData d;
        bool has_n = false;
        for (const YAML::Node& entry : data) {
            if (!entry.IsMap()) fail(entry, tr("each of DATA must hold a type"));
            const YAML::Node type = key(entry, "type");
            const std::string kind = type.as<std::string>();
            const bool for_n = kind != "tabulated k";
            if (for_n && has_n) fail(type, fill(tr("a second n (%s): one of them only"), {kind}));
            if (kind == "tabulated nk" || kind == "tabulated n") {
                const bool nk = kind == "tabulated nk";
                const YAML::Node values = key(entry, "data");
                columns(values, rows(values, "data", nk ? 3 : 2), d.n_wavelength_um, &d.n,
                        nk ? &d.k : nullptr);
                if (nk) d.k_wavelength_um = d.n_wavelength_um;
                d.low_um = d.n_wavelength_um.front();
                d.high_um = d.n_wavelength_um.back();
            } else if (kind == "tabulated k") {
                const YAML::Node values = key(entry, "data");
                d.k.clear();
                d.k_wavelength_um.clear();
                columns(values, rows(values, "data", 2), d.k_wavelength_um, nullptr, &d.k);
            } else if (kind == "formula 1" || kind == "formula 2") {
                d.formula = kind == "formula 1" ? IndexData::Formula::sellmeier_1
                                                : IndexData::Formula::sellmeier_2;
                const YAML::Node range = key(entry, "wavelength_range");
                const std::vector<double> band = rows(range, "wavelength_range", 2).front();
                if (band[0] <= 0.0 || band[1] <= band[0])
                    fail(range, tr("wavelength_range must rise, from above 0 um"));
                d.low_um = band[0];
                d.high_um = band[1];
                const YAML::Node c = key(entry, "coefficients");
                d.coefficients = rows(c, "coefficients", 0).front();
                real_index_throughout(c, d);
            } else {
                fail(type,
                     fill(tr("unsupported data type '%s' (tabulated nk, tabulated n, tabulated k, "
                             "formula 1 or formula 2)"),
                          {kind}));
            }
            if (for_n) d.kind = kind;
            has_n = has_n || for_n;
        }
        if (!has_n) fail(data, tr("no n in the file (tabulated nk, tabulated n, formula 1 or 2)"));
        return d;
    }
};

}  // namespace

Parsed<IndexData> read_material_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {std::nullopt,
                fill(tr("%s: cannot read the material: %s"), {path, std::strerror(errno)})};
    std::stringstream content;
    content << in.rdbuf();
    Reader reader{path, {}};
    std::istringstream split(content.str());
    for (std::string line; std::getline(split, line);) reader.lines.push_back(line);
    try {
        return {reader.read(YAML::Load(content.str())), ""};
    } catch (const FileError& e) {
        return {std::nullopt, e.text};
    } catch (const YAML::Exception& e) {
        return {std::nullopt, path + ":" + std::to_string(e.mark.line + 1) + ":" +
                                  std::to_string(e.mark.column + 1) + ": " + e.msg};
    }
}

Parsed<Medium> file_medium(const std::string& path, int medium_number) {
    const Parsed<IndexData> data = read_material_file(path);
    if (!data.value) return {std::nullopt, data.error};
    const std::filesystem::path file = std::filesystem::absolute(path);
    const Material m = material_from_index(file.stem().string(), file.string(), *data.value);
    if (medium_number == 1 && !m.medium1) {
        return {std::nullopt,
                fill(tr("%s: medium 1 must be lossless, but its k is above 0"), {path})};
    }
    const int32_t index = add_material(m);
    const MediumValues v = material_at(*material_by_index(index), frequency_min_hz).values;
    return {Medium{v.eps_r, v.mu_r, v.sigma, index}, ""};
}
