// search: the tool's own work, shared by the conkit program (main.cpp) and
// its CLI11 twin (cli11.cpp), so that the two differ only in their argument
// handling.
#pragma once

#include <string>
#include <vector>

namespace search {

/// What the command line asked for.
struct Settings {
    std::string pattern;
    std::vector<std::string> files; // none: standard input; "-" also names it
    bool ignoreCase = false;
    bool lineNumbers = false;
    bool count = false;
    bool invert = false;
    bool quiet = false;
    long long maxCount = 0;      // 0: no limit
    std::string color = "never"; // always, never or auto
};

/// Prints the lines of the files that hold the pattern (or, with `invert`,
/// those that do not) as `settings` say. Returns the exit status: 0 when a
/// line was selected, 1 when none was, 2 when a file could not be read.
int run(const Settings& settings);

} // namespace search
