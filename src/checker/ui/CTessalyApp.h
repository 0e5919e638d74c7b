#pragma once

#include <optional>
#include <string>
#include <vector>

// The list checker's application: Qt's set-up, the command line, and the main
// dialog shown until it closes.
class CTessalyApp {
public:
    // What the window's command line asks for.
    struct Arguments {
        std::optional<std::string> dataDir; // --data-dir DIR: where data/settings.xml is
        std::optional<std::string> openFile; // "<open>" FILE "</open>"
    };

    CTessalyApp(int& argc, char** argv);

    // Shows the dialog and returns the exit code once it is closed.
    int run();

    // Reads "--data-dir DIR" and then the "<open>" marker from the rest of the line.
    static Arguments readArguments(std::vector<std::string> arguments);

private:
    int& m_argc;
    char** m_argv;
};
