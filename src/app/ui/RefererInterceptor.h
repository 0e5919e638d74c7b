#pragma once

#include "app/PendingReferers.h"

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

#include <mutex>

// Sends the Referer that a tab chose for an address with the request that
// loads it. The browser drops a Referer given as an ordinary extra header of a
// load, but takes one that is set on the request itself.
class RefererInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    // The next top-level request for the address carries this Referer.
    void expect(const QUrl& address, const QByteArray& referer);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    std::mutex m_mutex;
    PendingReferers m_pending;
};
