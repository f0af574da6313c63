#include "platform/desktop/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <map>
#include <memory>

#ifndef SLEEVIX_INSTALLED_MODULES
#define SLEEVIX_INSTALLED_MODULES "../lib/sleevix"
#endif

namespace {

QString fileName(const QString& name)
{
    return QStringLiteral("sleevix-%1.so").arg(name);
}

std::unique_ptr<QLibrary> load(const QString& name)
{
    QString problem;
    for (const QString& candidate :
         moduleCandidates(QCoreApplication::applicationDirPath(), name)) {
        if (!QFileInfo::exists(candidate))
            continue;
        auto library = std::make_unique<QLibrary>(candidate);
        // Everything at once: a symbol missing in the module must show here,
        // not as a crash in the middle of a print job.
        library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (library->load())
            return library;
        problem = library->errorString();
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
            QDir::cleanPath(
                folder.filePath(QStringLiteral(SLEEVIX_INSTALLED_MODULES "/") + fileName(name)))};
}

QFunctionPointer moduleEntry(const QString& name, const char* entry)
{
    static std::map<QString, std::unique_ptr<QLibrary>> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end())
        found = loaded.emplace(name, load(name)).first;
    const QFunctionPointer function = found->second->resolve(entry);
    if (!function)
        throw ModuleError(
            QStringLiteral("Der Programmteil %1 passt nicht zu dieser Version von Sleevix. "
                           "Bitte installieren Sie Sleevix neu.")
                .arg(fileName(name)));
    return function;
}
