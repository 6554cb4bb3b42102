// convert: converts temperatures and lengths. Shows sub-commands (one of
// them with commands of its own), a required command, a command kept under
// its old name as a deprecated one, and an option read from the environment
// when the command line does not give it.
#include "options/OptionParser.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Unit {
    const char* name;
    const char* description;
    double scale;  // to the base unit
    double offset; // added after scaling, for temperatures
};

const Unit temperatures[] = {{"c", "degrees Celsius", 1, 0},
                             {"f", "degrees Fahrenheit", 5.0 / 9, -32 * 5.0 / 9},
                             {"k", "kelvin", 1, -273.15}};
const Unit lengths[] = {{"m", "metres", 1, 0},
                        {"km", "kilometres", 1000, 0},
                        {"mi", "miles", 1609.344, 0},
                        {"ft", "feet", 0.3048, 0}};

template <std::size_t N> const Unit& unitNamed(const Unit (&units)[N], const std::string& name) {
    for (const Unit& unit : units) {
        if (name == unit.name) {
            return unit;
        }
    }
    return units[0]; // the choices of --from and --to admit no other name
}

/// Adds a converting command `name` over `units` to `parser`, and returns it.
template <std::size_t N>
conkit::OptionParser& addConversion(conkit::OptionParser& parser, const char* name,
                                    const char* help, const Unit (&units)[N], const char* from,
                                    const char* to) {
    std::vector<std::string> names;
    for (const Unit& unit : units) {
        names.emplace_back(unit.name);
    }
    conkit::OptionParser& command = parser.addCommand(name, help);
    command.addOperand("VALUE", "a number to convert").repeated();
    command.addOption('f', "from", true, from, "the unit of the values");
    command.describe("from").choices(names).valueName("UNIT");
    command.addOption('t', "to", true, to, "the unit to convert them to");
    command.describe("to").choices(names).valueName("UNIT");
    return command;
}

/// Converts the values given to `command` and prints them; false when one
/// is no number.
template <std::size_t N>
bool convertValues(const conkit::OptionParser& command, const Unit (&units)[N], int precision) {
    const Unit& from = unitNamed(units, command.value("from"));
    const Unit& to = unitNamed(units, command.value("to"));
    for (const std::string& text : command.operands("VALUE")) {
        double value = 0;
        char rest = 0;
        if (std::sscanf(text.c_str(), "%lf%c", &value, &rest) != 1) {
            std::cerr << "convert: '" << text << "' is no number\n";
            return false;
        }
        const double base = value * from.scale + from.offset;
        std::printf("%.*f %s\n", precision, (base - to.offset) / to.scale, to.name);
    }
    return true;
}

template <std::size_t N> void listUnits(const Unit (&units)[N]) {
    for (const Unit& unit : units) {
        std::printf("%-4s%s\n", unit.name, unit.description);
    }
}

} // namespace

int main(int argc, char** argv) {
    auto parser = conkit::OptionParser::tool("convert", "1.1", "Convert temperatures and lengths.");
    parser.addOption('p', "precision", true, "2", "print N digits after the decimal point");
    parser.describe("precision").range(0, 6).valueName("N").env("CONVERT_PRECISION");
    addConversion(parser, "temp", "convert temperatures", temperatures, "c", "f");
    addConversion(parser, "length", "convert lengths", lengths, "km", "mi");
    // Version 1.0 called "temp" "temperature": the old name still works, and warns.
    addConversion(parser, "temperature", "convert temperatures", temperatures, "c", "f")
        .setDeprecated("use 'temp'");
    conkit::OptionParser& units = parser.addCommand("units", "list the units of a kind");
    units.addCommand("temp", "temperature units");
    units.addCommand("length", "length units");
    units.setCommandRequired(true);
    parser.setCommandRequired(true);

    if (const std::optional<int> status = parser.parseAndAnswer(argc, argv)) {
        return *status;
    }
    int precision = 2;
    parser.getValue("precision", precision);
    const std::string command = parser.command();
    const conkit::OptionParser& chosen = *parser.commandParser();
    if (command == "units") {
        if (chosen.command() == "temp") {
            listUnits(temperatures);
        } else {
            listUnits(lengths);
        }
        return 0;
    }
    const bool converted = command == "length" ? convertValues(chosen, lengths, precision)
                                               : convertValues(chosen, temperatures, precision);
    return converted ? 0 : 2;
}
