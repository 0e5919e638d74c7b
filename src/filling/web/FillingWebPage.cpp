#include "filling/web/FillingWebPage.h"

FillingWebPage::FillingWebPage(QObject* parent)
    : QWebEnginePage(parent)
{
}

FillingWebPage::FillingWebPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent)
{
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
