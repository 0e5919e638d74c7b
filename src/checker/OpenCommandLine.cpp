#include "checker/OpenCommandLine.h"

namespace {

constexpr std::string_view kOpenMarker = "<open>";
constexpr std::string_view kCloseMarker = "</open>";

} // namespace

std::string joinArguments(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += argument;
    }
    return line;
}

std::optional<std::string> findOpenPath(std::string_view commandLine)
{
    const std::size_t open = commandLine.find(kOpenMarker);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = commandLine.substr(open + kOpenMarker.size());
    return std::string(rest.substr(0, rest.find(kCloseMarker)));
}
