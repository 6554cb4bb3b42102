// A 30-option tool with choices, ranges and a sub-command: conkit against
// CLI11 doing the same job, options defined once outside the timed loop.
#include "bench/AllocationCount.h"

#include "options/OptionParser.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#if defined(CONKIT_HAVE_CLI11)
#include <CLI/CLI.hpp>
#endif

namespace {

/// `search -v -i --color=always -n 50 --format json --level 3 -A 2 -e TEXT
/// index --threads 8 --out db file1 file2 file3`.
const std::vector<std::string>& toolWords() {
    static const std::vector<std::string> words{"search",  "-v",     "-i",       "--color=always",
                                                "-n",      "50",     "--format", "json",
                                                "--level", "3",      "-A",       "2",
                                                "-e",      "needle", "index",    "--threads",
                                                "8",       "--out",  "db",       "file1",
                                                "file2",   "file3"};
    return words;
}

/// What the tool found, in terms both parsers give.
struct Result {
    bool verbose = false;
    bool ignoreCase = false;
    std::string color;
    int maxCount = 0;
    std::string format;
    int level = 0;
    int after = 0;
    std::string pattern;
    bool index = false;
    int threads = 0;
    std::string out;
    std::size_t files = 0;
    bool operator==(const Result& o) const {
        return verbose == o.verbose && ignoreCase == o.ignoreCase && color == o.color &&
               maxCount == o.maxCount && format == o.format && level == o.level &&
               after == o.after && pattern == o.pattern && index == o.index &&
               threads == o.threads && out == o.out && files == o.files;
    }
};

const Result& expected() {
    static const Result want{true, true, "always", 50, "json", 3, 2, "needle", true, 8, "db", 3};
    return want;
}

/// Times `parse` over the tool's command line after checking its answer.
template <class Parse> void runTool(benchmark::State& state, Parse parse) {
    const std::vector<std::string>& words = toolWords();
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());
    if (!(parse(argc, argv.data()) == expected())) {
        state.SkipWithError("wrong answer");
        return;
    }
    const std::uint64_t before = conkit_bench::allocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parse(argc, argv.data()));
    }
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(conkit_bench::allocationCount() - before),
                           benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * argc);
}

void conkitTool(benchmark::State& state) {
    conkit::OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.addHelpOption();
    parser.addOption('V', "version", false, "", "print the version");
    parser.addOption('v', "verbose", false, "", "say more");
    parser.addOption('q', "quiet", false, "", "say less");
    parser.describe("quiet").negatable();
    parser.addOption('c', "color", true, "auto", "when to color");
    parser.describe("color").choices({"always", "never", "auto"});
    parser.addOption('n', "max-count", true, "", "stop after N matches");
    parser.describe("max-count").range(1, 1000);
    parser.addOption('A', "after-context", true, "0", "lines after a match");
    parser.describe("after-context").range(0, 100);
    parser.addOption('B', "before-context", true, "0", "lines before a match");
    parser.describe("before-context").range(0, 100);
    parser.addOption('C', "context", true, "0", "lines around a match");
    parser.describe("context").range(0, 100);
    parser.addOption('\0', "format", true, "text", "output format");
    parser.describe("format").choices({"text", "json", "csv"});
    parser.addOption('\0', "level", true, "5", "effort");
    parser.describe("level").range(1, 9);
    const char* const flags[] = {"ignore-case",        "word-regexp",         "line-regexp",
                                 "files-with-matches", "files-without-match", "with-filename"};
    const char shortFlags[] = {'i', 'w', 'x', 'l', 'L', 'H'};
    for (std::size_t i = 0; i < 6; ++i) {
        parser.addOption(shortFlags[i], flags[i], false, "", "a flag");
    }
    for (int i = 0; i < 10; ++i) {
        parser.addOption('\0', "option" + std::to_string(i), false, "", "a flag");
    }
    parser.addOption('e', "regexp", true, "", "the pattern");
    parser.addOption('f', "file", true, "", "patterns from a file");
    conkit::OptionParser& index = parser.addCommand("index", "build an index");
    index.addOption('t', "threads", true, "1", "worker threads");
    index.describe("threads").range(1, 64);
    index.addOption('o', "out", true, "", "the index file");
    parser.setErrorOutput(nullptr);

    runTool(state, [&parser](int argc, const char* const* argv) {
        Result result;
        if (!parser.parse(argc, argv)) {
            return result;
        }
        result.verbose = parser.isSet('v');
        result.ignoreCase = parser.isSet('i');
        result.color = parser.value("color");
        parser.getValue("max-count", result.maxCount);
        result.format = parser.value("format");
        parser.getValue("level", result.level);
        parser.getValue("after-context", result.after);
        parser.getValue("regexp", result.pattern);
        if (const conkit::OptionParser* command = parser.commandParser()) {
            result.index = true;
            command->getValue("threads", result.threads);
            command->getValue("out", result.out);
            result.files = command->argCount();
        }
        return result;
    });
}

#if defined(CONKIT_HAVE_CLI11)
void cli11Tool(benchmark::State& state) {
    CLI::App app("search", "search");
    Result bound;
    bool quiet = false;
    std::string file;
    bool flagValues[16] = {};
    int before = 0;
    int context = 0;
    std::vector<std::string> files;
    int threads = 1;
    app.set_version_flag("-V,--version", "1.0");
    app.add_flag("-v,--verbose", bound.verbose, "say more");
    app.add_flag("-q,--quiet,!--no-quiet", quiet, "say less");
    app.add_option("-c,--color", bound.color, "when to color")
        ->check(CLI::IsMember({"always", "never", "auto"}));
    app.add_option("-n,--max-count", bound.maxCount, "stop after N matches")
        ->check(CLI::Range(1, 1000));
    app.add_option("-A,--after-context", bound.after, "lines after a match")
        ->check(CLI::Range(0, 100));
    app.add_option("-B,--before-context", before, "lines before a match")
        ->check(CLI::Range(0, 100));
    app.add_option("-C,--context", context, "lines around a match")->check(CLI::Range(0, 100));
    app.add_option("--format", bound.format, "output format")
        ->check(CLI::IsMember({"text", "json", "csv"}));
    app.add_option("--level", bound.level, "effort")->check(CLI::Range(1, 9));
    app.add_flag("-i,--ignore-case", bound.ignoreCase, "a flag");
    const char* const flags[] = {"-w,--word-regexp", "-x,--line-regexp", "-l,--files-with-matches",
                                 "-L,--files-without-match", "-H,--with-filename"};
    for (std::size_t i = 0; i < 5; ++i) {
        app.add_flag(flags[i], flagValues[i], "a flag");
    }
    for (int i = 0; i < 10; ++i) {
        app.add_flag("--option" + std::to_string(i), flagValues[5 + i], "a flag");
    }
    app.add_option("-e,--regexp", bound.pattern, "the pattern");
    app.add_option("-f,--file", file, "patterns from a file");
    CLI::App* index = app.add_subcommand("index", "build an index");
    index->add_option("-t,--threads", threads, "worker threads")->check(CLI::Range(1, 64));
    index->add_option("-o,--out", bound.out, "the index file");
    index->add_option("files", files, "files");

    runTool(state, [&](int argc, const char* const* argv) {
        bound = Result();
        files.clear();
        app.parse(argc, argv);
        Result result = bound;
        result.index = index->parsed();
        result.threads = threads;
        result.files = files.size();
        return result;
    });
}
#endif

[[maybe_unused]] const bool registered = [] {
    benchmark::RegisterBenchmark("tool_30/conkit", conkitTool);
#if defined(CONKIT_HAVE_CLI11)
    benchmark::RegisterBenchmark("tool_30/CLI11", cli11Tool);
#endif
    return true;
}();

} // namespace
