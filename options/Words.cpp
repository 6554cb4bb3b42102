// Small text helpers of the option parser.
#include "options/Words.h"

#include "options/detail/PathName.h"

namespace conkit {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

int splitAt(const std::string& text, char separator, std::string& first, std::string& second) {
    const std::string::size_type at = text.find(separator);
    if (at == std::string::npos) {
        first = text;
        second.clear();
        return 1;
    }
    first.assign(text, 0, at);
    second.assign(text, at + 1, std::string::npos);
    return 2;
}

std::string baseName(const std::string& path) {
    return std::string(detail::lastPathComponent(path));
}

} // namespace conkit
