// OptionParser: the text of default values, written as a fresh
// std::ostringstream writes them.
#include "options/OptionParser.h"

#include <sstream>

namespace conkit {

namespace {

template <class T> std::string written(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

} // namespace

std::string OptionParser::streamed(double value) {
    return written(value);
}

std::string OptionParser::streamed(long double value) {
    return written(value);
}

std::string OptionParser::streamed(void (*write)(std::ostream&, const void*), const void* value) {
    std::ostringstream out;
    write(out, value);
    return out.str();
}

} // namespace conkit
