// OptionParser: the text of default values of any type, written as a fresh
// std::ostringstream writes them.
#include "options/OptionParser.h"

#include <array>
#include <sstream>

namespace conkit {

namespace {

/// For every type of `list`, a function that streams a value of that type,
/// at the type's position.
template <class... T> constexpr auto streamers(detail::TypeList<T...> /*list*/) {
    return std::array<void (*)(std::ostream&, const void*), sizeof...(T)>{
        [](std::ostream& out, const void* value) { out << *static_cast<const T*>(value); }...};
}

} // namespace

std::string OptionParser::streamed(const void* value, int kind) {
    static constexpr auto writers = streamers(detail::FormattedTypes{});
    return streamed(writers[static_cast<std::size_t>(kind)], value);
}

std::string OptionParser::streamed(void (*write)(std::ostream&, const void*), const void* value) {
    std::ostringstream oss;
    write(oss, value);
    return oss.str();
}

} // namespace conkit
