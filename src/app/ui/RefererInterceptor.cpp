#include "app/ui/RefererInterceptor.h"

void RefererInterceptor::expect(const QUrl& address, const QByteArray& referer)
{
    const std::lock_guard lock(m_mutex);
    m_pending.expect(address.toString(QUrl::FullyEncoded).toStdString(), referer.toStdString());
}

void RefererInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return;
    const std::lock_guard lock(m_mutex);
    if (const std::optional<std::string> referer =
            m_pending.take(info.requestUrl().toString(QUrl::FullyEncoded).toStdString()))
        info.setHttpHeader(QByteArrayLiteral("Referer"), QByteArray::fromStdString(*referer));
}
