#include "CliMain.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cin, std::cout, std::cerr, LocalNow, isatty(STDERR_FILENO) == 1);
}
