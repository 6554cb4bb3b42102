// search: the tool's texts, and the library's, in the language of the person
// at the terminal, through gettext where the system has it (the search
// domain holds the tool's own texts, conkit's the library's).
#pragma once

#include "options/OptionParser.h"

/// `english`, a text of the tool's own, in the user's language: the name
/// every program that uses gettext gives it.
#define _(english) search::text(english)

#if __has_include(<libintl.h>)
#include "options/Gettext.h"

#include <libintl.h>

#include <clocale>

namespace search {

/// `text` in the user's language.
inline const char* text(const char* english) {
    return dgettext("search", english);
}

/// Reads the user's language from the environment, and finds the
/// translations where the build put them.
inline void useTheUsersLanguage() {
    std::setlocale(LC_ALL, "");
#if defined(SEARCH_LOCALEDIR)
    bindtextdomain("search", SEARCH_LOCALEDIR);
    bindtextdomain("conkit", SEARCH_LOCALEDIR);
#endif
}

/// What translates the library's texts.
inline constexpr conkit::Translator translator = conkit::gettextTranslator;

} // namespace search

#else // no gettext: English

namespace search {
inline const char* text(const char* english) {
    return english;
}
inline void useTheUsersLanguage() {}
inline constexpr conkit::Translator translator = nullptr;
} // namespace search

#endif
