// search written with CLI11, as a competent CLI11 user would: the same tool
// as main.cpp (the same work, Search.cpp) with the behaviours CLI11 offers.
// CLI11 prints no completion scripts or man page, names no program in its
// error lines and takes no unique prefix of a long name (--ignore).
#include "search/Search.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    // argument handling: begin
    CLI::App app{"Print the lines of each FILE that hold PATTERN.", "search"};
    app.set_version_flag("-V,--version", "search 2.0");
    app.footer("Exit status: 0 when a line was selected, 1 when none was, 2 on errors.");
    search::Settings settings;
    app.add_option("PATTERN", settings.pattern, "the text to look for")->required();
    app.add_option("FILE", settings.files, "a file to read (standard input when none)");
    app.add_flag("-i,--ignore-case", settings.ignoreCase, "let letters match in either case");
    app.add_flag("-n,--number", settings.lineNumbers, "print the line number before each line");
    auto* lineNumber = app.add_flag("--line-number", settings.lineNumbers)->group("");
    auto* count =
        app.add_flag("-c,--count", settings.count, "print only how many lines were selected");
    app.add_flag("-v,--invert-match", settings.invert, "select the lines without PATTERN");
    app.add_flag("-q,--quiet", settings.quiet, "print nothing; the exit status tells")
        ->excludes(count);
    app.add_option("-m,--max-count", settings.maxCount,
                   "stop reading a file after NUM selected lines")
        ->check(CLI::Range(1, 1000000));
    app.add_flag("--color{always},--colour{always}", settings.color,
                 "mark the text found in each line")
        ->check(CLI::IsMember({"always", "never", "auto"}))
        ->envname("SEARCH_COLOR");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : 2;
    }
    if (lineNumber->count() != 0) {
        std::cerr << "search: warning: option '--line-number' is deprecated; use '--number'\n";
    }
    // argument handling: end
    return search::run(settings);
}
