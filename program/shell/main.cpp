#include "program/shell/CommandLine.h"
#include "program/shell/frmMain.h"

#include <iostream>

int main(int argc, char** argv) {
    // Without arguments the program opens its window; with them it stays window-free.
    if (argc <= 1)
        return ampleton::runWindows(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return ampleton::runCommandLine(args, std::cout, std::cerr);
}
