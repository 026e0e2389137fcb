// The program's texts in the user's language. Every English text a user reads goes through
// tr(): under C, POSIX and English locales, and for a text a catalogue lacks, it is the English
// itself, byte for byte. Only the messages' locale is ever set, so numbers keep the decimal
// point and a value read off the screen works as an option.
#pragma once

#include <initializer_list>
#include <string>

// The text in the language chosen last; the English until one is.
const char* tr(const char* english);

// Chooses the language from a locale's name ("de_DE.UTF-8", "fr", "es_ES", "C"), or from the
// first of a colon-separated list ("de:fr"); a language without a catalogue is English.
// catalogues: the folder of LL/LC_MESSAGES/planewave3d.mo where catalogues are files.
void set_language(const std::string& locale, const std::string& catalogues = "");

// The language in use: "de", "fr", "es" or "en".
const std::string& language();

// The two letters of a locale's language, "en" for C and POSIX ("de_DE.UTF-8" -> "de").
std::string language_of(const std::string& locale);

// The languages with a catalogue, English first.
const char* const* languages();

// Marks a text of a table for the catalogues; tr() translates it where it is shown.
constexpr const char* translatable(const char* english) {
    return english;
}

// A translated pattern with each "%s" filled in turn: fill(tr("invalid view '%s'"), {name}).
std::string fill(const char* pattern, std::initializer_list<std::string> texts);
