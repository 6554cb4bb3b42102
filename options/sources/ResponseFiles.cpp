// Response files: reading one and splitting its text into words.
#include "options/sources/ResponseFiles.h"

#include "options/OptionParser.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace conkit::detail {

bool readTextFile(const std::string& path, std::string& text, std::string& reason) {
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

} // namespace conkit::detail
