// gastrolog-cli: the diary's commands from the command line (see cli/CommandLine.h).

#include <exception>
#include <iostream>

#include "cli/CommandLine.h"

int main(int argc, char** argv) {
    try {
        return RunCommandLine(argc, argv, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "gastrolog-cli: " << error.what() << '\n';
        return 1;
    }
}
