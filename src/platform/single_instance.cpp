#include "platform/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kActivate = QByteArrayLiteral("activate\n");

}  // namespace

SingleInstance::SingleInstance(const QString& applicationKey, QObject* parent)
    : QObject(parent), m_serverName(QStringLiteral("%1-%2").arg(applicationKey).arg(getuid()))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherInstanceRuns()
{
    // Two programs starting at once take turns. The kernel drops the lock
    // when its holder ends, even by a crash, and taking it waits for no disk.
    const QString lockPath = QDir(QDir::tempPath()).filePath(m_serverName + QStringLiteral(".lock"));
    const int lock = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    const bool another = askRunningInstance();
    if (!another)
        listen();
    if (lock >= 0)
        ::close(lock);
    return another;
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a crashed instance answers nobody: remove it.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("activate"))
                    emit activationRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}
