#include "browser/ui/BrowserProfile.h"

#include "browser/DownloadText.h"
#include "browser/SiteHost.h"
#include "common/AtomicFile.h"
#include "common/IFileDialog.h"
#include "common/IMessageBox.h"
#include "common/StderrMessageBox.h"
#include "widgets/QtText.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace {

constexpr const char* kStorageName = "Vantelo";
constexpr const char* kCacheFolder = "cache";
constexpr const char* kZoomFile = "zoom.xml";
// Left by "Clear browsing data": the site data goes before the browser next opens the folder.
constexpr const char* kClearMarker = "clear-site-data";
constexpr const char* kClearMarkerText = "The site data of this folder is removed at the next start.\n";
constexpr const char* kUnnamedDownload = "download";
constexpr const char* kAllFiles = "All Files";
constexpr const char* kCancelled = "The download of %1 was cancelled.";

// Whether two cookies are the same cookie (a newer value replaces an older one).
bool sameCookie(const QNetworkCookie& a, const QNetworkCookie& b)
{
    return a.name() == b.name() && a.domain() == b.domain() && a.path() == b.path();
}

QString downloadName(const QWebEngineDownloadRequest& download)
{
    return download.downloadFileName().isEmpty() ? download.suggestedFileName() : download.downloadFileName();
}

} // namespace

BrowserProfile::BrowserProfile(const std::filesystem::path& folder, Seams seams, QObject* parent)
    : QObject(parent)
    , m_folder(folder)
    , m_seams(seams)
    , m_quietMessages(seams.messages ? nullptr : std::make_unique<StderrMessageBox>())
    , m_zoom(seams.messages ? *seams.messages : *m_quietMessages)
{
    if (isPersistent()) {
        std::error_code ignored;
        std::filesystem::create_directories(m_folder, ignored);
        removeSiteDataMarkedForClearing();
        m_profile = new QWebEngineProfile(QString::fromLatin1(kStorageName), this);
        m_profile->setPersistentStoragePath(QString::fromStdString(m_folder.string()));
        m_profile->setCachePath(QString::fromStdString((m_folder / kCacheFolder).string()));
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        m_profile->setHttpCacheMaximumSize(kCacheBytes);
        // Cookies with an expiry are kept; session cookies end with the program, as in any browser.
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        m_zoom.open(m_folder / kZoomFile);
    } else {
        m_profile = new QWebEngineProfile(this);
    }
    m_profile->setDownloadPath(defaultDownloadFolder());
    watchCookies();
    connect(m_profile, &QWebEngineProfile::downloadRequested, this, &BrowserProfile::startDownload);
}

BrowserProfile::~BrowserProfile()
{
    // The profile writes its cookies and cache to disk as it goes away, before its folder may.
    delete m_profile;
}

void BrowserProfile::clearBrowsingData(const BrowsingData& what)
{
    if (what.cookiesAndSiteData) {
        m_profile->cookieStore()->deleteAllCookies();
        m_profile->clearAllVisitedLinks();
        m_logins.clear();
        if (isPersistent()) {
            if (const std::optional<FileWriteError> error =
                    writeFileAtomically(m_folder / kClearMarker, kClearMarkerText)) {
                IMessageBox& messages = m_seams.messages ? *m_seams.messages : *m_quietMessages;
                messages.show("The site data could not be marked for removal: " + error->message + " ("
                        + error->details + ")",
                    kVanteloCaption, MessageIcon::Error);
            }
        }
    }
    if (what.cache)
        m_profile->clearHttpCache();
}

int BrowserProfile::forgetSiteCookies(const QString& host)
{
    const std::string pageHost = toStdString(host);
    int forgotten = 0;
    for (const QNetworkCookie& cookie : QList<QNetworkCookie>(m_cookies)) {
        if (cookieBelongsToSite(toStdString(cookie.domain()), pageHost)) {
            m_profile->cookieStore()->deleteCookie(cookie);
            ++forgotten;
        }
    }
    return forgotten;
}

QString BrowserProfile::defaultDownloadFolder()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir())
        return downloads;
    return QDir::homePath();
}

void BrowserProfile::removeSiteDataMarkedForClearing()
{
    std::error_code error;
    if (!std::filesystem::exists(m_folder / kClearMarker, error))
        return;
    // Everything the browser keeps here is site data but the cache and the zoom levels.
    for (const std::filesystem::directory_entry& entry :
        std::filesystem::directory_iterator(m_folder, error)) {
        const std::filesystem::path name = entry.path().filename();
        if (name != kCacheFolder && name != kZoomFile && name != kClearMarker)
            std::filesystem::remove_all(entry.path(), error);
    }
    std::filesystem::remove(m_folder / kClearMarker, error);
}

void BrowserProfile::watchCookies()
{
    QWebEngineCookieStore* store = m_profile->cookieStore();
    connect(store, &QWebEngineCookieStore::cookieAdded, this, [this](const QNetworkCookie& added) {
        m_cookies.removeIf([&](const QNetworkCookie& cookie) { return sameCookie(cookie, added); });
        m_cookies.append(added);
    });
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, [this](const QNetworkCookie& removed) {
        m_cookies.removeIf([&](const QNetworkCookie& cookie) { return sameCookie(cookie, removed); });
    });
    store->loadAllCookies();
}

void BrowserProfile::startDownload(QWebEngineDownloadRequest* download)
{
    if (download->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    // Nothing is saved unless the user chose where.
    if (!m_seams.files) {
        download->cancel();
        return;
    }
    const QString suggested = download->suggestedFileName().isEmpty() ? QString::fromLatin1(kUnnamedDownload)
                                                                      : download->suggestedFileName();
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filters = { { kAllFiles, "*" } };
    request.presetName = toStdString(QDir(defaultDownloadFolder()).filePath(suggested));
    const std::optional<ChosenFile> chosen = m_seams.files->choose(request);
    if (!chosen || chosen->path.empty()) {
        download->cancel();
        emit downloadStatus(QString::fromLatin1(kCancelled).arg(suggested));
        return;
    }
    const QFileInfo target(QString::fromStdString(chosen->path.string()));
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    followDownload(download);
    download->accept();
}

void BrowserProfile::followDownload(QWebEngineDownloadRequest* download)
{
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this, download] {
        emit downloadStatus(toQString(downloadProgressText(
            toStdString(downloadName(*download)), download->receivedBytes(), download->totalBytes())));
    });
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [this, download] {
        if (!download->isFinished())
            return;
        const std::string name = toStdString(downloadName(*download));
        switch (download->state()) {
        case QWebEngineDownloadRequest::DownloadCompleted:
            emit downloadStatus(toQString(downloadDoneText(name, download->receivedBytes(),
                toStdString(QDir(download->downloadDirectory()).filePath(download->downloadFileName())))));
            break;
        case QWebEngineDownloadRequest::DownloadCancelled:
            emit downloadStatus(QString::fromLatin1(kCancelled).arg(downloadName(*download)));
            break;
        default: {
            const std::string failed =
                downloadFailedText(name, toStdString(download->interruptReasonString()));
            emit downloadStatus(toQString(failed));
            IMessageBox& messages = m_seams.messages ? *m_seams.messages : *m_quietMessages;
            messages.show(failed, kVanteloCaption, MessageIcon::Warning);
            break;
        }
        }
    });
}
