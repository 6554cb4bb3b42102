// search: prints the lines of files that hold a text, as a small grep does.
// Shows an optional --color[=WHEN] with choices and an environment fallback,
// a range, a repeatable -v and bundled short options.
#include "common/ToolRequests.h"

#include "options/OptionParser.h"
#include "slices/StrSlice.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#if defined(_WIN32)
#include <io.h>
#define CONKIT_EXAMPLE_ISATTY(stream) _isatty(_fileno(stream))
#else
#include <unistd.h>
#define CONKIT_EXAMPLE_ISATTY(stream) isatty(fileno(stream))
#endif

namespace {

struct Settings {
    bool ignoreCase = false;
    bool lineNumbers = false;
    bool color = false;
    bool fileNames = false;
    long long maxCount = 0; // 0: no limit
    std::size_t verbosity = 0;
};

/// Prints the lines of `in` that hold `text`; returns how many it printed.
long long searchStream(std::istream& in, const std::string& name, conkit::StrSlice text,
                       const Settings& settings) {
    long long found = 0;
    long long number = 0;
    std::string line;
    while ((settings.maxCount == 0 || found < settings.maxCount) && std::getline(in, line)) {
        ++number;
        const conkit::StrSlice slice(line);
        const std::int32_t at = settings.ignoreCase ? slice.findNoCase(text) : slice.find(text);
        if (at < 0) {
            continue;
        }
        ++found;
        if (settings.fileNames) {
            std::cout << name << ':';
        }
        if (settings.lineNumbers) {
            std::cout << number << ':';
        }
        const auto begin = static_cast<std::uint32_t>(at);
        if (settings.color) {
            std::cout << slice.substr(0, begin) << "\033[1;31m" << slice.substr(begin, text.size())
                      << "\033[m" << slice.substr(begin + text.size(), slice.size());
        } else {
            std::cout << line;
        }
        std::cout << '\n';
    }
    return found;
}

} // namespace

int main(int argc, char** argv) {
    conkit::OptionParser parser("Usage: %prog [OPTION]... TEXT [FILE]...", "search 1.0");
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setDescription("Print the lines of each FILE (standard input when there is none) that "
                          "hold TEXT.");
    parser.setFooter("Exit status: 0 when a line was found, 1 when none was, 2 on errors.");
    parser.addHelpOption();
    parser.addOption('V', "version", false, "", "print the version");
    parser.addOption('i', "ignore-case", false, "", "let letters match in either case");
    parser.addOption('n', "line-number", false, "", "print the line number before each line");
    parser.addOption('m', "max-count", true, "", "stop reading a file after NUM lines found");
    parser.describe("max-count").range(1, 1000000).valueName("NUM");
    parser.addOption('\0', "color", true, "never", "mark the text found in each line");
    parser.describe("color")
        .optionalValue("always")
        .choices({"always", "never", "auto"})
        .valueName("WHEN")
        .alias("colour")
        .env("SEARCH_COLOR");
    parser.addOption('v', "verbose", false, "",
                     "say how many lines each file had; twice: "
                     "also name each file read");
    parser.describe("verbose").section("Reporting");
    example::addPresentationOptions(parser);

    if (const int status = example::parseAndAnswer(parser, argc, argv, "search"); status >= 0) {
        return status;
    }
    if (parser.argCount() == 0) {
        std::cerr << "search: no text to search for\nTry 'search --help'.\n";
        return 2;
    }

    Settings settings;
    settings.ignoreCase = parser.isSet("ignore-case");
    settings.lineNumbers = parser.isSet("line-number");
    parser.getValue("max-count", settings.maxCount);
    settings.verbosity = parser.count("verbose");
    const std::string when = parser.value("color");
    settings.color = when == "always" || (when == "auto" && CONKIT_EXAMPLE_ISATTY(stdout) != 0);
    settings.fileNames = parser.argCount() > 2;

    const std::string text = parser.arg(0);
    long long found = 0;
    bool failed = false;
    const auto report = [&settings](const std::string& name, long long lines) {
        if (settings.verbosity != 0) {
            std::cerr << "search: " << name << ": " << lines << " lines found\n";
        }
    };
    if (parser.argCount() == 1) {
        const long long lines = searchStream(std::cin, "-", text, settings);
        report("-", lines);
        found += lines;
    }
    for (std::size_t i = 1; i < parser.argCount(); ++i) {
        const std::string name = parser.arg(i);
        if (settings.verbosity > 1) {
            std::cerr << "search: reading " << name << "\n";
        }
        std::ifstream in(name);
        if (!in) {
            std::cerr << "search: " << name << ": cannot be read\n";
            failed = true;
            continue;
        }
        const long long lines = searchStream(in, name, text, settings);
        report(name, lines);
        found += lines;
    }
    return failed ? 2 : (found != 0 ? 0 : 1);
}
