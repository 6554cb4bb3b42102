// TOML configuration files: random text in a file read by readTomlConfig,
// first alone and then by a parse of a fixed table with commands, choices,
// ranges, lists, switches and an alias, on one of a few command lines.
// Whatever the text, nothing may crash, and the two must agree: the reader's
// entries point into the file, a parse fails exactly when the reader fails or
// an entry names nothing or gives a value its option refuses, with one line
// that says where in the file (FILE:LINE), and a parse that succeeds gave
// every option from the file only values its option accepts.
#include "fuzz/FuzzSupport.h"

#include "config/TomlConfig.h"
#include "options/OptionParser.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

/// The file the inputs are written to, one per process.
const std::string& filePath() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("conkit_fuzz_" + std::to_string(static_cast<long>(getpid())) + ".toml"))
            .string();
    return path;
}

/// t: --config FILE, --color always/never/auto (alias colour), --count in
/// 1..10, --ratio in 0.5..2, --quiet (negatable), --tag, a hidden --debug;
/// commands remote (--url; its command add with --name and --force) and show
/// (--depth in 1..5).
conkit::OptionParser table() {
    conkit::OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setErrorOutput(nullptr); // the line is read through lastError()
    parser.setEnvironment(nullptr);
    parser.addHelpOption();
    parser.addOption('C', "config", true, "", "the configuration file");
    parser.setConfigFile("config", filePath(), conkit::readTomlConfig);
    parser.addOption('c', "color", true, "auto", "when to color");
    parser.describe("color").choices({"always", "never", "auto"}).alias("colour");
    parser.addOption('n', "count", true, "", "how many");
    parser.describe("count").range(1, 10);
    parser.addOption('\0', "ratio", true, "", "how much");
    parser.describe("ratio").realRange(0.5, 2);
    parser.addOption('q', "quiet", false, "", "say less");
    parser.describe("quiet").negatable();
    parser.addOption('\0', "tag", true, "", "a tag");
    parser.addOption('\0', "debug", false, "", "");
    parser.describe("debug").hidden();
    conkit::OptionParser& remote = parser.addCommand("remote", "remotes");
    remote.addOption('\0', "url", true, "", "where");
    conkit::OptionParser& add = remote.addCommand("add", "add one");
    add.addOption('\0', "name", true, "", "its name");
    add.addOption('f', "force", false, "", "even if it is there");
    conkit::OptionParser& show = parser.addCommand("show", "show");
    show.addOption('\0', "depth", true, "1", "how deep");
    show.describe("depth").range(1, 5);
    return parser;
}

/// True when `line` holds "FILE:" and a line number.
bool pointsIntoFile(const std::string& line) {
    const std::size_t at = line.find(filePath() + ":");
    const std::size_t digit = at + filePath().size() + 1;
    return at != std::string::npos && digit < line.size() && line[digit] >= '1' &&
           line[digit] <= '9';
}

/// The options that the parsers of `parser`'s chain of chosen commands got
/// from the file hold only values their choices and ranges accept.
void checkFileValues(const conkit::OptionParser& parser) {
    for (const char* name : {"color", "count", "ratio", "tag", "url", "name", "depth"}) {
        const conkit::OptionParser::Option* option = parser.findOption(name);
        if (option != nullptr && parser.source(name) == conkit::ValueSource::configFile) {
            FUZZ_CHECK(parser.count(name) == 0);
            for (const std::string& value : parser.values(name)) {
                FUZZ_CHECK(conkit_fuzz::passes(*option, value));
            }
        }
    }
    if (const conkit::OptionParser* command = parser.commandParser()) {
        checkFileValues(*command);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::vector<std::string>> lines = {
        {"t"},         {"t", "remote"},          {"t", "remote", "add", "-f"},
        {"t", "show"}, {"t", "--count=3", "-q"}, {"t", "-C", filePath(), "show"}};
    const std::size_t line = size != 0 ? data[0] % lines.size() : 0;
    const std::string text(reinterpret_cast<const char*>(data) + (size != 0 ? 1 : 0),
                           size != 0 ? size - 1 : 0);
    std::ofstream(filePath(), std::ios::binary | std::ios::trunc) << text;

    std::vector<conkit::ConfigEntry> entries;
    std::string error;
    const bool read = conkit::readTomlConfig(filePath(), entries, error);
    FUZZ_CHECK(read == error.empty());
    FUZZ_CHECK(read || pointsIntoFile(error));
    const auto lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    for (const conkit::ConfigEntry& entry : entries) {
        FUZZ_CHECK(entry.origin.rfind(filePath() + ":", 0) == 0);
        const long at = std::stol(entry.origin.substr(filePath().size() + 1));
        FUZZ_CHECK(at >= 1 && static_cast<std::size_t>(at) <= lineCount + 1);
    }

    conkit::OptionParser parser = table();
    const bool ok = parser.parse(lines[line]);
    const std::string& last = parser.lastError();
    FUZZ_CHECK(ok == last.empty());
    FUZZ_CHECK(read || !ok);
    if (!ok) {
        FUZZ_CHECK(parser.errorKind() == conkit::ParseErrorKind::badConfig ||
                   parser.errorKind() == conkit::ParseErrorKind::invalidValue);
        FUZZ_CHECK(last.rfind("t: ", 0) == 0 && pointsIntoFile(last));
        FUZZ_CHECK(read || last == "t: " + error);
        // The reader's own lines stay one line; a key is quoted as written,
        // as the command line's words are.
        FUZZ_CHECK(read || last.find('\n') == std::string::npos);
    } else {
        FUZZ_CHECK(parser.errorKind() == conkit::ParseErrorKind::none);
        checkFileValues(parser);
    }
    std::remove(filePath().c_str());
    return 0;
}
