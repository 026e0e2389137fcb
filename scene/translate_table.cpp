// The catalogues built into the program, where it reads no files of its own (the page, the
// Windows build): the same po/ files, turned into a table by scripts/po_table.py.
#include <algorithm>
#include <cstring>

#include "scene/translate.h"
#include "translations.inc"  // struct Translation tables[]: language, English, translation

namespace {

std::string chosen = "en";

}  // namespace

const char* tr(const char* english) {
    if (chosen == "en") return english;
    // Sorted by language, then by the English text.
    const auto* end = std::end(translations);
    const auto* at = std::lower_bound(
        std::begin(translations), end, english, [](const Translation& t, const char* text) {
            const int l = std::strcmp(t.language, chosen.c_str());
            return l < 0 || (l == 0 && std::strcmp(t.english, text) < 0);
        });
    return at != end && chosen == at->language && std::strcmp(at->english, english) == 0
               ? at->translated
               : english;
}

void set_language(const std::string& locale, const std::string&) {
    chosen = language_of(locale);
}

const std::string& language() {
    return chosen;
}
