// tessaly: the list checker. With --check it runs without windows (which a
// build without Qt also offers); otherwise it opens its window.

#include "checker/CheckCommand.h"
#include "checker/WindowArguments.h"
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
    out << "Usage: tessaly [--data-dir DIR] [FILE | \"<open>FILE</open>\"]\n"
        << "       " << kCheckUsage << "\n"
        << "       tessaly --help | --version\n"
           "\n"
           "Re-checks a directory database (a custom database or a scrambled dirdata.xml):\n"
           "for every directory it asks the PageRank of the directory's site and whether\n"
           "its submission page still answers.\n"
           "\n"
           "Without --check the list checker opens its window. FILE is loaded as Load...\n"
           "does; \"<open>FILE</open>\" is how Vantelo starts it, and the reviewed changes\n"
           "are then saved back to FILE without asking. Qt's own options (-style, ...) work.\n"
           "\n"
           "Options:\n"
           "  --check FILE        check FILE without windows: the log and the progress on\n"
           "                      standard error, the summary on standard output\n"
           "  --no-pr             do not ask for PageRanks (only check that pages answer)\n"
           "  --no-alive          do not check whether the submission pages answer\n"
           "  --apply-pr          save every PageRank change found into FILE\n"
           "  --disable-broken    disable in FILE every directory whose page did not answer\n"
           "  --pause-ms N        pause N milliseconds after each PageRank query (default\n"
           "                      3000, to keep the request rate low; at most a day)\n"
           "  --data-dir DIR      the data folder whose data/settings.xml names the servers\n"
           "                      (default: $VANTELO_DATA_DIR, else the programs' folder)\n"
           "  -h, --help          print this help and exit\n"
           "  --version           print the version and exit\n"
           "\n"
           "Without --apply-pr or --disable-broken the file is left as it is. Ctrl+C stops\n"
           "a check after the directory in progress; a second Ctrl+C ends it at once.\n"
           "A \"--\" ends the options.\n"
           "\n"
           "Environment:\n"
           "  VANTELO_DATA_DIR    the data folder when --data-dir is not given\n"
           "\n"
           "Exit status:\n"
           "  0  the check ran (and the changes asked for were saved)\n"
           "  1  the file could not be read, is no directory database, or could not be saved\n"
           "  2  a usage error: an unknown option, a missing argument\n"
           "\n"
           "The full reference: man tessaly.\n";
}

int runCheck(const std::vector<std::string>& arguments)
{
    try {
        return runCheckCommand(arguments, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    } catch (const UsageError& error) {
        std::cerr << "tessaly: " << error.what() << "\nTry 'tessaly --help' for more information.\n";
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
    // Anywhere among the options, so that "tessaly --check --help" explains
    // rather than checks a file named "--help".
    const auto options = std::find(arguments.begin(), arguments.end(), "--");
    const bool help = std::any_of(arguments.begin(), options,
        [](const std::string& argument) { return argument == "--help" || argument == "-h"; });
    if (help) {
        printHelp(std::cout);
        return 0;
    }
    if (arguments.size() == 1 && arguments.front() == "--version") {
        std::cout << "tessaly " << programVersion() << '\n';
        return 0;
    }
    if (isCheckCommand(arguments))
        return runCheck(arguments);
    // The toolkit's own options are known only once it has started; ours are known now.
    if (const WindowArguments window = readWindowArguments(arguments, false); !window.error.empty()) {
        std::cerr << "tessaly: " << window.error << "\nTry 'tessaly --help' for more information.\n";
        return 2;
    }
    return runWindowMode(argc, argv);
}
