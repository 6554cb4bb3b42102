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

TEST(CompletionTest, CompletesInBash) {
    OptionParser parser;
    parser.addHelpOption();
    parser.addOption('o', "output", true, "", "");
    parser.addOption('\0', "it's", false, "", ""); // quoting must hold
    parser.addOption('1', "one", true, "", "");    // not a letter: no short word

    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / "conkit_completion";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "out dir");
    std::ofstream(folder / "out.txt") << "";
    std::ofstream(folder / "-dash") << "";
    std::ofstream(folder / "script.bash") << parser.bashCompletion("my-tool");

    // Each line: the words of the command line, the last one being completed.
    const std::pair<const char*, const char*> cases[] = {
        {"my-tool -", "--help -h --it's --one --output -o"},
        {"my-tool --", "--help --it's --one --output"},
        {"my-tool x --o", "--one --output"},
        {"my-tool --i", "--it's"},
        {"my-tool -o ou", "out dir out.txt"},
        {"my-tool --one o", "out dir out.txt"},
        {"my-tool o", "out dir out.txt"},
        {"my-tool -- -", "-dash"},
        {"my-tool --nosuch", ""},
    };
    std::string script = "source script.bash || exit 1\ncomplete -p my-tool\n";
    for (const auto& [line, offered] : cases) {
        static_cast<void>(offered);
        script += std::string("COMP_WORDS=(") + line + ")\n" +
                  "COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))\n" + "_conkit_complete_my_2dtool\n" +
                  "printf '%s\\n' \"$(IFS=' '; echo \"${COMPREPLY[*]}\")\"\n";
    }
    std::string want = "complete -F _conkit_complete_my_2dtool my-tool\n";
    for (const auto& [line, offered] : cases) {
        static_cast<void>(line);
        want += std::string(offered) + "\n";
    }
    EXPECT_EQ(runBash(folder, script), want);
    std::filesystem::remove_all(folder);
}

#else

TEST(CompletionTest, CompletesInBash) {
    GTEST_SKIP() << "needs bash and POSIX popen";
}

#endif

} // namespace
