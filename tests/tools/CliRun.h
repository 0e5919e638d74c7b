#pragma once

#include <string>
#include <vector>

// What a vantelo-cli command printed and returned when run in this process.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs one subcommand group's function with the words after its name, capturing
// standard output and error; a usage error becomes exit code 2 and any other
// exception exit code 1, as in main.
CliRun runCliCommand(
    int (*command)(const std::vector<std::string>&), const std::vector<std::string>& arguments);
