// Reading a configuration file through the reader a parser was given.
#include "options/sources/ConfigFile.h"

#include <filesystem>
#include <system_error>

namespace conkit::detail {

bool ConfigFile::read(std::string& reason) {
    if (done) {
        return true;
    }
    done = true;
    if (path.empty() || reader(path, given, reason)) {
        return true;
    }
    given.clear();
    std::error_code unknown;
    const bool missing = !std::filesystem::exists(path, unknown) && !unknown;
    return !named && missing;
}

} // namespace conkit::detail
