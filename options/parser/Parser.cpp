// OptionParser: construction, copies and moves, and the settings that are
// the parser's own.
#include "options/OptionParser.h"

#include "options/parser/State.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace conkit {

namespace {

/// The default environment: the process's own.
const char* processEnvironment(const char* variable) {
    return std::getenv(variable);
}

/// Makes `to`, which takes the place of `from`, the command `from` was, if
/// it was one: a command's parser keeps its place whatever is assigned to it.
void keepPlace(detail::ParserState& to, detail::ParserState& from) noexcept {
    std::swap(to.parent, from.parent);
    std::swap(to.commandName, from.commandName);
}

} // namespace

OptionParser::OptionParser() : held(new detail::ParserState()) {
    held->errorOutput = &std::cout;
    held->sources.environment = processEnvironment;
}

OptionParser::OptionParser(const std::string& usageTemplate, const std::string& versionText)
    : OptionParser() {
    held->table.usage = usageTemplate;
    held->table.version = versionText;
}

OptionParser::OptionParser(const OptionParser& other)
    : held(new detail::ParserState(*other.held)) {}

OptionParser::OptionParser(OptionParser&& other) noexcept : held(other.held) {
    other.held = nullptr;
}

OptionParser& OptionParser::operator=(const OptionParser& other) {
    if (this != &other) {
        OptionParser copy(other);
        if (held != nullptr) { // a moved-from parser has no place to keep
            keepPlace(*copy.held, *held);
        }
        std::swap(held, copy.held);
    }
    return *this;
}

OptionParser& OptionParser::operator=(OptionParser&& other) noexcept {
    if (held != nullptr && other.held != nullptr) {
        keepPlace(*other.held, *held);
    }
    std::swap(held, other.held);
    return *this;
}

OptionParser::~OptionParser() {
    delete held;
}

void OptionParser::setUsage(const std::string& text) {
    held->table.usage = text;
}

void OptionParser::setVersion(const std::string& text) {
    held->table.version = text;
}

std::string OptionParser::getVersion() const {
    return held->table.version;
}

void OptionParser::setDescription(const std::string& text) {
    held->table.description = text;
}

void OptionParser::setFooter(const std::string& text) {
    held->table.footer = text;
}

void OptionParser::setDeprecated(const std::string& advice) {
    held->table.deprecated = advice;
}

void OptionParser::setProgramName(const std::string& name) {
    held->table.programName = name;
}

void OptionParser::setCommandRequired(bool required) noexcept {
    held->table.commandRequired = required;
}

void OptionParser::setSyntax(Syntax rules) noexcept {
    held->table.syntax = rules;
}

Syntax OptionParser::syntax() const noexcept {
    return held->syntax();
}

void OptionParser::setStopAtFirstArgument(bool stop) noexcept {
    held->table.stopAtFirstArgument = stop;
}

void OptionParser::setResponseFiles(bool on) noexcept {
    held->sources.responseFiles = on;
}

void OptionParser::setEnvironment(Environment variables) noexcept {
    held->sources.environment = variables;
}

void OptionParser::setConfigFile(const std::string& optionName, const std::string& defaultPath,
                                 ConfigReader reader) {
    held->sources.configFile = {optionName, defaultPath, reader};
}

void OptionParser::setErrorOutput(std::ostream* out) noexcept {
    held->errorOutput = out;
}

void OptionParser::setTranslator(Translator translate) noexcept {
    held->translator = translate;
}

void OptionParser::setHelpWidth(std::size_t columns) noexcept {
    held->helpWidth = columns;
}

void OptionParser::setColour(ColourMode mode) noexcept {
    held->colour = mode;
}

void OptionParser::reset() {
    held->clearResults();
    held->results.nameProgram("");
}

} // namespace conkit
