#pragma once

#include "browser/DialogLoopGuard.h"
#include "browser/IBrowserDialogs.h"

#include <QSet>
#include <QWebEnginePage>

#include <functional>
#include <string>

class BrowserProfile;
class QAuthenticator;
class QWebEngineNewWindowRequest;

// A page of the program's browser that behaves as a desktop browser's tab:
// script dialogs name the page's host in their caption and can be stopped when
// a page opens them in a loop; a server's sign-in request asks for a user name
// and password; a window the page opens on a person's click or key is asked
// of the page's owner, and one it opens by itself is refused, with one
// windowRefused() per page load however many it tries. Without
// a browser profile (or without its dialogs) nobody is asked: script dialogs
// are dismissed and sign-ins cancelled at once.
class BrowserPage : public QWebEnginePage {
    Q_OBJECT

public:
    // Gives the page for a window the page opens (a link with target="_blank",
    // window.open(), a form with a target); null opens nothing.
    using WindowOpener = std::function<QWebEnginePage*()>;

    // On a throw-away profile, with nobody to ask.
    explicit BrowserPage(QObject* parent = nullptr);
    // On the program's profile, asking through its dialogs.
    BrowserPage(BrowserProfile& browser, QObject* parent);

    // Where the page's new windows go; without an opener pages open none.
    void setWindowOpener(WindowOpener opener) { m_opener = std::move(opener); }
    // The user name a sign-in dialog offers at first.
    void setSignInUserName(std::function<std::string()> userName) { m_userName = std::move(userName); }

signals:
    // The page tried to open a window by itself, for the first time since it loaded.
    void windowRefused();

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& text) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& text) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& text, const QString& defaultValue,
        QString* result) override;

private:
    PageDialogAnswer askPageDialog(
        PageDialog::Kind kind, const QUrl& origin, const QString& text, const QString& defaultValue = {});
    void signIn(const QUrl& address, QAuthenticator* authenticator);
    void openWindow(QWebEngineNewWindowRequest& request);
    void watchWindowRequests();

    BrowserProfile* m_browser = nullptr;
    WindowOpener m_opener;
    std::function<std::string()> m_userName;
    DialogLoopGuard m_dialogGuard;
    bool m_refusedSinceLoad = false;
    // The sign-ins answered from the session's memory during the current load:
    // asked again, the remembered one was refused.
    QSet<QString> m_answeredFromMemory;
};
