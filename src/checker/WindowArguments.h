#pragma once

#include <optional>
#include <string>
#include <vector>

// What the list checker's command line asks of its window: a data folder, and a
// file to open, either as the main program names it ("<open>" FILE "</open>",
// whose path may have been split at its blanks) or as a plain FILE.
struct WindowArguments {
    std::optional<std::string> dataDir; // --data-dir DIR: where data/settings.xml is
    std::optional<std::string> openFile; // "<open>" FILE "</open>": saved back without asking
    std::optional<std::string> loadFile; // FILE: loaded as "Load..." does
    std::string error; // what is wrong with the line, if anything
};

// Reads the words after the program's name. An unknown "--option" is an error;
// one of a single dash ("-style") is the toolkit's until `toolkitDone` says the
// toolkit has taken its own out, and an error from then on; only then are the
// files read, as a word before may be the value of a toolkit option. "--" ends
// the options.
WindowArguments readWindowArguments(const std::vector<std::string>& words, bool toolkitDone);
