// A configuration file as a source of values: reading it once per parse
// through the reader a parser was given.
#pragma once

#include "options/ConfigEntry.h"

#include <string>
#include <utility>
#include <vector>

namespace conkit::detail {

/// The configuration file of one parse. The parser that has the setting
/// makes it once its option rules have run; the first parser of the parse
/// that needs the entries reads it, so that a parse that asks for help reads
/// nothing; the commands the parse chooses share it.
class ConfigFile {
public:
    /// The file at `path` ("" for none), read with `reader`. `named`: the
    /// command line or the environment named it, so that a missing file is
    /// an error; `word`: the option word that named it, "" for the default.
    /// `program`: the program name of the parser that has the setting, which
    /// begins every line about the file.
    ConfigFile(ConfigReader fileReader, std::string filePath, bool namedByWord,
               std::string namingWord, std::string program)
        : reader(fileReader), path(std::move(filePath)), word(std::move(namingWord)),
          owner(std::move(program)), named(namedByWord) {}

    /// Reads the file unless it was read; false, with the reader's error in
    /// `reason`, when it cannot be read. A missing file that no word named
    /// reads as empty.
    bool read(std::string& reason);
    /// What the file gave, in the file's order.
    [[nodiscard]] const std::vector<ConfigEntry>& entries() const noexcept { return given; }
    /// The option word that named the file, "" for the default path.
    [[nodiscard]] const std::string& namedBy() const noexcept { return word; }
    /// The program name every line about the file begins with.
    [[nodiscard]] const std::string& program() const noexcept { return owner; }

private:
    ConfigReader reader;
    std::string path;
    std::string word;
    std::string owner;
    bool named;
    bool done = false;
    std::vector<ConfigEntry> given;
};

} // namespace conkit::detail
