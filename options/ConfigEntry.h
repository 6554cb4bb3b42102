// What a configuration file gives an option parser, and the reader that
// gives it: the one interface between conkit::options and a file format.
#pragma once

#include <string>
#include <vector>

namespace conkit {

/// What a configuration file gives one option (see @ref options_config).
struct ConfigEntry {
    std::string command;             ///< Its command path: "" for the top parser, or "remote add".
    std::string name;                ///< A long name or alias of the option, as the file has it.
    std::vector<std::string> values; ///< Its values: one, or several for a list.
    std::string origin;              ///< Where it stands: "FILE:LINE".
};

/// Reads the configuration file `path` into `out`, in the file's order; on
/// failure returns false with a one-line reason in `error`.
using ConfigReader = bool (*)(const std::string& path, std::vector<ConfigEntry>& out,
                              std::string& error);

} // namespace conkit
