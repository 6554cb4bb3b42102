// Small text helpers of the option parser.
#include "options/OptionParser.h"

#include "options/text/PathName.h"

namespace conkit {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

int splitAt(const std::string& text, char separator, std::string& first, std::string& second) {
    // Both parts are cut out before either output is written: `first` or
    // `second` may be `text` itself.
    const std::string::size_type at = text.find(separator);
    std::string head(text, 0, at);
    std::string tail = at != std::string::npos ? text.substr(at + 1) : std::string();
    first.swap(head);
    second.swap(tail);
    return at != std::string::npos ? 2 : 1;
}

std::string baseName(const std::string& path) {
    return std::string(detail::lastPathComponent(path));
}

} // namespace conkit
