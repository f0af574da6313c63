#include "workspace/help_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef SLEEVIX_INSTALLED_HELP
#define SLEEVIX_INSTALLED_HELP "../share/sleevix/Help"
#endif

QString helpDocumentPath(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QString beside = folder.filePath(QStringLiteral("Help/Help.htm"));
    const QString installed
        = QDir::cleanPath(folder.filePath(QStringLiteral(SLEEVIX_INSTALLED_HELP "/Help.htm")));
    for (const QString& candidate : {beside, installed}) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return beside;
}

QString helpDocumentPath()
{
    return helpDocumentPath(QCoreApplication::applicationDirPath());
}
