// End to end: the demo program started as a real process with an exact
// argument vector; its whole standard output and exit status are checked.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

struct Process {
    std::string output;
    int status;
};

/// Starts the demo with exactly `argv` (no element added or dropped) and
/// collects its standard output. With `argcZero`, the test preload restores
/// the empty vector that the kernel would otherwise replace.
Process run(std::vector<const char*> argv, bool argcZero = false) {
    argv.push_back(nullptr);
    std::vector<std::string> settings;
    if (argcZero) {
        settings = {"LD_PRELOAD=" CONKIT_ARGC_ZERO_PRELOAD, "CONKIT_TEST_ARGC_ZERO=1"};
    }
    std::vector<char*> env;
    for (std::string& setting : settings) {
        env.push_back(setting.data());
    }
    for (char** entry = environ; *entry != nullptr; ++entry) {
        env.push_back(*entry);
    }
    env.push_back(nullptr);

    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, CONKIT_DEMO_PATH, &actions, nullptr,
                                    const_cast<char* const*>(argv.data()), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    EXPECT_EQ(spawned, 0);

    Process result{"", -1};
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        result.output.append(chunk, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    return result;
}

const std::string hello = "!!!Hello World!!!\n";

std::string help(const std::string& usage) {
    return "demo 1.0\n" + usage +
           "\n"
           "  -h, --help            print help info\n"
           "  -p, --password        password\n"
           "  -u, --user            username\n"
           "  -v, --version         print version info\n"
           "\n";
}

TEST(DemoTest, CommandLines) {
    const std::pair<const char*, const char*> programs[] = {
        {"demo", "demo"}, {"./demo", "demo"}, {"D:\\tools\\demo.exe", "demo.exe"}};
    for (const auto& [program, name] : programs) {
        struct Row {
            std::vector<const char*> words;
            std::string output;
        };
        const Row rows[] = {
            {{}, hello},
            {{"one", "two", "--user=bob"}, hello + "one\ntwo\n"},
            {{"-u", "bob", "file"}, hello + "file\n"},
            {{"x", "-u", "-p"}, hello + "--user need arg.\n" + help(name) + "x\n"},
            {{"--color"}, hello + "invalid option: color\n" + help(name)},
            {{"-h"}, hello},
            {{"--help"}, hello},
            {{"-v"}, hello},
            {{"--version"}, hello},
            {{"-u"}, hello + "--user need arg.\n" + help(name)},
            {{"--user"}, hello + "--user need arg.\n" + help(name)},
            {{"-p", "file"}, hello},
            {{"a", "/bad=1", "b"}, hello + "invalid option: bad\n" + help(name) + "a\n"},
            {{"", "--user=", "x y"}, hello + "\n"},
        };
        for (const Row& row : rows) {
            std::vector<const char*> argv{program};
            argv.insert(argv.end(), row.words.begin(), row.words.end());
            SCOPED_TRACE(testing::PrintToString(argv));
            const Process result = run(argv);
            EXPECT_EQ(result.output, row.output);
            EXPECT_EQ(result.status, 0);
        }
    }
}

TEST(DemoTest, EmptyArgumentVector) {
    const Process result = run({}, true);
    EXPECT_EQ(result.output, hello + help(""));
    EXPECT_EQ(result.status, 0);
}

TEST(DemoTest, EmptyProgramPath) {
    // A real one-element vector holding "": a program name of "" and no error.
    const Process result = run({""});
    EXPECT_EQ(result.output, hello);
    EXPECT_EQ(result.status, 0);
}

} // namespace
