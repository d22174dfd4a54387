#include "cli/Cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    lumaro::cli::CliIo io{std::cin, std::cout, std::cerr};
    return lumaro::cli::RunCli(args, io);
}
