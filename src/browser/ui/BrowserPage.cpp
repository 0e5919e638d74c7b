#include "browser/ui/BrowserPage.h"

#include "browser/SiteHost.h"
#include "browser/ui/BrowserProfile.h"
#include "widgets/QtText.h"

#include <QAuthenticator>
#include <QWebEngineNewWindowRequest>

#include <chrono>

namespace {

std::chrono::milliseconds sinceStart()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

// The host a dialog names: with the port when the address gives one.
std::string shownHost(const QUrl& address)
{
    const QString host = address.host();
    if (host.isEmpty() || address.port() < 0)
        return toStdString(host);
    return toStdString(host + QLatin1Char(':') + QString::number(address.port()));
}

// "https://host:port", the server a sign-in belongs to.
QString serverOf(const QUrl& address)
{
    return address
        .adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
        .toString();
}

} // namespace

BrowserPage::BrowserPage(QObject* parent)
    : QWebEnginePage(parent)
{
    watchWindowRequests();
}

BrowserPage::BrowserPage(BrowserProfile& browser, QObject* parent)
    : QWebEnginePage(browser.profile(), parent)
    , m_browser(&browser)
{
    connect(this, &QWebEnginePage::authenticationRequired, this, &BrowserPage::signIn);
    connect(this, &QWebEnginePage::loadStarted, this, [this] { m_answeredFromMemory.clear(); });
    watchWindowRequests();
}

// createWindow() is left to say no: the request that follows tells whether a
// person asked for the window.
void BrowserPage::watchWindowRequests()
{
    connect(this, &QWebEnginePage::newWindowRequested, this, &BrowserPage::openWindow);
    connect(this, &QWebEnginePage::loadStarted, this, [this] { m_refusedSinceLoad = false; });
}

void BrowserPage::openWindow(QWebEngineNewWindowRequest& request)
{
    if (!request.isUserInitiated()) {
        // Pop-ups, and a page that opens window after window, get no window.
        if (!m_refusedSinceLoad) {
            m_refusedSinceLoad = true;
            emit windowRefused();
        }
        return;
    }
    if (QWebEnginePage* page = m_opener ? m_opener() : nullptr)
        request.openIn(page);
}

void BrowserPage::javaScriptAlert(const QUrl& securityOrigin, const QString& text)
{
    askPageDialog(PageDialog::Kind::Alert, securityOrigin, text);
}

bool BrowserPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& text)
{
    return askPageDialog(PageDialog::Kind::Confirm, securityOrigin, text).accepted;
}

bool BrowserPage::javaScriptPrompt(
    const QUrl& securityOrigin, const QString& text, const QString& defaultValue, QString* result)
{
    const PageDialogAnswer answer =
        askPageDialog(PageDialog::Kind::Prompt, securityOrigin, text, defaultValue);
    if (answer.accepted && result)
        *result = toQString(answer.value);
    return answer.accepted;
}

PageDialogAnswer BrowserPage::askPageDialog(
    PageDialog::Kind kind, const QUrl& origin, const QString& text, const QString& defaultValue)
{
    IBrowserDialogs* dialogs = m_browser ? m_browser->dialogs() : nullptr;
    if (!dialogs)
        return {};
    const std::string host = shownHost(origin.isEmpty() ? url() : origin);
    const DialogLoopGuard::Decision decision = m_dialogGuard.opening(siteOfHost(host), sinceStart());
    if (!decision.show)
        return {};
    PageDialog dialog;
    dialog.kind = kind;
    dialog.caption = pageDialogCaption(host);
    dialog.text = toStdString(text);
    dialog.defaultValue = toStdString(defaultValue);
    dialog.offerPrevent = decision.offerPrevent;
    PageDialogAnswer answer = dialogs->pageDialog(dialog);
    m_dialogGuard.closed(sinceStart(), answer.prevent);
    if (kind == PageDialog::Kind::Alert)
        answer.accepted = true;
    return answer;
}

void BrowserPage::signIn(const QUrl& address, QAuthenticator* authenticator)
{
    IBrowserDialogs* dialogs = m_browser->dialogs();
    const QString server = serverOf(address);
    const std::string realm = toStdString(authenticator->realm());
    const QString key = server + QLatin1Char('\n') + authenticator->realm();
    SessionLogins& logins = m_browser->logins();
    if (const std::optional<Login> remembered = logins.find(toStdString(server), realm)) {
        if (!m_answeredFromMemory.contains(key)) {
            m_answeredFromMemory.insert(key);
            authenticator->setUser(toQString(remembered->userName));
            authenticator->setPassword(toQString(remembered->password));
            return;
        }
        // The server refused what was remembered: the user answers anew.
        logins.forget(toStdString(server), realm);
    }
    std::optional<SignInAnswer> answer;
    if (dialogs)
        answer = dialogs->signIn({ toStdString(server), realm, m_userName ? m_userName() : std::string() });
    if (!answer) {
        *authenticator = QAuthenticator();
        return;
    }
    if (answer->remember) {
        logins.remember(toStdString(server), realm, { answer->userName, answer->password });
        // Refused, it is not tried again by itself.
        m_answeredFromMemory.insert(key);
    }
    authenticator->setUser(toQString(answer->userName));
    authenticator->setPassword(toQString(answer->password));
}
