// Shared pieces of the fuzz targets: silenced standard output, a check that
// aborts with a message, so that libFuzzer records the input, and the rules
// an accepted value must pass.
#pragma once

#include "options/OptionParser.h"
#include "slices/StrSlice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace conkit_fuzz {

/// Sends std::cout to a string stream for the life of the process: the parser
/// prints its error line, and the lines are compared through lastError().
inline void silenceStandardOutput() {
    static std::ostringstream sink;
    std::cout.rdbuf(sink.rdbuf());
    std::cout.setstate(std::ios::badbit); // drop the text instead of keeping it
}

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

/// True when `text` passes the choices and the range of `option`, read
/// independently of the parser's own checks.
inline bool passes(const conkit::OptionParser::Option& option, const std::string& text) {
    using Rules = conkit::OptionParser::Option::Description;
    const Rules& rules = option.description();
    if (!rules.choices.empty() &&
        std::find(rules.choices.begin(), rules.choices.end(), text) == rules.choices.end()) {
        return false;
    }
    const conkit::StrSlice slice(text);
    if (rules.range == Rules::Range::whole) {
        long long number = 0;
        return slice.parseNumber(number) && number >= rules.wholeMin && number <= rules.wholeMax;
    }
    if (rules.range == Rules::Range::real) {
        double number = 0;
        return slice.parseNumber(number) && number >= rules.realMin && number <= rules.realMax;
    }
    return true;
}

} // namespace conkit_fuzz

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : conkit_fuzz::fail(#condition, __FILE__, __LINE__))
