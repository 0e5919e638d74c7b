#include "filling/web/FillingWebPage.h"

#include <QFile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

constexpr const char* kWatchScript = ":/filling/watch-fields.js";

// The watch that notes what a person typed and when a document changed, in every
// document and frame from its start, where the page's own scripts cannot see it.
QWebEngineScript fieldWatch()
{
    QFile file(QString::fromLatin1(kWatchScript));
    QWebEngineScript script;
    script.setName(QStringLiteral("vantelo-field-watch"));
    if (file.open(QIODevice::ReadOnly))
        script.setSourceCode(QString::fromUtf8(file.readAll()));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

} // namespace

FillingWebPage::FillingWebPage(QObject* parent)
    : BrowserPage(parent)
{
    scripts().insert(fieldWatch());
}

FillingWebPage::FillingWebPage(BrowserProfile& browser, QObject* parent)
    : BrowserPage(browser, parent)
{
    scripts().insert(fieldWatch());
}

bool FillingWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame) {
        if (type == NavigationTypeFormSubmitted)
            emit formSubmitted();
        emit mainFrameNavigationStarting(url);
    }
    return true;
}
