// The environment as a source of values: the text of an option's variable,
// and what such a text says of an option that takes no value.
#pragma once

#include "options/OptionParser.h"

#include "slices/StrSlice.h"

#include <string_view>

namespace conkit::detail {

/// The text of `option`'s environment variable, read through `lookup`; ""
/// when it has none, it is not set, or there is no environment.
inline std::string_view environmentText(OptionParser::Environment lookup,
                                        const OptionParser::Option& option) {
    const std::string& variable = option.description().env;
    const char* set = lookup != nullptr && !variable.empty() ? lookup(variable.c_str()) : nullptr;
    return set != nullptr ? std::string_view(set) : std::string_view();
}

/// What a text from the environment or a configuration file says of an
/// option without a value: 1 for on ("1", "true", "yes", "on"), 0 for off
/// ("0", "false", "no", "off"), in any case; -1 for neither.
inline int switchState(std::string_view text) {
    const auto is = [text](std::string_view word) {
        return StrSlice(text.data(), static_cast<std::uint32_t>(text.size()))
            .equalsNoCase(StrSlice(word.data(), static_cast<std::uint32_t>(word.size())));
    };
    if (text.size() > 5) {
        return -1;
    }
    if (is("1") || is("true") || is("yes") || is("on")) {
        return 1;
    }
    return is("0") || is("false") || is("no") || is("off") ? 0 : -1;
}

} // namespace conkit::detail
