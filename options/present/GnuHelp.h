// The help text of the gnu syntax.
#pragma once

#include "options/parser/View.h"

#include <cstddef>
#include <string>

namespace conkit::detail {

/// How the gnu help is laid out.
struct HelpLayout {
    /// The width the help column and a tool's paragraphs wrap at.
    std::size_t width = 80;
    /// True for a tool's help: the description, the footer and each
    /// command's help wrap as paragraphs, lines that begin with a blank kept.
    bool paragraphs = false;
    /// True when headings, option names and command names are set in bold.
    bool bold = false;
};

/// The help text in the gnu layout (see OptionParser::helpText).
std::string gnuHelpText(const ParserView& view, const HelpLayout& layout);

} // namespace conkit::detail
