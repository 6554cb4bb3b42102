// What the help knows of where it is printed: how wide the help of a tool
// is, and whether printed help is coloured.
#pragma once

#include "options/OptionParser.h"

#include <cstddef>
#include <iosfwd>

namespace conkit::detail {

/// The width the gnu help wraps at for the setting `columns` (see
/// ParserState::helpWidth), reading COLUMNS through `environment` (none when
/// it is nullptr): for `fitsTerminal`, COLUMNS when it is all digits, else
/// the width of the terminal standard output is, else 80, within 40..100;
/// for 0, COLUMNS when it is a whole number from 40 to 500, else 80; any
/// other setting as it is.
std::size_t helpColumns(std::size_t columns, OptionParser::Environment environment);

/// True when help printed to `out` under `mode` is set in bold: always for
/// `always`; for `automatic` only on std::cout, never when NO_COLOR is set
/// to anything but "", and then when CLICOLOR_FORCE is set to anything but
/// "" or "0", or standard output is a terminal and TERM is not "dumb".
bool coloured(ColourMode mode, const std::ostream& out, OptionParser::Environment environment);

} // namespace conkit::detail
