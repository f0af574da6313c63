#include "platform/desktop/runtime_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>

#include <unistd.h>

namespace {

bool isPrivateFolder(const QString& path)
{
    struct stat info { };
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
        && (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

}  // namespace

QString privateRuntimeFolder()
{
    const QString desktops = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (isPrivateFolder(desktops))
        return desktops;
    // Someone else may have made this name first; then it fails the check.
    const QString own = QDir::temp().filePath(QStringLiteral("sleevix-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(own).constData(), S_IRWXU);
    return isPrivateFolder(own) ? own : QString();
}
