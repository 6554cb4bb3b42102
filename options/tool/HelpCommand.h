// The command `help` of a tool: `PROG help CMD` answers as `PROG CMD --help`.
#pragma once

#include "options/parse/ParseRun.h"

namespace conkit::detail {

/// What a tool's parse does with `words` (the command word first), whose
/// first word names none of its commands: `help` and the commands after it
/// ask for help; any other word fails as an unknown command.
bool answerHelpCommand(ParseRun& run, const CommandWords& words);

} // namespace conkit::detail
