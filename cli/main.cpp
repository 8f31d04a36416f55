// tandrel-cli: the command-line front end over the same core as the program.
#include "cli/tandrel_cli.h"

#include <iostream>

using namespace tandrel;

int main(int argc, char** argv) {
    return runTandrelCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
