#include "scene/translate.h"

std::string language_of(const std::string& locale) {
    const std::string first = locale.substr(0, locale.find(':'));
    const std::string two = first.substr(0, first.find_first_of("_.@-"));  // de_DE, de-DE
    if (two.empty() || two == "C" || two == "POSIX") return "en";
    for (const char* const* l = languages(); *l != nullptr; ++l) {
        if (two == *l) return two;
    }
    return "en";
}

const char* const* languages() {
    static const char* const shipped[] = {"en", "de", "fr", "es", nullptr};
    return shipped;
}

std::string fill(const char* pattern, std::initializer_list<std::string> texts) {
    std::string out;
    auto next = texts.begin();
    for (const char* c = pattern; *c != '\0'; ++c) {
        if (c[0] == '%' && c[1] == 's' && next != texts.end()) {
            out += *next++;
            ++c;
        } else {
            out += *c;
        }
    }
    return out;
}
