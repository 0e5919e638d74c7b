#include "net/DirectoryUpdate.h"

#include "common/AtomicFile.h"
#include "common/DecimalText.h"
#include "common/HostConfiguration.h"
#include "common/IMessageBox.h"
#include "common/IWaitDialog.h"

#include <cstdlib>
#include <unistd.h>

namespace {

constexpr const char* kVersionPath = "/customers/autocheck/dirdata.xml.version.txt";
constexpr const char* kDatabasePath = "/customers/autocheck/dirdata.xml";
constexpr const char* kCheckingMessage = "Checking for update...";
constexpr const char* kDownloadingMessage = "Downloading update...";

constexpr const char* kCheckFailed =
    "An error occurred while retrieving the new directory list. Please check your internet connection.";
constexpr const char* kUpToDate = "You already have the latest directory list. No update is necessary";
constexpr const char* kUpdated = "Your directory list was successfully updated";
constexpr const char* kDownloadFailed =
    "There was a problem downloading the newest update. Please try again later.";
constexpr const char* kUpdatePrompt =
    "A directory list update is available. Would you like to download it now?\r\n"
    "Note: your custom added directories will not be affected";

// A fresh, private file in the system's temporary folder for one download,
// removed again when the download is done with.
class DownloadFile {
public:
    DownloadFile()
    {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        std::string pattern =
            ((error ? std::filesystem::path("/tmp") : folder) / "ddupdate-XXXXXX.xml").string();
        const int fd = ::mkstemps(pattern.data(), 4);
        if (fd >= 0) {
            ::close(fd);
            m_path = pattern;
        }
    }
    ~DownloadFile()
    {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    DownloadFile(const DownloadFile&) = delete;
    DownloadFile& operator=(const DownloadFile&) = delete;

    bool created() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Only a whole body with a success status can be a database; an error status
// would put the server's error text in place of the user's directories.
bool isWholeDatabase(const WaitResult& result)
{
    return result.succeeded && result.complete && result.status >= 200 && result.status < 300;
}

// The server sometimes answers with a web page instead of the database; an
// empty answer is no database either.
bool isAcceptable(const std::string& bytes)
{
    return !bytes.empty() && bytes.find("<HTML>") == std::string::npos
        && bytes.find("<html>") == std::string::npos;
}

} // namespace

DirectoryUpdate::DirectoryUpdate(IMessageBox& messages, IWaitDialog& wait, IDirectoryList& list,
    const HostConfiguration& hosts, std::filesystem::path target)
    : m_messages(messages)
    , m_wait(wait)
    , m_list(list)
    , m_hosts(hosts)
    , m_target(std::move(target))
{
}

DirectoryUpdate::Outcome DirectoryUpdate::UpdateDirectoryList()
{
    if (!m_hosts.hasConfiguredVendorHost()) {
        m_messages.show(HostConfiguration::kNoVendorHostText, kVanteloCaption, MessageIcon::Information);
        return Outcome::NoServer;
    }
    WaitRequest check;
    check.url = m_hosts.vendorUrl(kVersionPath);
    check.message = kCheckingMessage;
    const WaitResult answer = m_wait.run(check);
    if (!answer.succeeded) {
        m_messages.show(kCheckFailed, kVanteloCaption, MessageIcon::Warning);
        return Outcome::CheckFailed;
    }
    const int remoteVersion = parseDecimal(answer.response);
    if (m_list.installedVersion() >= remoteVersion) {
        m_messages.show(kUpToDate, kVanteloCaption, MessageIcon::Information);
        return Outcome::UpToDate;
    }
    return download(remoteVersion, kDownloadingMessage);
}

DirectoryUpdate::Outcome DirectoryUpdate::PromptDirectoryUpdate(int newVersion)
{
    if (!m_hosts.hasConfiguredVendorHost()) {
        m_messages.show(HostConfiguration::kNoVendorHostText, kVanteloCaption, MessageIcon::Information);
        return Outcome::NoServer;
    }
    if (m_messages.ask(kUpdatePrompt, kVanteloCaption, MessageButtons::YesNo, MessageIcon::Information)
        != MessageAnswer::Yes)
        return Outcome::Declined;
    return download(newVersion, WaitRequest::kDefaultMessage);
}

DirectoryUpdate::Outcome DirectoryUpdate::download(int remoteVersion, const std::string& waitMessage)
{
    DownloadFile file;
    bool installed = false;
    if (file.created()) {
        WaitRequest request;
        request.url = m_hosts.vendorUrl(kDatabasePath);
        request.toFile = true;
        request.outputFile = file.path();
        request.message = waitMessage;
        const WaitResult result = m_wait.run(request);
        installed = isWholeDatabase(result) && installDownload(file.path());
    }
    if (!installed) {
        m_messages.show(kDownloadFailed, kVanteloCaption, MessageIcon::Information);
        return Outcome::DownloadFailed;
    }
    m_messages.show(kUpdated, kVanteloCaption, MessageIcon::Information);
    m_list.setInstalledVersion(remoteVersion);
    m_list.reloadDirectories();
    return Outcome::Updated;
}

bool DirectoryUpdate::installDownload(const std::filesystem::path& downloaded)
{
    const std::optional<std::string> bytes = readFileBytes(downloaded);
    if (!bytes || !isAcceptable(*bytes))
        return false;
    return !writeFileAtomically(m_target, *bytes).has_value();
}
