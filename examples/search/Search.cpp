// search: reads the files and prints the selected lines.
#include "search/Search.h"

#include "search/Language.h"

#include "slices/StrSlice.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>

#if defined(_WIN32)
#include <io.h>
#define CONKIT_EXAMPLE_ISATTY(stream) _isatty(_fileno(stream))
#else
#include <unistd.h>
#define CONKIT_EXAMPLE_ISATTY(stream) isatty(fileno(stream))
#endif

namespace search {

namespace {

/// One search over several inputs.
class Search {
public:
    explicit Search(const Settings& chosen)
        : settings(chosen), pattern(chosen.pattern), names(chosen.files.size() > 1),
          color(!chosen.invert && !chosen.pattern.empty() &&
                (chosen.color == "always" ||
                 (chosen.color == "auto" && CONKIT_EXAMPLE_ISATTY(stdout) != 0))) {}

    /// Searches `in`, shown as `name`; returns how many lines it selected.
    long long stream(std::istream& in, const std::string& name) const {
        long long selected = 0;
        long long number = 0;
        std::string line;
        while ((settings.maxCount == 0 || selected < settings.maxCount) && std::getline(in, line)) {
            ++number;
            const conkit::StrSlice slice(line);
            if ((pattern.empty() || at(slice, 0) >= 0) == settings.invert) {
                continue;
            }
            ++selected;
            if (settings.quiet) {
                return selected; // the exit status is all that is asked for
            }
            if (!settings.count) {
                prefix(name);
                if (settings.lineNumbers) {
                    std::cout << number << ':';
                }
                print(slice);
            }
        }
        if (settings.count) {
            prefix(name);
            std::cout << selected << '\n';
        }
        return selected;
    }

private:
    /// Where the pattern next begins in `line` at or after `start`, or -1.
    std::int32_t at(conkit::StrSlice line, std::uint32_t start) const {
        return settings.ignoreCase ? line.findNoCase(pattern, start) : line.find(pattern, start);
    }

    /// Names the file before its lines and counts when there are several.
    void prefix(const std::string& name) const {
        if (names) {
            std::cout << name << ':';
        }
    }

    /// Prints `line`, marking every place the pattern holds when colour is on.
    void print(conkit::StrSlice line) const {
        std::uint32_t printed = 0;
        for (std::int32_t found = color ? at(line, 0) : -1; found >= 0; found = at(line, printed)) {
            const auto begin = static_cast<std::uint32_t>(found);
            const std::uint32_t end = begin + pattern.size();
            std::cout << line.subRange(printed, begin) << "\033[1;31m" << line.subRange(begin, end)
                      << "\033[m";
            printed = end;
        }
        std::cout << line.subRange(printed, line.size()) << '\n';
    }

    const Settings& settings;
    const conkit::StrSlice pattern;
    const bool names;
    const bool color;
};

} // namespace

int run(const Settings& settings) {
    const Search search(settings);
    const std::vector<std::string> standardInput{"-"};
    long long selected = 0;
    bool failed = false;
    for (const std::string& name : settings.files.empty() ? standardInput : settings.files) {
        std::ifstream file;
        if (name != "-") {
            file.open(name);
            if (!file) {
                std::cerr << "search: " << name << ": " << _("cannot be read") << "\n";
                failed = true;
                continue;
            }
        }
        selected +=
            name == "-" ? search.stream(std::cin, "(standard input)") : search.stream(file, name);
        if (settings.quiet && selected != 0) {
            return 0;
        }
    }
    return failed ? 2 : (selected != 0 ? 0 : 1);
}

} // namespace search
