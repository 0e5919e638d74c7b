#include "browser/ui/BrowserProfile.h"

#include "browser/DownloadText.h"
#include "browser/SiteHost.h"
#include "common/AtomicFile.h"
#include "common/DataFolder.h"
#include "common/IFileDialog.h"
#include "common/IMessageBox.h"
#include "common/StderrMessageBox.h"
#include "widgets/QtText.h"

#include <QDateTime>
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
// The lasting cookies the profile knew at its end: the browser names none it
// read from disk, and a site's cookies can be deleted only by name.
constexpr const char* kCookieIndex = "cookie-names.txt";
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
    , m_quietMessages(seams.messages ? nullptr : std::make_unique<StderrMessageBox>("vantelo"))
    , m_zoom(seams.messages ? *seams.messages : *m_quietMessages)
{
    if (isPersistent()) {
        // Cookies are sign-ins: the folder is its owner's alone, also one made before.
        createPrivateFolder(m_folder);
        restrictFolderToOwner(m_folder);
        removeSiteDataMarkedForClearing();
        m_profile = new QWebEngineProfile(QString::fromLatin1(kStorageName), this);
        m_profile->setPersistentStoragePath(QString::fromStdString(m_folder.string()));
        m_profile->setCachePath(QString::fromStdString((m_folder / kCacheFolder).string()));
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        m_profile->setHttpCacheMaximumSize(kCacheBytes);
        // Cookies with an expiry are kept; session cookies end with the program, as in any browser.
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        m_zoom.open(m_folder / kZoomFile);
        readCookieIndex();
    } else {
        m_profile = new QWebEngineProfile(this);
    }
    m_profile->setDownloadPath(defaultDownloadFolder());
    watchCookies();
    connect(m_profile, &QWebEngineProfile::downloadRequested, this, &BrowserProfile::startDownload);
}

BrowserProfile::~BrowserProfile()
{
    writeCookieIndex();
    // The profile writes its cookies and cache to disk as it goes away, before its folder may.
    delete m_profile;
}

void BrowserProfile::clearBrowsingData(const BrowsingData& what)
{
    if (what.cookiesAndSiteData) {
        m_profile->cookieStore()->deleteAllCookies();
        m_cookies.clear();
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
            m_cookies.removeIf([&](const QNetworkCookie& known) { return sameCookie(known, cookie); });
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
    // Newer browsers list the cookies read from disk here; this one lists none (see kCookieIndex).
    store->loadAllCookies();
}

void BrowserProfile::readCookieIndex()
{
    const std::optional<std::string> text = readFileBytes(m_folder / kCookieIndex);
    if (!text)
        return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QString& line : QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()))
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // domain, path, expiry (seconds since 1970), name: a damaged line is left out.
        const QStringList fields = line.split(QLatin1Char('\t'));
        bool number = false;
        const qint64 expiry = fields.size() == 4 ? fields[2].toLongLong(&number) : 0;
        if (!number || fields[3].isEmpty())
            continue;
        QNetworkCookie cookie(fields[3].toUtf8());
        cookie.setDomain(fields[0]);
        cookie.setPath(fields[1]);
        cookie.setExpirationDate(QDateTime::fromSecsSinceEpoch(expiry, Qt::UTC));
        if (cookie.expirationDate() > now)
            m_cookies.append(cookie);
    }
}

void BrowserProfile::writeCookieIndex() const
{
    if (!isPersistent())
        return;
    std::string text;
    for (const QNetworkCookie& cookie : m_cookies) {
        const QString line = cookie.domain() + QLatin1Char('\t') + cookie.path() + QLatin1Char('\t')
            + QString::number(cookie.expirationDate().toSecsSinceEpoch()) + QLatin1Char('\t')
            + QString::fromUtf8(cookie.name());
        // Session cookies end with the program; a name that would break the line is not kept.
        if (cookie.isSessionCookie() || line.count(QLatin1Char('\t')) != 3
            || line.contains(QLatin1Char('\n')))
            continue;
        text += toStdString(line) + '\n';
    }
    // A failure here costs only the "Forget This Site's Cookies" of older cookies: nothing to tell.
    writeFileAtomically(m_folder / kCookieIndex, text, FileAccess::OwnerOnly);
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
