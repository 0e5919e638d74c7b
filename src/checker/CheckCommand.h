#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The list checker without windows, for servers and scripts: the same run as the
// window's, its log and a progress bar on the error stream, the summary on the
// output stream, and with the apply flags the changes saved to the file in the
// form it was loaded in.

inline constexpr const char* kCheckUsage = "tessaly --check FILE [--no-pr] [--no-alive] [--apply-pr] "
                                           "[--disable-broken] [--pause-ms N] [--data-dir DIR]";

// Whether the arguments ask for the command-line mode.
bool isCheckCommand(const std::vector<std::string>& arguments);

// Runs the command-line mode and returns the exit code: 0 when the run ended
// (and a save asked for succeeded), 1 when the file could not be loaded or
// saved. Wrong arguments throw UsageError. With a terminal the progress bar is
// redrawn in place, otherwise it gets a line every tenth of the way. Ctrl+C
// stops the run after the directory in progress, as Stop does; a second one
// ends the program.
int runCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
    bool errIsTerminal = false);
