// A program that uses conkit the way an adopter would: through the installed
// or embedded headers and libraries.
#include <options/OptionParser.h>
#include <slices/StrSlice.h>
#if defined(CONKIT_CONSUMER_CONFIG)
#include <config/TomlConfig.h>
#endif
#if __has_include(<options/Gettext.h>) // where conkit was built with gettext
#include <options/Gettext.h>

#include <clocale>
#define CONKIT_CONSUMER_GETTEXT
#endif

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    conkit::OptionParser parser("%prog [options]", "consumer 1.0");
    parser.addOption('n', "name", true, "", "who to greet");
#if defined(CONKIT_CONSUMER_GETTEXT)
    std::setlocale(LC_ALL, "");
    parser.setTranslator(conkit::gettextTranslator);
#endif
#if defined(CONKIT_CONSUMER_CONFIG)
    parser.addOption('c', "config", true, "", "a TOML file that may give the name");
    parser.setConfigFile("config", "", conkit::readTomlConfig);
#endif
    if (!parser.parse(argc, argv)) {
        return 1;
    }
    std::string name = "nobody";
    parser.getValue("name", name);

    int fields = 0;
    for (conkit::StrSlice field : conkit::CharSplitter(conkit::StrSlice("a,b,c"), ',')) {
        fields += field.size() == 1 ? 1 : 0;
    }
    std::cout << "hello " << name << ", " << fields << " fields\n";
    return 0;
}
