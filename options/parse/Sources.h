// The parse's steps that take values from the sources besides the command
// line, in their order of precedence: the environment over the
// configuration file over the default; and response files, read where the
// command line names them.
#pragma once

#include "options/parse/ParseRun.h"
#include "options/sources/ConfigFile.h"

namespace conkit::detail {

/// The configuration file of the parse `run`, whose option `configOption`
/// names it: the path the command line gives, else the one the option's
/// variable gives, else the default, where a missing file is no error.
ConfigFile configFileOf(const ParseRun& run, std::uint32_t configOption);

/// Gives the options of the parser of `run` the values of `file`'s entries
/// for it, unless the command line or the environment gives them; the
/// parser that has the setting also checks that every other entry names a
/// command and an option of that command. False after recording an error.
bool applyConfigFile(ParseRun& run, ConfigFile& file);

/// Gives option `index`, unless the command line named it, the value of its
/// variable; a value it refuses fails the parse when `checked`.
bool readEnvironment(ParseRun& run, std::uint32_t index, bool checked);

/// The command `words[0]` names, parsed with the words; a tool's fallback
/// for a word that names none, else the error.
bool chooseCommand(ParseRun& run, const CommandWords& words);

} // namespace conkit::detail
