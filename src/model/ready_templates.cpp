#include "model/ready_templates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kResourceFolder = QStringLiteral(":/templates");

// Copies of resources are read-only; a template must stay updatable.
void copyWritable(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target) || !QFile::copy(source, target))
        return;
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace

QString defaultTemplatesFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Vorlagen"));
}

void provideReadyTemplates(const QString& folder)
{
    if (folder.isEmpty() || QDir::cleanPath(folder) != QDir::cleanPath(defaultTemplatesFolder()))
        return;
    if (QFileInfo::exists(folder) || !QDir().mkpath(folder))
        return;
    const QDir resources(kResourceFolder);
    for (const QString& name : resources.entryList(QDir::Files, QDir::Name))
        copyWritable(resources.filePath(name), QDir(folder).filePath(name));
}
