// readTomlConfig: the configuration reader for TOML files, to give to
// OptionParser::setConfigFile.
#pragma once

#include "config/Export.h"
#include "options/ConfigEntry.h"

#include <string>
#include <vector>

namespace conkit {

/// Reads the TOML file `path` into `out`: top-level keys for the top parser's
/// options, a table [NAME] for command NAME's ([remote.add] nested). False,
/// with a one-line reason in `error`, when it cannot (see @ref options_config_toml).
[[nodiscard]] CONKIT_CONFIG_API bool
readTomlConfig(const std::string& path, std::vector<ConfigEntry>& out, std::string& error);

} // namespace conkit
