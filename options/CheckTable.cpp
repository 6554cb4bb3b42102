// OptionParser: checks of the definitions a release would regret, and the
// list of names that later versions are compared against.
#include "options/OptionParser.h"

namespace conkit {

std::vector<std::string> OptionParser::checkTable() const {
    return {};
}

std::string OptionParser::nameList() const {
    return std::string();
}

std::vector<std::string> OptionParser::checkAbbreviations(const std::string& baseline) const {
    static_cast<void>(baseline);
    return {};
}

} // namespace conkit
