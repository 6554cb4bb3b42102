// The demonstration program: greets, exercises StrSlice, then parses its
// command line with OptionParser and prints the positional arguments.
#include "options/OptionParser.h"
#include "slices/StrSlice.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    std::puts("!!!Hello World!!!");

    // Slices view characters without copying them; none of this prints.
    {
        conkit::StrSlice str;
        static_cast<void>(str);
    }
    {
        conkit::StrSlice str("abc");
        static_cast<void>(str.size());
    }
    {
        char buffer[8];
        conkit::StrSlice str(buffer, 8);
        str = "hello";      // re-points the slice; buffer is never written
        str = "0123456789"; // longer than buffer, harmless: it views the literal
    }

    conkit::OptionParser parser("%prog", "demo 1.0");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption('u', "user", true, "", "username");
    parser.addOption('p', "password", false, "", "password");

    if (!parser.parse(argc, argv)) {
        parser.printHelp();
    }
    for (unsigned index = 0; index < parser.argCount(); ++index) {
        std::cout << parser.arg(index) << '\n';
    }

    std::string user;
    parser.getValue("user", user);
    return 0;
}
