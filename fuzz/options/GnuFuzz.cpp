// The gnu syntax: a random option table whose options are described further
// (optional values, choices, ranges, negation, aliases, environment
// variables, required and exclusive options) and may have a command with a
// table of its own, then random words and a random environment. Whatever the
// input, the parse must not crash, and what it reports must hang together:
// positional words are a subsequence of the words, the queries agree with
// each other, every value that passed the checks satisfies its option's
// choices or range, and a failed parse prints its one error line once and
// says why.
#include "fuzz/FuzzSupport.h"

#include "options/OptionParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

/// The environment of the current input.
std::map<std::string, std::string> environment;

const char* fuzzEnvironment(const char* variable) {
    const auto it = environment.find(variable);
    return it != environment.end() ? it->second.c_str() : nullptr;
}

const char* const choices[] = {"a", "bb", "always", "never", ""};

/// Defines up to eight random options in `parser`, some of them described
/// further; returns the names they can be asked by.
std::vector<std::string> defineOptions(conkit::OptionParser& parser, FuzzedDataProvider& input) {
    std::vector<std::string> names;
    for (int n = input.ConsumeIntegralInRange(0, 8); n != 0; --n) {
        const char shortName = input.ConsumeIntegral<char>();
        const std::string longName = input.ConsumeRandomLengthString(12);
        const bool needArg = input.ConsumeBool();
        if (!parser.addOption(shortName, longName, needArg, input.ConsumeRandomLengthString(4),
                              "")) {
            continue;
        }
        const std::string name = longName.empty() ? std::string(1, shortName) : longName;
        names.push_back(name);
        conkit::OptionParser::Option& option = parser.describe(name);
        const auto traits = input.ConsumeIntegral<std::uint16_t>();
        if ((traits & 1U) != 0) {
            option.optionalValue(input.ConsumeRandomLengthString(4));
        }
        if ((traits & 2U) != 0) {
            option.choices({choices, choices + input.ConsumeIntegralInRange(1, 5)});
        }
        if ((traits & 4U) != 0) {
            option.range(input.ConsumeIntegralInRange(-5, 5), input.ConsumeIntegralInRange(-5, 50));
        } else if ((traits & 8U) != 0) {
            option.realRange(input.ConsumeFloatingPointInRange(-2.0, 2.0), 10.0);
        }
        if ((traits & 16U) != 0) {
            option.negatable();
        }
        if ((traits & 32U) != 0) {
            option.alias(input.ConsumeRandomLengthString(8));
        }
        if ((traits & 64U) != 0) {
            option.env("V" + std::to_string(names.size()));
        }
        if ((traits & 128U) != 0) {
            option.required();
        }
        if ((traits & 256U) != 0) {
            option.hidden();
        }
        if ((traits & 512U) != 0 && names.size() >= 2) {
            parser.exclusive({names[names.size() - 2], name});
        }
    }
    return names;
}

/// The queries of `parser` on the options `names` agree with each other.
void checkQueries(const conkit::OptionParser& parser, const std::vector<std::string>& names,
                  bool accepted) {
    using conkit::ValueSource;
    for (const std::string& name : names) {
        const conkit::OptionParser::Option* option = parser.findOption(name);
        FUZZ_CHECK(option != nullptr);
        const std::vector<std::string> values = parser.values(name);
        const ValueSource source = parser.source(name);
        FUZZ_CHECK(option->needArg || values.empty());
        FUZZ_CHECK(parser.isSet(name) == option->found);
        FUZZ_CHECK(parser.count(name) == 0 || source == ValueSource::commandLine);
        FUZZ_CHECK(parser.value(name) == (values.empty() ? option->defaultValue : values.back()));
        FUZZ_CHECK(values.empty() || source != ValueSource::defaultValue);
        FUZZ_CHECK(source != ValueSource::defaultValue || option->hasDefault());
        FUZZ_CHECK(!values.empty() || source != ValueSource::environment || !option->needArg);
        if (accepted) {
            for (const std::string& value : values) {
                const bool implicit = option->description().value ==
                                          conkit::OptionParser::Option::ValueKind::optional &&
                                      value == option->description().implicitValue;
                FUZZ_CHECK(implicit || conkit_fuzz::passes(*option, value));
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    conkit::OptionParser parser("%prog", "fuzz 1.0");
    parser.setSyntax(conkit::Syntax::gnu);
    std::ostringstream printed;
    parser.setErrorOutput(&printed);
    parser.setEnvironment(fuzzEnvironment);
    parser.setStopAtFirstArgument(input.ConsumeBool());
    const std::vector<std::string> names = defineOptions(parser, input);
    std::vector<std::string> commandNames;
    if (input.ConsumeBool()) {
        conkit::OptionParser& command = parser.addCommand(input.ConsumeRandomLengthString(6), "");
        commandNames = defineOptions(command, input);
        parser.setCommandRequired(input.ConsumeBool());
    }
    environment.clear();
    for (int n = input.ConsumeIntegralInRange(0, 3); n != 0; --n) {
        environment["V" + std::to_string(input.ConsumeIntegralInRange(1, 8))] =
            input.ConsumeRandomLengthString(6);
    }
    std::vector<std::string> words{"prog"};
    while (input.remaining_bytes() > 0 && words.size() < 64) {
        words.push_back(input.ConsumeRandomLengthString(24));
    }

    const bool ok = parser.parse(words);
    FUZZ_CHECK(ok == parser.lastError().empty());
    FUZZ_CHECK(ok == (parser.errorKind() == conkit::ParseErrorKind::none));
    FUZZ_CHECK(printed.str() == (ok ? std::string() : parser.lastError() + "\n"));

    // Positional words keep their order and come from the words.
    std::size_t next = 1;
    for (std::size_t i = 0; i < parser.argCount(); ++i) {
        const std::string arg = parser.arg(i);
        while (next < words.size() && words[next] != arg) {
            ++next;
        }
        FUZZ_CHECK(next < words.size());
        ++next;
    }
    checkQueries(parser, names, ok);
    if (const conkit::OptionParser* command = parser.commandParser()) {
        FUZZ_CHECK(parser.argCount() == 0);
        checkQueries(*command, commandNames, ok);
    }
    return 0;
}
