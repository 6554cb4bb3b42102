// The configuration layer: where a parse finds its configuration file, reading
// it once, and giving each parser of the parse the values of its entries.
#pragma once

#include "options/OptionParser.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace conkit::detail {

class ParseRun;
struct ParserState;

/// What setConfigFile recorded. Without a reader a parse reads no file.
struct ConfigSetting {
    /// The option whose value names the file.
    std::string option;
    /// The file read when that option gives no path; "" for none.
    std::string defaultPath;
    ConfigReader reader = nullptr;
};

/// The configuration file of one parse. The parser that has the setting
/// makes it once its option rules have run; the first parser of the parse
/// that needs the entries reads it, so that a parse that asks for help reads
/// nothing; the commands the parse chooses share it.
class ConfigFile {
public:
    /// The file of `setting`, the parser that has the setting, whose option
    /// `pathOption` names it (Names::none when no option does); `written` is
    /// the option word that last named that option on the command line.
    ConfigFile(const ParserState& setting, std::uint32_t pathOption, std::string written)
        : owner(setting), option(pathOption), word(std::move(written)) {}

    /// Reads the file, unless a parser of this parse has. False after
    /// recording the reader's error through `run`.
    bool read(ParseRun& run);
    /// What the file gave, in the file's order.
    [[nodiscard]] const std::vector<ConfigEntry>& entries() const noexcept { return given; }
    /// Records `what`, an error in the file, through `run`: the line begins
    /// with the program name of the parser that has the setting, and names
    /// the option word that gave the path ("" for the default path).
    bool fail(ParseRun& run, const std::string& what) const;
    /// That program name, which begins every line about the file.
    [[nodiscard]] const std::string& program() const noexcept;

private:
    const ParserState& owner;
    std::uint32_t option;
    std::string word;
    bool done = false;
    std::vector<ConfigEntry> given;
};

/// What one parser of a parse takes from the file: the file, and the command
/// names that lead to this parser from the one that has the setting ("" for
/// that one).
struct ConfigScope {
    ConfigFile* file = nullptr;
    std::string path;
};

/// The configuration step of the parser `state` of `run`, which is in
/// `scope`: reads the file if no parser has, gives the parser's options the
/// values of the entries for it (unless the command line or the environment
/// gives them), and for the parser that has the setting checks that every
/// other entry names a command and an option of that command. False after
/// recording an error.
bool applyConfigFile(ParseRun& run, ParserState& state, const ConfigScope& scope);

} // namespace conkit::detail
