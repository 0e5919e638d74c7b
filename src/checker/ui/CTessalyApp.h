#pragma once

#include "checker/WindowArguments.h"

#include <string>
#include <vector>

// The list checker's application: Qt's set-up, the command line, and the main
// dialog shown until it closes.
class CTessalyApp {
public:
    // What the window's command line asks for.
    using Arguments = WindowArguments;

    CTessalyApp(int& argc, char** argv);

    // Shows the dialog and returns the exit code once it is closed: 2 for a
    // command line with an option that neither it nor the toolkit knows.
    int run();

    // Reads the line once the toolkit has taken its own options out.
    static Arguments readArguments(const std::vector<std::string>& arguments);

private:
    int& m_argc;
    char** m_argv;
};
