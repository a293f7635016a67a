// skinpack: the command-line tool for skin authors.
#include <iostream>
#include <string>
#include <vector>

#include "tools/skinpack/command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const int status = skinpack::RunCommandLine(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
