// Word-list parsing: the input cut at NUL bytes into words. The same words as
// an argument vector must give the same results, and a second parse of only
// the program's path must leave no trace of the first.
#include "fuzz/FuzzSupport.h"

#include "options/OptionParser.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (size != 0) {
        words.push_back(word);
    }

    conkit::OptionParser parser("%prog", "fuzz 1.0");
    parser.setErrorOutput(nullptr); // the lines are compared through lastError()
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption('u', "user", true, "", "username");
    parser.addOption('p', "password", false, "", "password");
    parser.addOption('\x80', "high", true, "x", "a high-byte short name");
    conkit::OptionParser byArgv = parser;

    const bool ok = parser.parse(words);
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    argv.push_back(nullptr);
    const bool argvOk = byArgv.parse(static_cast<int>(words.size()), argv.data());

    FUZZ_CHECK(ok == argvOk);
    FUZZ_CHECK(parser.lastError() == byArgv.lastError());
    FUZZ_CHECK(parser.helpText() == byArgv.helpText());
    FUZZ_CHECK(parser.argCount() == byArgv.argCount());
    for (std::size_t i = 0; i <= parser.argCount(); ++i) {
        FUZZ_CHECK(parser.arg(i) == byArgv.arg(i));
    }
    for (const char* name : {"help", "version", "user", "password", "high", "u", "\x80"}) {
        std::string a = "-";
        std::string b = "-";
        FUZZ_CHECK(parser.getValue(name, a) == byArgv.getValue(name, b));
        FUZZ_CHECK(a == b);
    }
    // A failing parse prints one line, naming an option.
    FUZZ_CHECK(ok || words.empty() || parser.lastError().rfind("invalid option: ", 0) == 0 ||
               parser.lastError().find(" need arg.") != std::string::npos);

    FUZZ_CHECK(parser.parse(std::vector<std::string>{"prog"}));
    FUZZ_CHECK(!parser.isSet("user") && !parser.hasArgs() && parser.lastError().empty());
    return 0;
}
