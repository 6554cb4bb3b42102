// The terminal the help is printed on: its width and whether it takes
// colour, read from the environment first so that tests need no terminal.
#include "options/present/Terminal.h"

#include "options/parser/State.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string_view>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace conkit::detail {

namespace {

constexpr std::size_t defaultWidth = 80;
constexpr std::size_t narrowestColumns = 40;
constexpr std::size_t widestColumns = 500;
/// A tool's help reads best no wider than this, whatever the window.
constexpr std::size_t widestToolColumns = 100;

std::string_view variable(OptionParser::Environment environment, const char* name) {
    const char* value = environment != nullptr ? environment(name) : nullptr;
    return value != nullptr ? std::string_view(value) : std::string_view();
}

bool allDigits(std::string_view text) noexcept {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/// `text` read as a whole number; SIZE_MAX when it is all digits but larger
/// than any, 0 when it is not all digits.
std::size_t number(std::string_view text) noexcept {
    if (!allDigits(text)) {
        return 0;
    }
    std::size_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : static_cast<std::size_t>(-1);
}

bool standardOutputIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stdout)) != 0;
#else
    return isatty(STDOUT_FILENO) == 1;
#endif
}

/// The width of the terminal standard output is; 0 when it is none.
std::size_t standardOutputColumns() {
#if defined(_WIN32)
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info) == 0) {
        return 0;
    }
    return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
    winsize size{};
    return ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
#endif
}

} // namespace

std::size_t helpColumns(std::size_t columns, OptionParser::Environment environment) {
    const std::string_view setting = variable(environment, "COLUMNS");
    if (columns == ParserState::fitsTerminal) {
        std::size_t width = defaultWidth;
        if (allDigits(setting)) {
            width = number(setting);
        } else if (const std::size_t terminal = standardOutputColumns(); terminal != 0) {
            width = terminal;
        }
        return std::clamp(width, narrowestColumns, widestToolColumns);
    }
    if (columns != 0) {
        return columns;
    }
    const std::size_t width = number(setting);
    return width >= narrowestColumns && width <= widestColumns ? width : defaultWidth;
}

bool coloured(ColourMode mode, const std::ostream& out, OptionParser::Environment environment) {
    if (mode != ColourMode::automatic) {
        return mode == ColourMode::always;
    }
    if (&out != &std::cout || !variable(environment, "NO_COLOR").empty()) {
        return false;
    }
    const std::string_view force = variable(environment, "CLICOLOR_FORCE");
    if (!force.empty() && force != "0") {
        return true;
    }
    return standardOutputIsTerminal() && variable(environment, "TERM") != "dumb";
}

} // namespace conkit::detail
