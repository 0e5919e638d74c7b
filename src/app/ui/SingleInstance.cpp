#include "app/ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr QByteArrayView kActivate = "activate\n";
constexpr int kConnectMilliseconds = 1000;

std::filesystem::path canonicalFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(folder, error);
    return error ? std::filesystem::absolute(folder, error) : canonical;
}

} // namespace

SingleInstance::SingleInstance(const std::filesystem::path& dataFolder, QObject* parent)
    : QObject(parent)
    , m_name(serverName(dataFolder))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const std::filesystem::path& dataFolder)
{
    const QByteArray path = QByteArray::fromStdString(canonicalFolder(dataFolder).string());
    const QByteArray digest = QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("vantelo-") + QString::fromLatin1(digest);
}

bool SingleInstance::notifyRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectMilliseconds))
        return false;
    socket.write(kActivate.data(), kActivate.size());
    socket.waitForBytesWritten(kConnectMilliseconds);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answerConnection);
    if (m_server->listen(m_name))
        return true;
    // Nobody answered on the name, so its socket file is left from a copy that ended without cleaning up.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void SingleInstance::answerConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(QByteArray(kActivate.data(), kActivate.size()).trimmed()))
                emit activationRequested();
        });
    }
}
