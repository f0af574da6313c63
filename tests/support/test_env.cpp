#include "support/test_env.h"

#include <QDir>
#include <QStandardPaths>

namespace testenv {

QString dataFile(const QString& relative)
{
    return QDir(QStringLiteral(SLEEVIX_TEST_DATA)).filePath(relative);
}

void resetUserStore()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
}

}  // namespace testenv
