// OptionParser: the values of the latest parse, as texts, numbers and lists.
#include "options/OptionParser.h"

#include "slices/StrSlice.h"

namespace conkit {

std::string OptionParser::value(const std::string& name) const {
    const Position position = positionOf(name);
    if (position == detail::noOption) {
        return std::string();
    }
    std::string_view last;
    return std::string(latest.lastValueOf(position, last) ? last : entry(position).defaultValue);
}

std::size_t OptionParser::count(const std::string& name) const {
    const Position position = positionOf(name);
    return position != detail::noOption ? latest.timesNamed(position) : 0;
}

std::vector<std::string> OptionParser::values(const std::string& name) const {
    const Position position = positionOf(name);
    return position != detail::noOption ? latest.valuesOf(position) : std::vector<std::string>();
}

namespace {

template <class T> bool parsedValue(const OptionParser& parser, const std::string& name, T& out) {
    std::string text;
    return parser.getValue(name, text) && StrSlice(text).parseNumber(out);
}

} // namespace

bool OptionParser::getNumber(const std::string& name, short& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, unsigned short& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, int& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, unsigned& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, long& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, unsigned long& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, long long& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, unsigned long long& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, float& out) const {
    return parsedValue(*this, name, out);
}
bool OptionParser::getNumber(const std::string& name, double& out) const {
    return parsedValue(*this, name, out);
}

} // namespace conkit
