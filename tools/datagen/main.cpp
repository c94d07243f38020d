// orvane-datagen: turns the UTF-8 source texts into the GBK texts packed into the program's
// embedded containers. Run by the build; see CommandLine.h for the subcommands.

#include "CommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvane::datagen::RunCommandLine(args, std::cout, std::cerr);
}
