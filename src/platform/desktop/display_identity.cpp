#include "platform/desktop/display_identity.h"

#include <QDir>
#include <QGuiApplication>

#include <arpa/inet.h>
#include <cstddef>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#if defined(SLEEVIX_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace {

QString unixSocketName(const sockaddr_un& address, socklen_t length)
{
    QByteArray path(address.sun_path,
                    qsizetype(length) - qsizetype(offsetof(sockaddr_un, sun_path)));
    // An abstract socket's name starts with a zero byte; a path may end with one.
    while (path.startsWith('\0'))
        path.remove(0, 1);
    if (const qsizetype end = path.indexOf('\0'); end >= 0)
        path.truncate(end);
    return QString::fromLocal8Bit(path.mid(path.lastIndexOf('/') + 1));
}

QString networkName(int family, const void* host, in_port_t port)
{
    char text[INET6_ADDRSTRLEN] = {};
    ::inet_ntop(family, host, text, sizeof text);
    return QStringLiteral("%1-%2").arg(QString::fromLatin1(text)).arg(ntohs(port));
}

// The name of the socket at the other end of `fd`, or empty.
QString peerName(int fd)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (fd < 0 || ::getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return {};
    switch (address.ss_family) {
    case AF_UNIX: return unixSocketName(reinterpret_cast<const sockaddr_un&>(address), length);
    case AF_INET: {
        const auto& inet = reinterpret_cast<const sockaddr_in&>(address);
        return networkName(AF_INET, &inet.sin_addr, inet.sin_port);
    }
    case AF_INET6: {
        const auto& inet6 = reinterpret_cast<const sockaddr_in6&>(address);
        return networkName(AF_INET6, &inet6.sin6_addr, inet6.sin6_port);
    }
    }
    return {};
}

QString x11Display()
{
#if defined(SLEEVIX_HAVE_XCB) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* connection = x11 ? x11->connection() : nullptr)
        return peerName(xcb_get_file_descriptor(connection));
#endif
    return {};
}

}  // namespace

QString connectedWaylandDisplay()
{
    const QStringList descriptors
        = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::Files);
    for (const QString& descriptor : descriptors) {
        bool isNumber = false;
        const int fd = descriptor.toInt(&isNumber);
        struct stat info { };
        if (!isNumber || ::fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode))
            continue;
        const QString name = peerName(fd);
        if (name.startsWith(QLatin1String("wayland-")))
            return name;
    }
    return {};
}

QString displayIdentity()
{
    QString name = x11Display();
    if (name.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        name = connectedWaylandDisplay();
    if (name.isEmpty())
        name = QGuiApplication::platformName();
    // Only characters that are safe in a file name. A loop: compiling a
    // regular expression would cost every start more than all else here.
    for (QChar& character : name) {
        const char16_t code = character.unicode();
        const bool safe = (code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z')
            || (code >= u'0' && code <= u'9') || code == u'.' || code == u'_' || code == u'-';
        if (!safe)
            character = u'_';
    }
    return name;
}
