// The gnu syntax: a random option table, then random words. Whatever the
// input, the parse must not crash, and what it reports must hang together:
// positional words are a subsequence of the words, an option that needs a
// value has exactly one value per naming, and a failed parse names its
// option in its error line.
#include "FuzzSupport.h"

#include "options/OptionParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    conkit::OptionParser parser("%prog", "fuzz 1.0");
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setErrorOutput(nullptr); // the line is checked through lastError()
    parser.setStopAtFirstArgument(input.ConsumeBool());
    std::vector<std::string> names;
    for (int n = input.ConsumeIntegralInRange(0, 8); n != 0; --n) {
        const char shortName = input.ConsumeIntegral<char>();
        std::string longName = input.ConsumeRandomLengthString(12);
        if (parser.addOption(shortName, longName, input.ConsumeBool(), "", "")) {
            names.push_back(longName.empty() ? std::string(1, shortName) : longName);
        }
    }
    std::vector<std::string> words{"prog"};
    while (input.remaining_bytes() > 0 && words.size() < 64) {
        words.push_back(input.ConsumeRandomLengthString(24));
    }

    const bool ok = parser.parse(words);
    FUZZ_CHECK(ok == parser.lastError().empty());
    FUZZ_CHECK(ok == (parser.errorKind() == conkit::ParseErrorKind::none));
    FUZZ_CHECK(ok ||
               parser.lastError().find("'" + parser.errorOption() + "'") != std::string::npos);

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
    for (const std::string& name : names) {
        const conkit::OptionParser::Option* option = parser.findOption(name);
        FUZZ_CHECK(option != nullptr);
        const std::vector<std::string> values = parser.values(name);
        FUZZ_CHECK(parser.count(name) == (option->needArg ? values.size() : parser.count(name)));
        FUZZ_CHECK(option->needArg || values.empty());
        FUZZ_CHECK(option->found == (parser.count(name) != 0));
        FUZZ_CHECK(parser.value(name) == (values.empty() ? option->defaultValue : values.back()));
    }
    return 0;
}
