// The desktop's catalogues: gettext's, as msgfmt made them from po/ (installed under
// share/locale). Its language is ours, whatever locales the system has generated: gettext
// takes it from LANGUAGE on the neutral C.UTF-8 when the user's locale is not installed.
#include <libintl.h>

#include <clocale>
#include <cstdlib>

#include "scene/translate.h"

#ifdef __GLIBC__
extern "C" int _nl_msg_cat_cntr;  // gettext's count of changes of language: its caches' key
#endif

namespace {

constexpr const char* domain = "planewave3d";
std::string chosen = "en";

}  // namespace

const char* tr(const char* english) {
    return chosen == "en" ? english : dgettext(domain, english);
}

void set_language(const std::string& locale, const std::string& catalogues) {
    chosen = language_of(locale);
    if (chosen == "en") return;
    if (!catalogues.empty()) bindtextdomain(domain, catalogues.c_str());
    bind_textdomain_codeset(domain, "UTF-8");
    setenv("LANGUAGE", chosen.c_str(), 1);
#ifdef __GLIBC__
    ++_nl_msg_cat_cntr;  // LANGUAGE changed: translations looked up afresh
#endif
    // Messages only; setlocale also tells gettext that its language changed.
    if (std::setlocale(LC_MESSAGES, locale.c_str()) == nullptr)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
}

const std::string& language() {
    return chosen;
}
