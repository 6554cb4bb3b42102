// The gnu syntax: its error lines, and every rule held against glibc's
// getopt_long on generated command lines.
#include "ParserHelpers.h"

#include <gmock/gmock.h>

#include <random>

#if defined(__GLIBC__)
#include <getopt.h>
#include <stdlib.h>
#endif

namespace {

using conkit::OptionParser;
using conkit::ParseErrorKind;
using Words = std::vector<std::string>;

struct Definition {
    char shortName;
    const char* longName;
    bool needArg;
};

/// Option tables with shared prefixes, digits and flags next to valued options.
const std::vector<std::vector<Definition>> tables = {
    {{'h', "help", false}, {'v', "version", false}, {'u', "user", true}, {'p', "password", false}},
    {{'a', "all", false},
     {'b', "block-size", true},
     {'c', "color", true},
     {'\0', "colour", false},
     {'1', "one", false},
     {'\0', "verbose", false},
     {'V', "version", false},
     {'o', "output", true}},
    {{'f', "file", true},
     {'F', "filter", true},
     {'\0', "final", false},
     {'x', "fix", false},
     {'\0', "f", false}},
};

OptionParser gnuParser(const std::vector<Definition>& table) {
    OptionParser parser("%prog", "");
    parser.setSyntax(conkit::Syntax::gnu);
    for (const Definition& d : table) {
        EXPECT_TRUE(parser.addOption(d.shortName, d.longName, d.needArg, "", ""));
    }
    return parser;
}

struct Row {
    Words words;
    std::string line;
    ParseErrorKind kind;
    std::string option;
};

TEST(GnuSyntaxTest, ErrorLines) {
    const Row rows[] = {
        {{"--colr"},
         "t: unknown option '--colr'", // both color and colour are close
         ParseErrorKind::unknownOption,
         "--colr"},
        {{"--outptu"},
         "t: unknown option '--outptu' (did you mean '--output'?)",
         ParseErrorKind::unknownOption,
         "--outptu"},
        {{"--vrebose=1"},
         "t: unknown option '--vrebose' (did you mean '--verbose'?)",
         ParseErrorKind::unknownOption,
         "--vrebose"},
        {{"--versio"}, "", ParseErrorKind::none, ""}, // a unique prefix
        {{"--vers"}, "", ParseErrorKind::none, ""},
        {{"--verz"}, "t: unknown option '--verz'", ParseErrorKind::unknownOption, "--verz"},
        {{"--ver"},
         "t: option '--ver' is ambiguous: --verbose, --version",
         ParseErrorKind::ambiguousOption,
         "--ver"},
        {{"--al=x"}, "t: option '--al' takes no value", ParseErrorKind::unexpectedArgument, "--al"},
        {{"x", "-ab"}, "t: option '-b' needs a value", ParseErrorKind::missingArgument, "-b"},
        {{"--output"},
         "t: option '--output' needs a value",
         ParseErrorKind::missingArgument,
         "--output"},
        {{"-a1z"}, "t: unknown option '-z'", ParseErrorKind::unknownOption, "-z"},
        {{"--=x"}, "t: unknown option '--'", ParseErrorKind::unknownOption, "--"},
        {{"---all"},
         "t: unknown option '---all' (did you mean '--all'?)",
         ParseErrorKind::unknownOption,
         "---all"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.words));
        OptionParser parser = gnuParser(tables[1]);
        conkit_test::parseAndCheck(parser, "bin/t", row.words, {row.line, row.kind, row.option});
    }
}

TEST(GnuSyntaxTest, ValuesAndPositionalWords) {
    OptionParser parser = gnuParser(tables[1]);
    EXPECT_TRUE(conkit_test::parseWords(parser, {"/dev/stdin", "-", "-o", "-a", "-bo", "--block=5",
                                                 "-c-5", "", "--", "-a", "--all"})
                    .ok);
    EXPECT_EQ(parser.values("output"), (Words{"-a"}));
    EXPECT_EQ(parser.values("b"), (Words{"o", "5"}));
    EXPECT_EQ(parser.count("block-size"), 2U);
    EXPECT_EQ(parser.value("color"), "-5");
    EXPECT_EQ(parser.count("all"), 0U);
    std::vector<std::string> args;
    for (std::size_t i = 0; i < parser.argCount(); ++i) {
        args.push_back(parser.arg(i));
    }
    EXPECT_EQ(args, (Words{"/dev/stdin", "-", "", "-a", "--all"}));

    parser.setStopAtFirstArgument(true);
    EXPECT_TRUE(conkit_test::parseWords(parser, {"-a", "run", "-a", "--", "x"}).ok);
    EXPECT_EQ(parser.count("a"), 1U);
    EXPECT_EQ(parser.argCount(), 4U);
}

#if defined(__GLIBC__)

/// What a parse found, in terms both parsers can give.
struct Found {
    bool ok = false;
    Words positional;
    std::vector<Words> values; // per option
    std::vector<std::size_t> counts;
    bool operator==(const Found& o) const {
        return ok == o.ok &&
               (!ok || (positional == o.positional && values == o.values && counts == o.counts));
    }
};

Found withGetoptLong(const std::vector<Definition>& table, const Words& words, bool stopAtFirst) {
    std::string shortOptions = stopAtFirst ? "+:" : ":";
    std::vector<option> longOptions;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].shortName != '\0') {
            shortOptions += table[i].shortName;
            shortOptions += table[i].needArg ? ":" : "";
        }
        longOptions.push_back({table[i].longName,
                               table[i].needArg ? required_argument : no_argument, nullptr,
                               static_cast<int>(256 + i)});
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});
    std::vector<char*> argv;
    for (const std::string& word : words) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);

    Found found;
    found.values.resize(table.size());
    found.counts.resize(table.size());
    optind = 0; // a full restart
    opterr = 0;
    const int argc = static_cast<int>(words.size());
    for (int code; (code = getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(),
                                       nullptr)) != -1;) {
        if (code == '?' || code == ':') {
            return found;
        }
        std::size_t option = 0;
        if (code >= 256) {
            option = static_cast<std::size_t>(code - 256);
        } else {
            while (table[option].shortName != code) {
                ++option;
            }
        }
        ++found.counts[option];
        if (optarg != nullptr) {
            found.values[option].emplace_back(optarg);
        }
    }
    found.ok = true;
    found.positional.assign(argv.begin() + optind, argv.begin() + argc);
    return found;
}

Found withConkit(const std::vector<Definition>& table, const Words& words, bool stopAtFirst) {
    OptionParser parser = gnuParser(table);
    parser.setStopAtFirstArgument(stopAtFirst);
    parser.setErrorOutput(nullptr);
    Found found;
    found.ok = parser.parse(words);
    for (std::size_t i = 0; i < parser.argCount(); ++i) {
        found.positional.push_back(parser.arg(i));
    }
    for (const Definition& d : table) {
        found.values.push_back(parser.values(d.longName));
        found.counts.push_back(parser.count(d.longName));
        // A needed value comes with every naming of the option.
        EXPECT_EQ(found.counts.back(),
                  d.needArg ? found.values.back().size() : found.counts.back());
    }
    return found;
}

/// A word that is likely to mean something to `table`.
std::string randomWord(const std::vector<Definition>& table, std::mt19937& random) {
    const auto pick = [&random](std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
    };
    const Definition& d = table[pick(table.size())];
    const std::string name = d.longName;
    const char shortName = d.shortName != '\0' ? d.shortName : 'a';
    switch (pick(12)) {
    case 0:
        return "--" + name;
    case 1:
        return "--" + name.substr(0, 1 + pick(name.size())); // an abbreviation
    case 2:
        return "--" + name + "=" + (pick(2) != 0 ? "v" : "");
    case 3:
        return std::string{'-', shortName};
    case 4:
        return std::string{'-', shortName} + "val";
    case 5: { // a bundle
        std::string bundle = "-";
        for (std::size_t n = 1 + pick(3); n != 0; --n) {
            const char c = table[pick(table.size())].shortName;
            bundle += c != '\0' ? c : 'x';
        }
        return bundle;
    }
    case 6:
        return pick(3) == 0 ? "--" : "-";
    case 7:
        return pick(4) == 0 ? "" : "/dev/stdin";
    case 8:
        return pick(4) == 0 ? "--nosuch" : "-Z";
    case 9:
        return "--" + name.substr(0, name.size() - 1) + "q"; // a near miss
    default:
        return "file" + std::to_string(pick(100));
    }
}

TEST(GnuSyntaxTest, AgreesWithGetoptLong) {
    unsetenv("POSIXLY_CORRECT"); // getopt_long would not permute
    std::mt19937 random(20261208);
    std::size_t compared = 0;
    std::size_t accepted = 0;
    for (const std::vector<Definition>& table : tables) {
        for (int round = 0; round < 4000; ++round) {
            Words words{"prog"};
            for (std::size_t n = random() % 7; n != 0; --n) {
                words.push_back(randomWord(table, random));
            }
            const bool stopAtFirst = round % 4 == 0;
            SCOPED_TRACE(testing::PrintToString(words) + (stopAtFirst ? " stopping" : ""));
            const Found reference = withGetoptLong(table, words, stopAtFirst);
            ASSERT_EQ(withConkit(table, words, stopAtFirst), reference);
            ++compared;
            accepted += reference.ok ? 1 : 0;
        }
    }
    // Both outcomes must be well represented for the comparison to mean much.
    EXPECT_GT(accepted, compared / 4);
    EXPECT_LT(accepted, compared * 3 / 4);
}

#else

TEST(GnuSyntaxTest, AgreesWithGetoptLong) {
    GTEST_SKIP() << "glibc's getopt_long is the reference, and this C library is not glibc";
}

#endif

} // namespace
