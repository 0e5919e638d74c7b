#pragma once

#include <string>
#include <vector>

// The program: reads the command line, makes sure only one copy runs on a data
// folder, and runs the main window until it closes.
class CQuenlarApp {
public:
    // The company name under which the toolkit keeps its own settings.
    static constexpr const char* kOrganization = "Morvane software";
    // The installed desktop entry (and AppStream id), by which a desktop
    // matches the window to its menu entry and icon.
    static constexpr const char* kDesktopFileName = "io.github.vantelo.Vantelo";

    CQuenlarApp(int& argc, char** argv);

    // The exit code: 0 after the window closed, or when another copy was brought to the front.
    int run();

private:
    int& m_argc;
    char** m_argv;
    std::vector<std::string> m_arguments;
};
