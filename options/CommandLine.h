// Splitting of a whole command line, given as one string, into words.
#pragma once

#include "options/Export.h"

#include <string>
#include <vector>

namespace conkit {

/// Splits `line` into words, in the order they stand.
///
/// - Blanks and tabs separate words; a run of them counts as one separator,
///   and leading or trailing ones produce no words.
/// - A double quote opens or closes a quoted stretch. Inside it, blanks and
///   tabs are ordinary word characters. Quote characters never appear in a
///   word and always end the word before them: `ab"cd"ef` gives "ab", "cd",
///   "ef", and `--user="John Smith"` gives "--user=", "John Smith".
/// - A closing quote always ends a word, so `""` gives one empty word; an
///   unclosed stretch runs to the end of the line.
/// - Every other byte (backslash, single quote, line ends, NUL, 0x80 to 0xFF)
///   is an ordinary word character; there are no escapes.
///
/// An empty line or one of blanks and tabs only gives no words.
[[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> splitCommandLine(const std::string& line);

} // namespace conkit
