// Whether a value passes the choices and the range an option was described
// with, and how a range reads in a message.
#pragma once

#include "options/OptionParser.h"
#include "slices/StrSlice.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
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

/// True when `rules` ask anything of a value: choices, a range or a check.
inline bool checksValues(const Rules& rules) noexcept {
    return !rules.choices.empty() || rules.range != Rules::Range::none || rules.check != nullptr;
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

/// Sets one end of a whole range, as atLeast (`lower`) and atMost do: the
/// other end stays what a whole range gave it, else is left open (the
/// extreme of a long long, which every whole number passes).
inline void setBound(Rules& rules, bool lower, long long limit) {
    using Ends = Rules::Ends;
    if (rules.range != Rules::Range::whole) {
        rules.range = Rules::Range::whole;
        rules.wholeMin = std::numeric_limits<long long>::min();
        rules.wholeMax = std::numeric_limits<long long>::max();
        rules.ends = lower ? Ends::lowerOnly : Ends::upperOnly;
    } else if (rules.ends != (lower ? Ends::lowerOnly : Ends::upperOnly)) {
        rules.ends = Ends::both; // the end given before, or a range, closes the other
    }
    (lower ? rules.wholeMin : rules.wholeMax) = limit;
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

/// What the range of `rules` asks for after "a number ": "from MIN to MAX",
/// or for one end alone "of at least MIN" or "of at most MAX".
inline std::string rangeWords(const Rules& rules) {
    const auto [min, max] = rangeLimits(rules);
    if (rules.range == Rules::Range::whole && rules.ends == Rules::Ends::lowerOnly) {
        return "of at least " + min;
    }
    if (rules.range == Rules::Range::whole && rules.ends == Rules::Ends::upperOnly) {
        return "of at most " + max;
    }
    return "from " + min + " to " + max;
}

} // namespace conkit::detail
