#pragma once

#include <filesystem>
#include <string>

class HostConfiguration;
class IMessageBox;
class IWaitDialog;

// The update of the main directory database from the vendor's web server: reads
// the published version number, and when it is newer than the installed one
// downloads the new database. The download goes to a temporary file and replaces
// dirdata.xml only when it arrived whole and is no web page; the user's custom
// directories are never touched.
class DirectoryUpdate {
public:
    // What the main window lends the update: the installed version and the list.
    class IDirectoryList {
    public:
        virtual ~IDirectoryList() = default;
        virtual int installedVersion() const = 0;
        virtual void setInstalledVersion(int version) = 0;
        // Reloads the directory databases and refreshes the list after an update.
        virtual void reloadDirectories() = 0;
    };

    // How a run ended.
    enum class Outcome {
        Updated, // the new database is in place and its version installed
        UpToDate, // the installed version is not lower than the published one
        CheckFailed, // the version file could not be fetched
        DownloadFailed, // the download failed or was refused; nothing changed
        Declined, // the user chose not to download
        NoServer, // no vendor host is configured; nothing was asked
    };

    DirectoryUpdate(IMessageBox& messages, IWaitDialog& wait, IDirectoryList& list,
        const HostConfiguration& hosts, std::filesystem::path target);

    // The "Update Directory Database" command: check the version, download if newer.
    Outcome UpdateDirectoryList();
    // The answer to a newer version found by the update check: ask, then download.
    Outcome PromptDirectoryUpdate(int newVersion);

private:
    Outcome download(int remoteVersion, const std::string& waitMessage);
    bool installDownload(const std::filesystem::path& downloaded);

    IMessageBox& m_messages;
    IWaitDialog& m_wait;
    IDirectoryList& m_list;
    const HostConfiguration& m_hosts;
    std::filesystem::path m_target;
};
