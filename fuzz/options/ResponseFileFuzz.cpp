// Response files: four files of random text, which may name each other, a
// folder and missing files, and random command-line words, all written with a
// small alphabet of the characters that matter. A plain recursive reading
// written here, with a splitter of its own, says which words the parse must
// read: the parse must give what a parse of those words without response
// files gives, and fail at a response file exactly where the reading does.
#include "fuzz/FuzzSupport.h"

#include "options/OptionParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

using Words = std::vector<std::string>;

/// The characters of the files and words: names of files ("0" to "3" exist,
/// "." and ".." are folders, others are missing), the options' letters,
/// quotes, blanks and line ends. No '/': nothing outside the folder is read.
const std::string alphabet = "@@@@0123.-ao=x \t\n\r\"";

std::string fromAlphabet(std::string text) {
    for (char& c : text) {
        c = alphabet[static_cast<unsigned char>(c) % alphabet.size()];
    }
    return text;
}

/// A response file's words as the rules say: blanks, tabs and line ends
/// outside quotes separate words; a quote ends the word before it, and a
/// closing quote ends even an empty one.
Words split(const std::string& text) {
    Words words;
    std::string word;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            if (quoted || !word.empty()) {
                words.push_back(word);
            }
            word.clear();
            quoted = !quoted;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

/// True when the option word `word` takes the next word as its value, in
/// the table of -a/--all and -o/--output.
bool takesNext(const std::string& word) {
    if (word.compare(0, 2, "--") == 0) {
        const std::string name = word.substr(2);
        return !name.empty() && std::string("output").compare(0, name.size(), name) == 0;
    }
    return word.back() == 'o' && word.find_first_not_of('a', 1) == word.size() - 1;
}

/// What reading the words gave: the words in order, up to the first error
/// of a response file, and that error's line and word.
struct Reading {
    std::map<std::string, std::string> files;
    bool stop = false;
    Words words;
    std::string error;
    std::string errorWord;
    bool ended = false;
    bool valueNext = false;
};

/// The most words an input may read, so that files naming each other many
/// times over do not make one input take long.
constexpr std::size_t wordBudget = 2000;

/// Reads `words`, found `depth` files deep; false at an error or when the
/// budget is spent.
bool read(const Words& words, unsigned depth, Reading& reading) {
    for (const std::string& word : words) {
        if (reading.words.size() == wordBudget) {
            return false;
        }
        if (reading.valueNext) {
            reading.valueNext = false;
        } else if (!reading.ended && word.size() > 1 && word[0] == '@') {
            const std::string name = word.substr(1);
            reading.errorWord = word;
            const auto file = reading.files.find(name);
            if (depth == 10) {
                reading.error = "prog: response files nested too deeply at '" + name + "'";
            } else if (file == reading.files.end()) {
                reading.error =
                    "prog: cannot read response file '" + name + "': " +
                    (name == "." || name == ".." ? "Is a directory" : "No such file or directory");
            } else if (read(split(file->second), depth + 1, reading)) {
                continue;
            }
            return false;
        } else if (!reading.ended && word == "--") {
            reading.ended = true;
        } else if (!reading.ended && word.size() > 1 && word[0] == '-') {
            reading.valueNext = takesNext(word);
        } else {
            reading.ended = reading.ended || reading.stop;
        }
        reading.words.push_back(word);
    }
    return true;
}

conkit::OptionParser tool(bool responseFiles, bool stop) {
    conkit::OptionParser parser;
    parser.setSyntax(conkit::Syntax::gnu);
    parser.setErrorOutput(nullptr);
    parser.setResponseFiles(responseFiles);
    parser.setStopAtFirstArgument(stop);
    parser.addOption('a', "all", false, "", "");
    parser.addOption('o', "output", true, "", "");
    return parser;
}

/// What a parse recorded, but its error.
Words recorded(const conkit::OptionParser& parser) {
    Words found = parser.values("output");
    found.push_back(std::to_string(parser.count("all")) + " " +
                    std::to_string(parser.count("output")));
    for (std::size_t i = 0; i < parser.argCount(); ++i) {
        found.push_back(parser.arg(i));
    }
    return found;
}

/// A folder for the files of the process's inputs, removed as it ends.
struct Folder {
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("conkit_fuzz_response_" + std::to_string(getpid()));
};

/// Writes the files of the input into the working folder and checks the
/// parse of its words.
void check(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Reading reading;
    reading.stop = input.ConsumeBool();
    for (const char* name : {"0", "1", "2", "3"}) {
        reading.files[name] = fromAlphabet(input.ConsumeRandomLengthString(48));
        std::ofstream(name, std::ios::binary) << reading.files[name];
    }
    Words words;
    while (input.remaining_bytes() > 0 && words.size() < 8) {
        words.push_back(fromAlphabet(input.ConsumeRandomLengthString(12)));
    }
    if (!read(words, 0, reading) && reading.error.empty()) {
        return; // over the budget
    }

    conkit::OptionParser byFiles = tool(true, reading.stop);
    Words all{"prog"};
    all.insert(all.end(), words.begin(), words.end());
    const bool ok = byFiles.parse(all);
    conkit::OptionParser byWords = tool(false, reading.stop);
    reading.words.insert(reading.words.begin(), "prog");
    const bool wordsOk = byWords.parse(reading.words);
    FUZZ_CHECK(recorded(byFiles) == recorded(byWords));
    if (reading.error.empty() || !wordsOk) {
        FUZZ_CHECK(ok == wordsOk);
        FUZZ_CHECK(byFiles.lastError() == byWords.lastError());
        FUZZ_CHECK(byFiles.errorKind() == byWords.errorKind());
        FUZZ_CHECK(byFiles.errorOption() == byWords.errorOption());
    } else {
        FUZZ_CHECK(!ok);
        FUZZ_CHECK(byFiles.lastError() == reading.error);
        FUZZ_CHECK(byFiles.errorKind() == conkit::ParseErrorKind::badResponseFile);
        FUZZ_CHECK(byFiles.errorOption() == reading.errorWord);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The files lie in a folder of their own, the working folder while an
    // input runs: libFuzzer's paths are relative to the first one.
    static const std::filesystem::path home = std::filesystem::current_path();
    static const Folder folder;
    std::filesystem::current_path(folder.path);
    check(data, size);
    std::filesystem::current_path(home);
    return 0;
}
