// Parsing an argument vector: conkit against getopt_long, cxxopts, CLI11 and
// boost.program_options on the same command lines. Option definitions are
// made once, outside the timed loop, wherever the library allows reuse.
#include "ConkitParse.h"

#include <benchmark/benchmark.h>
#include <getopt.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#if defined(CONKIT_HAVE_CXXOPTS)
#include <cxxopts.hpp>
#endif
#if defined(CONKIT_HAVE_CLI11)
#include <CLI/CLI.hpp>
#endif
#if defined(CONKIT_HAVE_BOOST_PO)
#include <boost/program_options.hpp>
#endif

namespace {

/// getopt_long in order ("-" leads the short options: plain words come back as
/// code 1, in place), as the classic syntax reads a line; or permuting, its
/// default, as the gnu syntax does (plain words are moved behind the options).
void getoptParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags,
                 bool permute) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < extraFlags; ++i) {
        names.push_back("flag" + std::to_string(i));
    }
    std::vector<option> longOptions{{"help", no_argument, nullptr, 'h'},
                                    {"version", no_argument, nullptr, 'v'},
                                    {"user", required_argument, nullptr, 'u'},
                                    {"password", no_argument, nullptr, 'p'}};
    for (const std::string& name : names) {
        longOptions.push_back({name.c_str(), no_argument, nullptr, 'f'});
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});
    // getopt_long may reorder argv, so each run gets a fresh copy of the
    // pointers.
    std::vector<char*> argv;
    const char* const shortOptions = permute ? "hvu:p" : "-hvu:p";
    runParse(state, line, expectedOthers(line), [&](const CommandLine& l) {
        argv.assign(l.argv.begin(), l.argv.end());
        Result result;
        optind = 0;
        opterr = 0;
        for (int code; (code = getopt_long(l.argc(), argv.data(), shortOptions, longOptions.data(),
                                           nullptr)) != -1;) {
            if (code == 'u') {
                result.user = optarg;
            } else if (code == 'p') {
                result.password = true;
            } else if (code == 1) {
                ++result.positional;
            }
        }
        if (permute) {
            result.positional = static_cast<std::size_t>(l.argc() - optind);
        }
        return result;
    });
}

void getoptInOrderParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags) {
    getoptParse(state, line, extraFlags, false);
}

void getoptPermutingParse(benchmark::State& state, const CommandLine& line,
                          std::size_t extraFlags) {
    getoptParse(state, line, extraFlags, true);
}

#if defined(CONKIT_HAVE_CXXOPTS)
void cxxoptsParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags) {
    cxxopts::Options options("demo", "demo 1.0");
    options.add_options()("h,help", "print help info")("v,version", "print version info")(
        "u,user", "username", cxxopts::value<std::string>())("p,password", "password")(
        "files", "files", cxxopts::value<std::vector<std::string>>());
    for (std::size_t i = 0; i < extraFlags; ++i) {
        options.add_options()("flag" + std::to_string(i), "an extra flag");
    }
    options.parse_positional("files");
    runParse(state, line, expectedOthers(line), [&options](const CommandLine& l) {
        const cxxopts::ParseResult parsed = options.parse(l.argc(), l.argv.data());
        Result result;
        if (parsed.count("user") != 0) {
            result.user = parsed["user"].as<std::string>();
        }
        result.password = parsed.count("password") != 0;
        if (parsed.count("files") != 0) {
            result.positional = parsed["files"].as<std::vector<std::string>>().size();
        }
        return result;
    });
}
#endif

#if defined(CONKIT_HAVE_CLI11)
void cli11Parse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags) {
    CLI::App app("demo 1.0", "demo");
    std::string user;
    bool password = false;
    std::vector<std::string> files;
    app.set_version_flag("-v,--version", "demo 1.0");
    app.add_option("-u,--user", user, "username")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("-p,--password", password, "password");
    app.add_option("files", files, "files");
    for (std::size_t i = 0; i < extraFlags; ++i) {
        app.add_flag("--flag" + std::to_string(i), "an extra flag");
    }
    runParse(state, line, expectedOthers(line), [&](const CommandLine& l) {
        user.clear();
        password = false;
        files.clear();
        app.parse(l.argc(), l.argv.data());
        return Result{user, password, files.size()};
    });
}
#endif

#if defined(CONKIT_HAVE_BOOST_PO)
void boostParse(benchmark::State& state, const CommandLine& line, std::size_t extraFlags) {
    namespace po = boost::program_options;
    po::options_description description("demo");
    description.add_options()("help,h", "print help info")("version,v", "print version info")(
        "user,u", po::value<std::vector<std::string>>(), "username")("password,p", "password")(
        "files", po::value<std::vector<std::string>>(), "files");
    std::vector<std::string> flagNames;
    for (std::size_t i = 0; i < extraFlags; ++i) {
        flagNames.push_back("flag" + std::to_string(i));
    }
    for (const std::string& name : flagNames) {
        description.add_options()(name.c_str(), "an extra flag");
    }
    po::positional_options_description positional;
    positional.add("files", -1);
    runParse(state, line, expectedOthers(line), [&](const CommandLine& l) {
        po::variables_map values;
        po::store(po::command_line_parser(l.argc(), l.argv.data())
                      .options(description)
                      .positional(positional)
                      .run(),
                  values);
        Result result;
        if (values.count("user") != 0) {
            result.user = values["user"].as<std::vector<std::string>>().back(); // the last one
        }
        result.password = values.count("password") != 0;
        if (values.count("files") != 0) {
            result.positional = values["files"].as<std::vector<std::string>>().size();
        }
        return result;
    });
}
#endif

/// Queries on a table of 100 options after a parse, as defined or after one
/// option was renamed through findOption: a rename must cost nothing later.
void queryAfterRename(benchmark::State& state, bool rename) {
    conkit::OptionParser parser = conkitParser(96);
    if (rename) {
        parser.findOption("flag50")->longName = "renamed";
    }
    const CommandLine& line = conkit_bench::smallCommandLine();
    if (!parser.parse(line.argc(), line.argv.data()) || !parser.isSet("user")) {
        state.SkipWithError("wrong answer");
        return;
    }
    const std::string names[] = {"user", "flag90", "p", rename ? "renamed" : "flag50"};
    for (auto _ : state) {
        for (const std::string& name : names) {
            benchmark::DoNotOptimize(parser.isSet(name));
        }
    }
}

void registerParsers(const char* group, const CommandLine& line, std::size_t extraFlags) {
    const std::pair<const char*, Runner> parsers[] = {
        {"conkit", conkitClassicParse},
        {"getopt_long", getoptInOrderParse},
#if defined(CONKIT_HAVE_CXXOPTS)
        {"cxxopts", cxxoptsParse},
#endif
#if defined(CONKIT_HAVE_CLI11)
        {"CLI11", cli11Parse},
#endif
#if defined(CONKIT_HAVE_BOOST_PO)
        {"boost", boostParse},
#endif
    };
    for (const auto& [name, runner] : parsers) {
        registerParser(std::string(group) + "/" + name, runner, line, extraFlags);
    }
}

/// The gnu syntax against getopt_long doing the same (permuting), and in order.
void registerGnuParsers(const char* group, const CommandLine& line, std::size_t extraFlags) {
    registerParser(std::string(group) + "/conkit", conkitGnuParse, line, extraFlags);
    registerParser(std::string(group) + "/getopt_long", getoptPermutingParse, line, extraFlags);
    registerParser(std::string(group) + "/getopt_long_in_order", getoptInOrderParse, line,
                   extraFlags);
}

/// Scaling: conkit alone, per-word time over growing command lines, and
/// per-parse time of three lines over growing option tables, in both syntaxes
/// for the lines of fixed length.
void registerScaling() {
    static const CommandLine lines[] = {conkit_bench::largeCommandLine(1000),
                                        conkit_bench::largeCommandLine(10000),
                                        conkit_bench::largeCommandLine(100000)};
    for (const CommandLine& line : lines) {
        benchmark::RegisterBenchmark(
            ("scale_parse_words/" + std::to_string(line.words.size())).c_str(),
            [&line](benchmark::State& s) { conkitClassicParse(s, line, 100); });
    }
    const std::tuple<const char*, Runner, const CommandLine&> families[] = {
        {"scale_parse_options/", conkitClassicParse, largeLine()},
        {"scale_parse_small_options/", conkitClassicParse, conkit_bench::smallCommandLine()},
        {"scale_gnu_parse_small_options/", conkitGnuParse, conkit_bench::smallCommandLine()},
        {"scale_parse_20_options/", conkitClassicParse, conkit_bench::twentyOptionCommandLine()},
        {"scale_gnu_parse_20_options/", conkitGnuParse, conkit_bench::twentyOptionCommandLine()},
    };
    for (const auto& [family, runner, line] : families) {
        for (std::size_t options :
             {std::size_t{10}, std::size_t{100}, std::size_t{1000}, std::size_t{2000}}) {
            registerParser(family + std::to_string(options), runner, line, options - 4);
        }
    }
}

[[maybe_unused]] const bool registered = [] {
    registerParsers("parse_small", conkit_bench::smallCommandLine(), 0);
    registerParsers("parse_large", largeLine(), 100);
    registerGnuParsers("gnu_parse_small", conkit_bench::smallCommandLine(), 0);
    registerGnuParsers("gnu_parse_large", largeLine(), 100);
    registerScaling();
    benchmark::RegisterBenchmark("query_after_rename/conkit",
                                 [](benchmark::State& s) { queryAfterRename(s, true); });
    benchmark::RegisterBenchmark("query_after_rename/no_rename",
                                 [](benchmark::State& s) { queryAfterRename(s, false); });
    return true;
}();

} // namespace
