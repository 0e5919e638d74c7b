#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line of the main program asks for.
struct ProgramArguments {
    bool help = false; // print the usage and end
    bool version = false; // print the version and end
    std::optional<std::string> dataDir; // the data folder, instead of the program's folder
    std::string error; // what is wrong with the command line, if anything
};

// Reads "--help" (or "-h"), "--version" and "--data-dir DIR" (or "--data-dir=DIR").
// Any other "--option" is an error. Options of a single dash ("-style fusion")
// belong to the toolkit and are left to it until `toolkitDone` says it has
// taken its own out; from then on they, and any other word, are errors.
ProgramArguments parseProgramArguments(const std::vector<std::string>& arguments, bool toolkitDone = false);

// The text `vantelo --help` prints.
std::string programUsage();
