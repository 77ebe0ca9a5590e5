#include "program/shell/CommandLine.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return ampleton::runCommandLine(args, std::cout, std::cerr);
}
