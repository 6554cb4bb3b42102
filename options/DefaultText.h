// Not part of the interface: the body of the template OptionParser::addOption's
// conversion of a default to text, which OptionParser.h includes. It stands at
// the top of options/ because every header OptionParser.h includes is installed.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <type_traits>

namespace conkit::detail {

/// The text the template OptionParser::addOption stores for a default of type T
/// (docs/options-table.md); `stream` is the library's writer through a
/// std::ostream, for floating-point numbers and types with an operator<<.
template <class T, class Stream> std::string defaultText(const T& value, Stream stream) {
    if constexpr (std::is_convertible_v<const T&, const char*>) {
        const char* text = value;
        return text != nullptr ? text : "";
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        return std::string(std::string_view(value));
    } else if constexpr (std::is_same_v<T, bool>) {
        return value ? "1" : "0";
    } else if constexpr (std::is_same_v<T, char> || std::is_same_v<T, signed char> ||
                         std::is_same_v<T, unsigned char>) {
        return std::string(1, static_cast<char>(value));
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        return std::to_string(static_cast<long long>(value));
    } else if constexpr (std::is_integral_v<T>) {
        return std::to_string(static_cast<unsigned long long>(value));
    } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
        return stream(static_cast<double>(value));
    } else if constexpr (std::is_same_v<T, long double>) {
        return stream(value);
    } else {
        void (*write)(std::ostream&, const void*) = [](std::ostream& out, const void* p) {
            out << *static_cast<const T*>(p);
        };
        return stream(write, static_cast<const void*>(&value));
    }
}

} // namespace conkit::detail
