// Response files: reading one and splitting its text into words.
#include "options/sources/ResponseFiles.h"

#include "options/OptionParser.h"

namespace conkit::detail {

std::vector<std::string> responseFileWords(std::string text) {
    bool quoted = false;
    for (char& c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if ((c == '\n' || c == '\r') && !quoted) {
            c = ' ';
        }
    }
    return splitCommandLine(text);
}

} // namespace conkit::detail
