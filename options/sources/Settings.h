// Where a parser finds the values that the command line does not give: the
// environment, a configuration file, and the files "@FILE" words name.
#pragma once

#include "options/OptionParser.h"

#include <string>

namespace conkit::detail {

/// What setConfigFile recorded. Without a reader a parse reads no file.
struct ConfigSetting {
    /// The option whose value names the file.
    std::string option;
    /// The file read when that option gives no path; "" for none.
    std::string defaultPath;
    ConfigReader reader = nullptr;
};

/// A parser's sources besides the command line. A command reads its
/// parent's environment and response-file setting, and shares its file.
struct SourceSettings {
    OptionParser::Environment environment = nullptr;
    ConfigSetting configFile;
    bool responseFiles = false;
};

} // namespace conkit::detail
