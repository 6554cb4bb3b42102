// notes: the tool's own work, a store of notes kept in a file of
// tab-separated lines (number, done, date, tags, text), for the conkit
// program (main.cpp); notes_argparse.py does the same in Python.
#pragma once

#include "options/OptionParser.h"

#include <string>
#include <vector>

namespace notes {

/// The tags of the notes in the store at `path` that begin with `typed`,
/// each once, in the order they first appear, leaving out those in
/// `leftOut`; none when the store cannot be read.
std::vector<std::string> storedTags(const std::string& path, const std::string& typed,
                                    const std::vector<std::string>& leftOut);

/// Does what the command line `parser` read asks of the store: adds, lists,
/// marks done or removes notes. Returns the exit status: 0; 1 when the
/// store cannot be read or written; 2 when a note named is not there, or
/// not done where `rm` is not forced (a usage error of the command).
int run(conkit::OptionParser& parser);

} // namespace notes
