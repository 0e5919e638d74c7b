#include "app/ui/RefererInterceptor.h"

void RefererInterceptor::expect(const QUrl& address, const QByteArray& referer)
{
    const std::lock_guard lock(m_mutex);
    m_pending.insert(address.adjusted(QUrl::RemoveFragment), referer);
}

void RefererInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
        return;
    const std::lock_guard lock(m_mutex);
    const auto pending = m_pending.find(info.requestUrl().adjusted(QUrl::RemoveFragment));
    if (pending == m_pending.end())
        return;
    info.setHttpHeader(QByteArrayLiteral("Referer"), pending.value());
    m_pending.erase(pending);
}
