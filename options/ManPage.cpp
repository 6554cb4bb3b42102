// OptionParser: the man page of a tool, in the roff of the man macros.
#include "options/OptionParser.h"

namespace conkit {

std::string OptionParser::manPage(const std::string& program, int section) const {
    static_cast<void>(program);
    static_cast<void>(section);
    return std::string();
}

} // namespace conkit
