// The help text of the gnu syntax.
#pragma once

#include "options/parser/View.h"

#include <cstddef>
#include <string>

namespace conkit::detail {

/// The help text in the gnu layout (see OptionParser::helpText), wrapped at
/// `width` columns.
std::string gnuHelpText(const ParserView& view, std::size_t width);

/// The width the gnu help wraps at for the setting `columns`: that setting,
/// or for 0 the variable COLUMNS read through `environment` (none when it is
/// nullptr) when it is a whole number from 40 to 500, else 80.
std::size_t helpColumns(std::size_t columns, OptionParser::Environment environment);

} // namespace conkit::detail
