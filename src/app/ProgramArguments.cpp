#include "app/ProgramArguments.h"

namespace {

constexpr std::string_view kDataDirOption = "--data-dir";

} // namespace

ProgramArguments parseProgramArguments(const std::vector<std::string>& arguments, bool toolkitDone)
{
    ProgramArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (argument == kDataDirOption) {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                parsed.error = "--data-dir needs a folder";
                return parsed;
            }
            parsed.dataDir = arguments[++i];
        } else if (argument.starts_with(std::string(kDataDirOption) + "=")) {
            parsed.dataDir = argument.substr(kDataDirOption.size() + 1);
            if (parsed.dataDir->empty()) {
                parsed.error = "--data-dir needs a folder";
                return parsed;
            }
        } else if (argument == "--") {
            continue;
        } else if (argument.starts_with("--")) {
            parsed.error = "unknown option " + argument;
            return parsed;
        } else if (toolkitDone) {
            parsed.error =
                (argument.starts_with("-") ? "unknown option " : "unexpected argument ") + argument;
            return parsed;
        }
    }
    return parsed;
}

std::string programUsage()
{
    return "Usage: vantelo [--data-dir DIR]\n"
           "\n"
           "Submits your web site to web directories: shows a directory's submission page,\n"
           "fills its form from your site profile and records where your site was sent.\n"
           "\n"
           "Options:\n"
           "  --data-dir DIR  keep the directory databases, profiles and settings in DIR\n"
           "                  (default: $VANTELO_DATA_DIR, else the program's own folder;\n"
           "                  an installed program, or one that cannot write there, uses\n"
           "                  ~/.local/share/vantelo and copies the shipped files into it)\n"
           "  -h, --help      print this text and exit\n"
           "  --version       print the version and exit\n"
           "\n"
           "Qt's own options (-style, -platform, ...) work as in every Qt program.\n"
           "A second start on the same data folder brings the running window to the front.\n"
           "\n"
           "Environment:\n"
           "  VANTELO_DATA_DIR  the data folder when --data-dir is not given\n"
           "\n"
           "Exit status: 0 when the window was closed, 2 for an unknown option.\n"
           "The full reference: man vantelo; the user guide: F1 in the window.\n";
}
