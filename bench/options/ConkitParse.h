// conkit's side of the parse benchmarks: its parser for the benchmark lines,
// the answers it must give, and the timed loop. Included by the benchmarks of
// the current sources and by those of a baseline revision built beside them
// (bench/BaselineBench.cpp), each of which sees its own conkit; everything
// here has internal linkage so that the two copies never meet.
#pragma once

#include "../AllocationCount.h"
#include "../Workloads.h"

#include "options/OptionParser.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

using conkit_bench::CommandLine;

/// What a parser made of a command line, for the check before timing.
struct Result {
    std::string user;
    bool password = false;
    std::size_t positional = 0;
    bool operator==(const Result& o) const {
        return user == o.user && password == o.password && positional == o.positional;
    }
};

/// What a word of the benchmark lines is: plain, or which option word.
enum class Word { plain, password, user, userWithValue, flag };

Word wordKind(const std::string& word) {
    if (word == "-p" || word == "--password") {
        return Word::password;
    }
    if (word == "-u" || word == "--user") {
        return Word::user;
    }
    if (word.rfind("--user=", 0) == 0) {
        return Word::userWithValue;
    }
    return word.rfind("--flag", 0) == 0 ? Word::flag : Word::plain;
}

/// The demo's four options, plus `extraFlags` flag options "flag0", ...
conkit::OptionParser conkitParser(std::size_t extraFlags) {
    conkit::OptionParser parser("%prog", "demo 1.0");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption('u', "user", true, "", "username");
    parser.addOption('p', "password", false, "", "password");
    for (std::size_t i = 0; i < extraFlags; ++i) {
        parser.addOption('\0', "flag" + std::to_string(i), false, "", "an extra flag");
    }
    return parser;
}

/// conkit's own answer: the last word after an option word is its value, so
/// in the large line each "--user=NAME" but the last takes the next file.
Result expectedConkit(const CommandLine& line) {
    Result result;
    Word previous = Word::plain;
    for (std::size_t i = 1; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        const Word kind = wordKind(word);
        if (kind == Word::password) {
            result.password = true;
        } else if (kind == Word::userWithValue) {
            result.user = word.substr(7);
        } else if (kind == Word::plain && previous == Word::plain) {
            ++result.positional;
        } else if (kind == Word::plain &&
                   (previous == Word::user || previous == Word::userWithValue)) {
            result.user = word;
        }
        previous = kind;
    }
    return result;
}

/// Everyone else's answer: options take only their own arguments.
Result expectedOthers(const CommandLine& line) {
    Result result;
    for (std::size_t i = 1; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        switch (wordKind(word)) {
        case Word::password:
            result.password = true;
            break;
        case Word::user:
            result.user = line.words[++i];
            break;
        case Word::userWithValue:
            result.user = word.substr(7);
            break;
        case Word::flag:
            break;
        case Word::plain:
            ++result.positional;
            break;
        }
    }
    return result;
}

template <class Parse>
void runParse(benchmark::State& state, const CommandLine& line, const Result& want, Parse parse) {
    // The check is the first parse of a fresh parser: its allocations are
    // those of a program that parses once.
    const std::uint64_t fresh = conkit_bench::allocationCount();
    const bool right = parse(line) == want;
    const auto firstAllocations = static_cast<double>(conkit_bench::allocationCount() - fresh);
    if (!right) {
        state.SkipWithError("wrong answer");
        return;
    }
    const std::uint64_t before = conkit_bench::allocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parse(line));
    }
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(conkit_bench::allocationCount() - before),
                           benchmark::Counter::kAvgIterations);
    state.counters["first_allocs"] = firstAllocations;
    state.counters["words"] = static_cast<double>(line.words.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(line.words.size()));
}

void conkitParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags,
                 conkit::Syntax syntax) {
    conkit::OptionParser parser = conkitParser(extraFlags);
    parser.setSyntax(syntax);
    const Result want = syntax == conkit::Syntax::gnu ? expectedOthers(line) : expectedConkit(line);
    runParse(state, line, want, [&parser](const CommandLine& l) {
        Result result;
        if (parser.parse(l.argc(), l.argv.data())) {
            parser.getValue("user", result.user);
            result.password = parser.isSet('p');
            result.positional = parser.argCount();
        }
        return result;
    });
}

void conkitClassicParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags) {
    conkitParse(state, line, extraFlags, conkit::Syntax::classic);
}

void conkitGnuParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags) {
    conkitParse(state, line, extraFlags, conkit::Syntax::gnu);
}

/// The large line: 1,000 files and 200 "--user=NAME".
const CommandLine& largeLine() {
    static const CommandLine line = conkit_bench::largeCommandLine(1000);
    return line;
}

using Runner = void (*)(benchmark::State&, const CommandLine&, std::size_t);

void registerParser(const std::string& name, Runner runner, const CommandLine& line,
                    std::size_t extraFlags) {
    benchmark::RegisterBenchmark(name.c_str(), [runner, &line, extraFlags](benchmark::State& s) {
        runner(s, line, extraFlags);
    });
}

} // namespace
