// Splitting of a one-string command line into words.
#include "options/OptionParser.h"

namespace conkit {

std::vector<std::string> splitCommandLine(const std::string& line) {
    std::vector<std::string> arr;
    std::string::size_type wordStart = 0;
    bool inQuotes = false;
    bool afterBlank = false;
    for (std::string::size_type i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            // A closing quote always ends a word, even an empty one; an opening
            // quote ends the text standing directly before it.
            if (inQuotes || (i > wordStart && !afterBlank)) {
                arr.emplace_back(line, wordStart, i - wordStart);
            }
            wordStart = i + 1;
            inQuotes = !inQuotes;
            afterBlank = false;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            // After a blank the word start equals i, so a run of blanks emits
            // nothing more.
            if (!afterBlank && i > wordStart) {
                arr.emplace_back(line, wordStart, i - wordStart);
            }
            wordStart = i + 1;
            afterBlank = true;
        } else {
            afterBlank = false;
        }
    }
    if (wordStart < line.size()) {
        arr.emplace_back(line, wordStart, std::string::npos);
    }
    return arr;
}

} // namespace conkit
