// Reading a whole file, the one way the library's readers do it.
#pragma once

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace conkit::detail {

/// Reads the file at `path` into `text`; else puts the C library's text for
/// the reason into `reason`. A folder cannot be read, on every platform, nor
/// a path holding a NUL, which names no file (fopen would read a shorter one).
inline bool readTextFile(const std::string& path, std::string& text, std::string& reason) {
    int error = 0;
    std::error_code ignored;
    std::FILE* file = nullptr;
    if (path.find('\0') != std::string::npos) {
        error = ENOENT;
    } else if (std::filesystem::is_directory(path, ignored)) {
        error = EISDIR; // some systems open a folder and fail only when it is read
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

} // namespace conkit::detail
