#include "checker/WindowArguments.h"

#include "checker/OpenCommandLine.h"

namespace {

constexpr std::string_view kDataDirOption = "--data-dir";
constexpr std::string_view kOpenMarker = "<open>";
constexpr std::string_view kCloseMarker = "</open>";

} // namespace

WindowArguments readWindowArguments(const std::vector<std::string>& words, bool toolkitDone)
{
    WindowArguments read;
    std::vector<std::string> files;
    bool options = true;
    for (std::size_t at = 0; at < words.size() && read.error.empty(); ++at) {
        const std::string& word = words[at];
        if (word.find(kOpenMarker) != std::string::npos) {
            // The main program's form: the path runs on to the closing marker.
            std::vector<std::string> marked { word };
            while (marked.back().find(kCloseMarker) == std::string::npos && at + 1 < words.size())
                marked.push_back(words[++at]);
            read.openFile = findOpenPath(joinArguments(marked));
        } else if (!options || word.empty() || word == "-" || word.front() != '-') {
            files.push_back(word);
        } else if (word == "--") {
            options = false;
        } else if (word == kDataDirOption) {
            if (at + 1 == words.size() || words[at + 1].empty())
                read.error = "--data-dir needs a folder";
            else
                read.dataDir = words[++at];
        } else if (word.starts_with(std::string(kDataDirOption) + "=")) {
            read.dataDir = word.substr(kDataDirOption.size() + 1);
            if (read.dataDir->empty())
                read.error = "--data-dir needs a folder";
        } else if (word.starts_with("--") || toolkitDone) {
            read.error = "unknown option " + word;
        }
    }
    // Before the toolkit has taken its options out, a word may be the value of one of them.
    if (!toolkitDone || !read.error.empty())
        return read;
    if (files.size() > 1 || (files.size() == 1 && read.openFile))
        read.error = "one file at a time: " + files.back();
    else if (files.size() == 1)
        read.loadFile = files.front();
    return read;
}
