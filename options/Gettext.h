// The library's texts in the language of the user, through gettext: a
// Translator for OptionParser::setTranslator. Built where <libintl.h> is
// (glibc has it); left out of builds without it, such as the MinGW ones.
#pragma once

#include "options/Export.h"
#include "options/Messages.h"

#include <string>

namespace conkit {

/// The translation of `english` in the gettext domain "conkit" (its
/// message context the name of `id`), or "" when there is none. The domain is
/// bound on first use to the folder conkit was installed for
/// (PREFIX/share/locale), unless the program bound it itself.
[[nodiscard]] CONKIT_OPTIONS_API std::string gettextTranslator(MessageId id, const char* english);

} // namespace conkit
