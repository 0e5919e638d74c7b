#pragma once

#include "browser/SessionLogins.h"
#include "browser/SiteZoomStore.h"

#include <QList>
#include <QNetworkCookie>
#include <QObject>

#include <filesystem>
#include <memory>

class IBrowserDialogs;
class IFileDialog;
class IMessageBox;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

// What "Clear browsing data" removes.
struct BrowsingData {
    bool cookiesAndSiteData = true; // cookies now, local storage and the like at the next start
    bool cache = true; // the pages and pictures kept to load faster
};

// The browser profile that the program's pages share: where their cookies,
// site data and cache live (a folder of the data folder, or nowhere for a
// throw-away profile), the zoom of each site, the sign-ins remembered for the
// session, and the downloads. The program makes one and hands it to every
// window with a browser; it outlives their pages.
class BrowserProfile : public QObject {
    Q_OBJECT

public:
    // The cap of the HTTP cache on disk.
    static constexpr int kCacheBytes = 200 * 1024 * 1024;

    // How the profile asks the user; each left null is answered without asking.
    struct Seams {
        // Script dialogs and sign-ins; without, pages get "Cancel" at once.
        IBrowserDialogs* dialogs = nullptr;
        // Where a download goes; without, downloads are refused.
        IFileDialog* files = nullptr;
        // What failed (a download, the zoom file).
        IMessageBox* messages = nullptr;
    };

    // A profile kept in `folder` (made when missing); a throw-away one that
    // keeps nothing when `folder` is empty.
    BrowserProfile(const std::filesystem::path& folder, Seams seams, QObject* parent = nullptr);
    ~BrowserProfile() override;

    QWebEngineProfile* profile() const { return m_profile; }
    bool isPersistent() const { return !m_folder.empty(); }
    const std::filesystem::path& folder() const { return m_folder; }
    IBrowserDialogs* dialogs() const { return m_seams.dialogs; }
    SessionLogins& logins() { return m_logins; }
    SiteZoomStore& zoom() { return m_zoom; }

    // Deletes every cookie and empties the cache now, as chosen; the other site
    // data (local storage, databases) goes at the next start, before any page uses it.
    void clearBrowsingData(const BrowsingData& what);
    // Deletes the cookies of the site of a host; how many there were.
    int forgetSiteCookies(const QString& host);
    // The cookies the profile holds now: those set since it started, and the
    // lasting ones known from earlier runs (by name, without their values).
    const QList<QNetworkCookie>& cookies() const { return m_cookies; }

    // The folder a download is offered in first: ~/Downloads, else the home folder.
    static QString defaultDownloadFolder();

signals:
    // A download's progress, end or failure, for the status line.
    void downloadStatus(const QString& text);

private:
    void removeSiteDataMarkedForClearing();
    void watchCookies();
    void readCookieIndex();
    void writeCookieIndex() const;
    void startDownload(QWebEngineDownloadRequest* download);
    void followDownload(QWebEngineDownloadRequest* download);

    std::filesystem::path m_folder;
    Seams m_seams;
    std::unique_ptr<IMessageBox> m_quietMessages;
    QWebEngineProfile* m_profile = nullptr;
    QList<QNetworkCookie> m_cookies;
    SessionLogins m_logins;
    SiteZoomStore m_zoom;
};
