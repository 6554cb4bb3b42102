// Whether a value passes the choices and the range an option was described
// with, and how a range reads in a message.
#pragma once

#include "options/OptionParser.h"
#include "slices/StrSlice.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace conkit::detail {

using Rules = OptionParser::Option::Description;

/// True when `rules` list no choices or `text` is one of them, compared
/// exactly.
inline bool isChoice(const Rules& rules, std::string_view text) {
    return rules.choices.empty() ||
           std::find(rules.choices.begin(), rules.choices.end(), text) != rules.choices.end();
}

/// True when `rules` set no range, or `text` as a whole is a number from the
/// minimum to the maximum (as `StrSlice::parseNumber` reads it into a long
/// long for a whole range, a double for a real one).
inline bool inRange(const Rules& rules, std::string_view text) {
    // A text too long for a slice's 32-bit size would be cut; it is no number.
    const StrSlice slice(text.data(), static_cast<std::uint32_t>(text.size()));
    if (rules.range == Rules::Range::whole) {
        long long number = 0;
        return text.size() == slice.size() && slice.parseNumber(number) &&
               number >= rules.wholeMin && number <= rules.wholeMax;
    }
    if (rules.range == Rules::Range::real) {
        double number = 0;
        return text.size() == slice.size() && slice.parseNumber(number) &&
               number >= rules.realMin && number <= rules.realMax;
    }
    return true;
}

/// True when `text` passes both the choices and the range of `rules`.
inline bool acceptsValue(const Rules& rules, std::string_view text) {
    return isChoice(rules, text) && inRange(rules, text);
}

/// The choices of `rules` as the error lines, the checks and the help list
/// them: "A, B, C", in the order given.
inline std::string joinedChoices(const Rules& rules) {
    std::string list;
    for (const std::string& choice : rules.choices) {
        list += &choice == &rules.choices.front() ? "" : ", ";
        list += choice;
    }
    return list;
}

/// The limits of the range of `rules` as texts: whole numbers as they are,
/// real ones as printf's %g writes them.
inline std::pair<std::string, std::string> rangeLimits(const Rules& rules) {
    if (rules.range == Rules::Range::whole) {
        return {std::to_string(rules.wholeMin), std::to_string(rules.wholeMax)};
    }
    const auto written = [](double limit) {
        char text[32];
        static_cast<void>(std::snprintf(text, sizeof text, "%g", limit));
        return std::string(text);
    };
    return {written(rules.realMin), written(rules.realMax)};
}

/// The limits of the range of `rules` as "MIN to MAX".
inline std::string rangeText(const Rules& rules) {
    const auto [min, max] = rangeLimits(rules);
    return min + " to " + max;
}

} // namespace conkit::detail
