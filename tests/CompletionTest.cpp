// The bash completion script, run in a real bash: sourced, then asked to
// complete words the way bash's programmable completion asks.
#include "ParserHelpers.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using conkit::OptionParser;

#if !defined(_WIN32)

/// A scratch folder for one test, removed when the test ends.
struct Folder {
    explicit Folder(const char* name) : path(std::filesystem::path(testing::TempDir()) / name) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

/// Runs `script` in bash, in `folder`, and returns what it printed.
std::string runBash(const std::filesystem::path& folder, const std::string& script) {
    const std::filesystem::path file = folder / "driver.sh";
    std::ofstream(file) << "export LC_ALL=C\ncd '" << folder.string() << "' || exit 1\n" << script;
    std::string output;
    FILE* bash = popen(("bash --norc --noprofile '" + file.string() + "' 2>&1").c_str(), "r");
    if (bash == nullptr) {
        return "popen failed";
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, bash) != nullptr) {
        output += buffer;
    }
    pclose(bash);
    return output;
}

/// Bash lines that complete the command line `line` (its last word being
/// completed) with the function registered for `program`, and print the
/// offered words on one line.
std::string completeLine(const std::string& program, const std::string& line) {
    return "COMP_WORDS=(" + line + ")\nCOMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))\n" +
           "\"$(complete -p -- '" + program + "' | awk '{print $3}')\"\n" +
           "printf '%s\\n' \"$(IFS=' '; echo \"${COMPREPLY[*]}\")\"\n";
}

TEST(CompletionTest, CompletesInBash) {
    OptionParser parser;
    parser.addHelpOption();
    parser.addOption('o', "output", true, "", "");
    parser.addOption('\0', "it's", false, "", ""); // quoting must hold
    parser.addOption('1', "one", true, "", "");    // not a letter: no short word
    OptionParser gnu = parser;
    gnu.setSyntax(conkit::Syntax::gnu);
    gnu.addOption('b', "", false, "", "short only");

    Folder folder("conkit_completion");
    std::filesystem::create_directories(folder.path / "out dir");
    std::ofstream(folder.path / "out.txt") << "";
    std::ofstream(folder.path / "-dash") << "";
    std::ofstream(folder.path / "classic.bash") << parser.bashCompletion("my-tool");
    std::ofstream(folder.path / "gnu.bash") << gnu.bashCompletion("gnu-tool");

    // Each row: the program, the words of its command line (the last one
    // being completed), and what bash offers.
    const std::array<const char*, 3> rows[] = {
        {"my-tool", "my-tool -", "--help -h --it's --one --output -o"},
        {"my-tool", "my-tool --", "--help --it's --one --output"},
        {"my-tool", "my-tool x --o", "--one --output"},
        {"my-tool", "my-tool --i", "--it's"},
        {"my-tool", "my-tool -o ou", "out dir out.txt"},
        {"my-tool", "my-tool --one o", "out dir out.txt"},
        {"my-tool", "my-tool o", "out dir out.txt"},
        {"my-tool", "my-tool -- -", "-dash"},
        {"my-tool", "my-tool --nosuch", ""},
        // The gnu syntax offers every short name that parses, and a short
        // name alone has no long form.
        {"gnu-tool", "gnu-tool -", "-b --help -h --it's --one -1 --output -o"},
        {"gnu-tool", "gnu-tool -1 o", "out dir out.txt"},
    };
    std::string script = "source classic.bash && source gnu.bash || exit 1\n";
    std::string want;
    for (const auto& [program, line, offered] : rows) {
        script += completeLine(program, line);
        want += std::string(offered) + "\n";
    }
    EXPECT_EQ(runBash(folder.path, script), want);
}

TEST(CompletionTest, HostileNamesRunNothing) {
    // Names that would run a command if any of them reached bash unquoted.
    const std::string hostile[] = {"x\ntouch pwned #",
                                   "$(touch pwned)",
                                   "`touch pwned`",
                                   "'; touch pwned; '",
                                   "\"; touch pwned; \"",
                                   "-F touch",
                                   std::string(100000, 'n') + ";touch pwned",
                                   "a b\tc\\",
                                   ""};
    Folder folder("conkit_completion_hostile");
    std::string script;
    int file = 0;
    for (const std::string& name : hostile) {
        OptionParser parser;
        parser.setSyntax(file % 2 == 0 ? conkit::Syntax::gnu : conkit::Syntax::classic);
        parser.addOption('x', name, true, name, name);
        parser.addOption('\0', "plain", false, "", name);
        const std::string path = "script" + std::to_string(file++) + ".bash";
        std::ofstream(folder.path / path, std::ios::binary) << parser.bashCompletion(name);
        script += "source " + path + " || echo 'failed: " + path + "'\n";
    }
    script +=
        "[ -e pwned ] && echo pwned\ncomplete -p | grep -c '^complete -F _conkit_complete_'\n";
    EXPECT_EQ(runBash(folder.path, script), std::to_string(std::size(hostile)) + "\n");
}

#else

TEST(CompletionTest, CompletesInBash) {
    GTEST_SKIP() << "needs bash and POSIX popen";
}

#endif

} // namespace
