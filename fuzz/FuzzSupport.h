// Shared pieces of the fuzz targets: silenced standard output and a check that
// aborts with a message, so that libFuzzer records the input.
#pragma once

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

} // namespace conkit_fuzz

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : conkit_fuzz::fail(#condition, __FILE__, __LINE__))
