// OptionParser: option definitions, lookup, reset and result queries.
#include "options/OptionParser.h"

#include "options/detail/Ascii.h"

#include <utility>

namespace conkit {

namespace {

std::size_t byteIndex(char c) noexcept {
    return static_cast<unsigned char>(c);
}

} // namespace

void OptionParser::Option::setValue(const std::string& text) {
    value = text;
    found = true;
}

bool OptionParser::Option::conflictsWith(const Option& other) const noexcept {
    return (shortName == other.shortName && detail::isAsciiLetter(shortName)) ||
           longName == other.longName;
}

OptionParser::OptionParser() = default;

OptionParser::OptionParser(const std::string& usageTemplate, const std::string& versionText)
    : usage(usageTemplate), version(versionText) {}

// The one-character indexes point into the option table, so copies rebuild
// them for their own table and moves leave the source with an empty table and
// empty indexes.
OptionParser::OptionParser(const OptionParser& other)
    : usage(other.usage), version(other.version), args(other.args), options(other.options),
      prog(other.prog), errorLine(other.errorLine) {
    rebuildIndexes();
}

OptionParser::OptionParser(OptionParser&& other) noexcept
    : usage(std::move(other.usage)), version(std::move(other.version)), args(std::move(other.args)),
      options(std::move(other.options)), prog(std::move(other.prog)),
      errorLine(std::move(other.errorLine)), byShortName(other.byShortName),
      byOneCharLongName(other.byOneCharLongName), entries(std::move(other.entries)),
      byLongName(std::move(other.byLongName)) {
    other.options.clear();
    other.byShortName.fill(nullptr);
    other.byOneCharLongName.fill(nullptr);
    other.entries.clear();
    other.byLongName.clear();
}

OptionParser& OptionParser::operator=(const OptionParser& other) {
    if (this != &other) {
        *this = OptionParser(other);
    }
    return *this;
}

OptionParser& OptionParser::operator=(OptionParser&& other) noexcept {
    if (this != &other) {
        usage = std::move(other.usage);
        version = std::move(other.version);
        args = std::move(other.args);
        options = std::move(other.options);
        prog = std::move(other.prog);
        errorLine = std::move(other.errorLine);
        byShortName = other.byShortName;
        byOneCharLongName = other.byOneCharLongName;
        entries = std::move(other.entries);
        byLongName = std::move(other.byLongName);
        other.options.clear();
        other.byShortName.fill(nullptr);
        other.byOneCharLongName.fill(nullptr);
        other.entries.clear();
        other.byLongName.clear();
    }
    return *this;
}

OptionParser::~OptionParser() = default;

bool OptionParser::addOption(char shortName, const std::string& longName, bool needArg,
                             const std::string& defaultValue, const std::string& help) {
    if (!detail::isAsciiLetter(shortName) && longName.empty()) {
        return false;
    }
    Option record;
    record.shortName = shortName;
    record.longName = longName.empty() ? std::string(1, shortName) : longName;
    record.needArg = needArg;
    record.defaultValue = defaultValue;
    record.help = help;
    record.value = defaultValue;
    if (hasConflict(record)) {
        return false;
    }
    std::string key = record.longName;
    Option& stored = options.emplace(std::move(key), std::move(record)).first->second;
    index(stored);
    return true;
}

void OptionParser::addHelpOption() {
    static_cast<void>(addOption('h', "help", false, std::string(), "print help info"));
}

void OptionParser::addVersionOption() {
    static_cast<void>(addOption('v', "version", false, std::string(), "print version info"));
}

const OptionParser::Option* OptionParser::lookup(std::string_view name) const noexcept {
    if (name.size() == 1) {
        // A one-character long name wins over a short name; both are indexed.
        const std::size_t c = byteIndex(name[0]);
        return byOneCharLongName[c] != nullptr ? byOneCharLongName[c] : byShortName[c];
    }
    const auto it = byLongName.find(name);
    return it != byLongName.end() ? it->second : nullptr;
}

OptionParser::Option* OptionParser::findOption(const std::string& name) {
    // The table belongs to this non-const parser, so handing out a mutable
    // pointer to one of its entries is sound.
    return const_cast<Option*>(lookup(name));
}

const OptionParser::Option* OptionParser::findOption(const std::string& name) const {
    return lookup(name);
}

bool OptionParser::hasConflict(const Option& option) const {
    // Equivalent to asking every entry `conflictsWith`: a clash needs either the
    // same long name or the same letter short name, and the index knows whether
    // any option has that short name.
    return options.find(option.longName) != options.end() ||
           (detail::isAsciiLetter(option.shortName) &&
            byShortName[byteIndex(option.shortName)] != nullptr);
}

void OptionParser::reset() {
    for (Option* entry : entries) {
        entry->found = false;
    }
    args.clear();
    prog.clear();
}

void OptionParser::index(Option& option) {
    // Keep, per short name, the option whose long name sorts first, as a walk
    // of the table in key order would find it.
    Option*& slot = byShortName[byteIndex(option.shortName)];
    if (slot == nullptr || option.longName < slot->longName) {
        slot = &option;
    }
    if (option.longName.size() == 1) {
        byOneCharLongName[byteIndex(option.longName[0])] = &option;
    }
    entries.push_back(&option);
    byLongName.emplace(option.longName, &option);
}

void OptionParser::rebuildIndexes() {
    byShortName.fill(nullptr);
    byOneCharLongName.fill(nullptr);
    entries.clear();
    byLongName.clear();
    for (auto& entry : options) {
        index(entry.second);
    }
}

bool OptionParser::isSet(char shortName) const {
    const Option* option = byShortName[byteIndex(shortName)];
    return option != nullptr && option->found;
}

bool OptionParser::isSet(const std::string& name) const {
    return isSetByName(name);
}

bool OptionParser::helpRequested() const {
    return isSetByName("help");
}

bool OptionParser::versionRequested() const {
    return isSetByName("version");
}

bool OptionParser::isSetByName(std::string_view name) const noexcept {
    const Option* option = lookup(name);
    return option != nullptr && option->found;
}

bool OptionParser::getValue(const std::string& name, std::string& value) const {
    const Option* option = lookup(name);
    if (option == nullptr || !option->found) {
        return false;
    }
    value = option->value;
    return true;
}

std::string OptionParser::arg(size_type index) const {
    return index < args.size() ? args[index] : std::string();
}

} // namespace conkit
