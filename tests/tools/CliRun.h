#pragma once

#include "Commands.h"

#include <string>
#include <vector>

// What vantelo-cli printed and returned when run in this process.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs vantelo-cli with the words after the program's name over the commands
// given (those of a build without Qt unless told), capturing standard output
// and error.
CliRun runCli(const std::vector<std::string>& words, const std::vector<CliCommand>& commands = cliCommands());
