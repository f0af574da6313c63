#include "model/ready_templates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kResourceFolder = QStringLiteral(":/templates");
// The names of the ready templates a folder has been given, one a line, so
// that templates of later versions reach it and a deleted one stays deleted.
const QString kOfferedList = QStringLiteral(".angebotene-vorlagen");
// What the versions before that list put into every folder they made.
const QStringList kFirstReadyTemplates
    = {QStringLiteral("A4 CD-Labels 117 mm.lab"), QStringLiteral("A4 Vorder- und Rückseite.lab"),
       QStringLiteral("A4 quer DVD-Hülle.lab"), QStringLiteral("A4 quer Inlay gefaltet.lab")};

// Copies of resources are read-only; a template must stay updatable.
void copyWritable(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target) || !QFile::copy(source, target))
        return;
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
}

QStringList offeredBefore(const QDir& folder)
{
    QFile list(folder.filePath(kOfferedList));
    if (!list.open(QIODevice::ReadOnly))
        return kFirstReadyTemplates;
    return QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void recordOffered(const QDir& folder, const QStringList& names)
{
    QSaveFile list(folder.filePath(kOfferedList));
    if (list.open(QIODevice::WriteOnly)) {
        list.write(names.join(QLatin1Char('\n')).toUtf8() + '\n');
        list.commit();
    }
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
    const bool isNew = !QFileInfo::exists(folder);
    if (isNew && !QDir().mkpath(folder))
        return;
    const QDir target(folder);
    const QStringList offered = isNew ? QStringList() : offeredBefore(target);
    const QStringList ready = QDir(kResourceFolder).entryList(QDir::Files, QDir::Name);
    bool added = false;
    for (const QString& name : ready) {
        if (offered.contains(name))
            continue;
        copyWritable(QDir(kResourceFolder).filePath(name), target.filePath(name));
        added = true;
    }
    if (added) {
        QStringList all = offered + ready;
        all.removeDuplicates();
        recordOffered(target, all);
    }
}
