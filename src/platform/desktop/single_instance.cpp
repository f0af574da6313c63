#include "platform/desktop/single_instance.h"

#include "platform/desktop/display_identity.h"
#include "platform/desktop/runtime_folder.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kTimeoutSeconds = 1;
constexpr char kActivate[] = "activate";
constexpr char kFile[] = "file";
// Longer than any command with a file path, percent-encoded, can be; a
// longer line ends the connection.
constexpr qsizetype kMaxLine = 16384;

bool socketAddress(const QByteArray& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// Whether the process at the other end of a connected socket runs as this
// user: for a listener, as it was when it began to listen.
bool peerIsThisUser(int fd)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0
        && peer.uid == ::geteuid();
}

void sendAll(int fd, QByteArrayView data)
{
    while (!data.isEmpty()) {
        const ssize_t written = ::send(fd, data.data(), size_t(data.size()), MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        data = data.sliced(written);
    }
}

// The lines that hand `files` over and ask for the front. A name too long
// for a line is longer than any path the system can open, and is left out.
QByteArray request(const QStringList& files)
{
    QByteArray lines;
    for (const QString& file : files) {
        const QByteArray line
            = QByteArray(kFile) + ' ' + QFile::encodeName(file).toPercentEncoding();
        if (line.size() <= kMaxLine)
            lines += line + '\n';
    }
    return lines + kActivate + '\n';
}

QString handedOverPath(const QByteArray& argument)
{
    const QString path = QFile::decodeName(QByteArray::fromPercentEncoding(argument));
    return QDir::isAbsolutePath(path) ? path : QString();
}

}  // namespace

SingleInstance::SingleInstance(const QString& applicationKey, QObject* parent) : QObject(parent)
{
    const QString folder = privateRuntimeFolder();
    if (!folder.isEmpty())
        m_socketPath
            = QFile::encodeName(QDir(folder).filePath(applicationKey + u'-' + displayIdentity()));
}

SingleInstance::~SingleInstance()
{
    stopListening();
}

void SingleInstance::stopListening()
{
    for (auto& [fd, connection] : m_connections) {
        connection.notifier.reset();
        ::close(fd);
    }
    m_connections.clear();
    if (m_listener >= 0) {
        m_listenerNotifier.reset();
        ::close(m_listener);
        m_listener = -1;
        // The socket file goes with the server that listened on it.
        ::unlink(m_socketPath.constData());
    }
}

bool SingleInstance::anotherInstanceRuns(const QStringList& files)
{
    if (m_socketPath.isEmpty())
        return false;
    // Two programs starting at once take turns. The kernel drops the lock
    // when its holder ends, even by a crash, and taking it waits for no disk.
    const QByteArray lockPath = m_socketPath + ".lock";
    const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    const bool another = askRunningInstance(files);
    if (!another)
        listen();
    if (lock >= 0)
        ::close(lock);
    return another;
}

bool SingleInstance::askRunningInstance(const QStringList& files)
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A running instance that is too busy to take the call within the
    // timeout counts as none.
    const timeval timeout{kTimeoutSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    int result;
    do
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    while (result < 0 && errno == EINTR);
    // A socket that nobody listens on is left from an instance that
    // crashed; one of another user is never obeyed. Either way this start
    // runs, and listen() puts its own socket in place.
    if (result < 0 || !peerIsThisUser(fd)) {
        ::close(fd);
        return false;
    }
    sendAll(fd, request(files));
    ::close(fd);
    return true;
}

bool SingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(m_socketPath.constData());
    // Only this user may connect; nobody can before listen() below.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0
        || ::chmod(m_socketPath.constData(), S_IRUSR | S_IWUSR) < 0 || ::listen(fd, 50) < 0) {
        ::close(fd);
        return false;
    }
    m_listener = fd;
    m_listenerNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_listenerNotifier.get(), &QSocketNotifier::activated, this,
            &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (!peerIsThisUser(fd)) {
            ::close(fd);
            continue;
        }
        Connection& connection = m_connections[fd];
        connection.fd = fd;
        connection.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(connection.notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { readFrom(fd); });
    }
}

void SingleInstance::readFrom(int fd)
{
    const auto found = m_connections.find(fd);
    if (found == m_connections.end())
        return;
    Connection& connection = found->second;
    char buffer[512];
    for (;;) {
        const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
        if (count > 0) {
            connection.received.append(buffer, qsizetype(count));
            if (!handleLines(fd))
                return;
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // The other side hung up, or the connection failed.
        dropConnection(fd);
        return;
    }
}

bool SingleInstance::handleLines(int fd)
{
    for (;;) {
        // A slot may have ended this object's connections.
        const auto found = m_connections.find(fd);
        if (found == m_connections.end())
            return false;
        Connection& connection = found->second;
        const qsizetype end = connection.received.indexOf('\n');
        if (end < 0) {
            if (connection.received.size() <= kMaxLine)
                return true;
            dropConnection(fd);
            return false;
        }
        const QByteArray line = connection.received.left(end);
        connection.received.remove(0, end + 1);
        const qsizetype space = line.indexOf(' ');
        const QByteArray command = space < 0 ? line : line.left(space);
        if (command == kFile && space > 0) {
            const QString path = handedOverPath(line.mid(space + 1));
            if (!path.isEmpty())
                connection.files << path;
        } else if (command == kActivate && !std::exchange(connection.activated, true)) {
            // One connection asks for the front at most once.
            const QStringList files = std::exchange(connection.files, {});
            emit activationRequested();
            if (!files.isEmpty())
                emit filesHandedOver(files);
        }
    }
}

void SingleInstance::dropConnection(int fd)
{
    const auto found = m_connections.find(fd);
    if (found == m_connections.end())
        return;
    // The notifier is being delivered to right now: let the event loop
    // delete it.
    found->second.notifier->setEnabled(false);
    found->second.notifier.release()->deleteLater();
    m_connections.erase(found);
    ::close(fd);
}
