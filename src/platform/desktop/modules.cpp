#include "platform/desktop/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <map>

#include <dlfcn.h>

#ifndef SLEEVIX_INSTALLED_MODULES
#define SLEEVIX_INSTALLED_MODULES "../lib/sleevix"
#endif

namespace {

QString fileName(const QString& name)
{
    return QStringLiteral("sleevix-%1.so").arg(name);
}

void* load(const QString& name)
{
    QString problem;
    for (const QString& candidate : moduleCandidates(QCoreApplication::applicationDirPath(), name)) {
        if (!QFileInfo::exists(candidate))
            continue;
        // Everything at once: a symbol missing in the module must show here,
        // not as a crash in the middle of a print job.
        if (void* handle = dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_LOCAL))
            return handle;
        problem = QString::fromLocal8Bit(dlerror());
    }
    throw ModuleError(QStringLiteral("Der Programmteil %1 fehlt oder ist beschädigt. "
                                     "Bitte installieren Sie Sleevix neu.%2")
                          .arg(fileName(name), problem.isEmpty() ? QString() : "\n\n" + problem));
}

}  // namespace

QStringList moduleCandidates(const QString& programFolder, const QString& name)
{
    const QDir folder(programFolder);
    return {folder.filePath(fileName(name)),
            QDir::cleanPath(folder.filePath(QStringLiteral(SLEEVIX_INSTALLED_MODULES "/") + fileName(name)))};
}

void* moduleEntry(const QString& name, const char* entry)
{
    static std::map<QString, void*> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end())
        found = loaded.emplace(name, load(name)).first;
    void* function = dlsym(found->second, entry);
    if (!function)
        throw ModuleError(QStringLiteral("Der Programmteil %1 passt nicht zu dieser Version von Sleevix. "
                                         "Bitte installieren Sie Sleevix neu.")
                              .arg(fileName(name)));
    return function;
}
