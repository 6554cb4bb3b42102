// How deep the keys of a TOML text stand, measured before toml++ parses it:
// toml++ builds, walks and frees its tables recursively, so a header or a
// dotted key thousands of names long would overflow the stack. Internal: not
// installed.
#pragma once

#include <cstddef>
#include <string_view>

namespace conkit::detail {

/// The line (from 1) of the first key or table header of the TOML text
/// `text` that stands more than `limit` levels deep, or 0 when none does. A
/// key's levels are the names of the header above it, its own dotted names,
/// and one for each inline table and array it stands in; strings and comments
/// are skipped as TOML reads them.
std::size_t tooDeepKeyLine(std::string_view text, std::size_t limit);

} // namespace conkit::detail
