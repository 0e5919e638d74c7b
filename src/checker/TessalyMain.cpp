// tessaly: the list checker. With --check it runs without windows (which a
// build without Qt also offers); otherwise it opens its window.

#include "checker/CheckCommand.h"
#include "checker/WindowMode.h"
#include "common/CommandLine.h"
#include "common/Version.h"

#include <algorithm>
#include <clocale>
#include <exception>
#include <iostream>
#include <unistd.h>

namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: tessaly [--data-dir DIR] [\"<open>FILE</open>\"]\n"
        << "       " << kCheckUsage << "\n\n"
        << "Without --check the list checker opens its window, loading FILE when given.\n"
        << "--check runs the check without windows: the log and progress on stderr, the\n"
        << "summary on stdout; --apply-pr and --disable-broken save the changes found.\n"
        << "--version prints the version.\n";
}

int runCheck(const std::vector<std::string>& arguments)
{
    try {
        return RunCheckCommand(arguments, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    } catch (const UsageError& error) {
        std::cerr << "tessaly: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "tessaly: " << error.what() << '\n';
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Anywhere on the line, so that "tessaly --check --help" explains rather
    // than checks a file named "--help".
    const bool help = std::any_of(arguments.begin(), arguments.end(),
        [](const std::string& argument) { return argument == "--help" || argument == "-h"; });
    if (help) {
        printHelp(std::cout);
        return 0;
    }
    if (arguments.size() == 1 && arguments.front() == "--version") {
        std::cout << "tessaly " << programVersion() << '\n';
        return 0;
    }
    if (IsCheckCommand(arguments))
        return runCheck(arguments);
    return runWindowMode(argc, argv);
}
