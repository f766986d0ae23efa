#include "CliMain.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // A reader that has gone (a closed pipe) is a lost output like any other:
    // the write fails with EPIPE and the program says so with status 4,
    // rather than dying silently of the signal.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cin, std::cout, std::cerr, LocalNow, isatty(STDERR_FILENO) == 1);
}
