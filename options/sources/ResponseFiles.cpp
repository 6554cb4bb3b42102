// Response files: reading one, splitting its text into words and putting them
// in the place of the word that named it.
#include "options/sources/ResponseFiles.h"

#include "options/OptionParser.h"
#include "options/parse/ParseRun.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace conkit::detail {

namespace {

/// Reads the file at `path` into `text`; else puts the C library's text for
/// the reason into `reason`. A folder cannot be read, on every platform.
bool readFile(const std::string& path, std::string& text, std::string& reason) {
    int error = 0;
    std::error_code ignored;
    std::FILE* file = nullptr;
    if (path.find('\0') != std::string::npos) {
        error = ENOENT; // no file has such a name, and fopen would read a shorter one
    } else if (std::filesystem::is_directory(path, ignored)) {
        error = EISDIR;
    } else if ((file = std::fopen(path.c_str(), "rb")) == nullptr) {
        error = errno;
    } else {
        errno = 0;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) != 0;) {
            text.append(buffer, got);
        }
        if (std::ferror(file) != 0) {
            error = errno != 0 ? errno : EIO;
        }
        static_cast<void>(std::fclose(file)); // read only: nothing is lost on a failed close
    }
    if (error != 0) {
        reason = std::generic_category().message(error);
    }
    return error == 0;
}

} // namespace

std::vector<std::string> responseFileWords(std::string text) {
    bool quoted = false;
    for (char& c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if ((c == '\n' || c == '\r') && !quoted) {
            c = ' ';
        }
    }
    return splitCommandLine(text);
}

bool ParseRun::readResponseFile(CommandWords& words, std::size_t at) {
    const std::string_view word = words[at];
    const std::string name(word.substr(1));
    const unsigned depth = words.depth(at) + 1;
    if (depth > responseFileDepth) {
        return fail(ParseErrorKind::badResponseFile, word,
                    program() + ": response files nested too deeply at '" + name + "'");
    }
    std::string text;
    std::string reason;
    if (!readFile(name, text, reason)) {
        return fail(ParseErrorKind::badResponseFile, word,
                    program() + ": cannot read response file '" + name + "': " + reason);
    }
    std::vector<std::string> read = responseFileWords(std::move(text));
    // The words before it, the file's words, the words after it; `words` may
    // view the kept words, so they are built apart and then kept.
    ResponseWords spliced;
    spliced.words.reserve(words.size() - 1 + read.size());
    spliced.depths.reserve(words.size() - 1 + read.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i != at) {
            spliced.words.emplace_back(words[i]);
            spliced.depths.push_back(static_cast<unsigned char>(words.depth(i)));
        } else {
            for (std::string& fileWord : read) {
                spliced.words.push_back(std::move(fileWord));
                spliced.depths.push_back(static_cast<unsigned char>(depth));
            }
        }
    }
    state.responseWords = std::move(spliced);
    words = state.responseWords.view();
    return true;
}

} // namespace conkit::detail
