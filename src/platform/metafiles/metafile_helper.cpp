#include "platform/metafiles/metafile_helper.h"

#include "platform/metafiles/invalid_metafile_error.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

#ifndef SLEEVIX_INSTALLED_HELPER
#define SLEEVIX_INSTALLED_HELPER "../libexec/sleevix"
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSpaceLimitAllowed = false;  // the sanitizer reserves terabytes
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSpaceLimitAllowed = false;
#else
constexpr bool kAddressSpaceLimitAllowed = true;
#endif
#else
constexpr bool kAddressSpaceLimitAllowed = true;
#endif

bool isExecutable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

void setLimit(int resource, rlim_t value)
{
    const rlimit limit{value, value};
    setrlimit(resource, &limit);
}

[[noreturn]] void fail(QProcess& process, const char* reason)
{
    process.kill();
    process.waitForFinished(1000);
    throw InvalidMetafileError(reason);
}

}  // namespace

QStringList MetafileHelper::candidates(const QString& programFolder, const QString& helperName)
{
    const QDir folder(programFolder);
    return {folder.filePath(helperName),
            QDir::cleanPath(
                folder.filePath(QStringLiteral(SLEEVIX_INSTALLED_HELPER "/") + helperName))};
}

QString MetafileHelper::locate(const QString& helperName)
{
    const QStringList places = candidates(
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString(),
        helperName);
    for (const QString& place : places) {
        if (isExecutable(place))
            return place;
    }
    // Never a program of that name found elsewhere: starting this one fails
    // and says where the helper belongs.
    return places.first();
}

MetafileHelper::MetafileHelper(QString program, Limits limits)
    : m_program(std::move(program)), m_limits(limits)
{ }

QByteArray MetafileHelper::convert(const QStringList& arguments, const QByteArray& input) const
{
    QProcess process;
    process.setProgram(m_program);
    process.setArguments(arguments);
    process.setStandardErrorFile(QProcess::nullDevice());
    const Limits limits = m_limits;
    process.setChildProcessModifier([limits] {
        setLimit(RLIMIT_CPU, rlim_t(limits.maxCpuSeconds));
        setLimit(RLIMIT_CORE, 0);
        setLimit(RLIMIT_FSIZE, 0);
        if (kAddressSpaceLimitAllowed)
            setLimit(RLIMIT_AS, rlim_t(limits.maxMemoryBytes));
    });

    const QDeadlineTimer deadline(limits.timeout);
    process.start();
    if (!process.waitForStarted(int(limits.timeout.count())))
        throw InvalidMetafileError("metafile helper could not be started: "
                                   + m_program.toStdString());
    process.write(input);
    process.closeWriteChannel();

    QByteArray output;
    while (process.state() != QProcess::NotRunning) {
        if (deadline.hasExpired())
            fail(process, "metafile helper took too long");
        process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        output += process.readAllStandardOutput();
        if (output.size() > limits.maxOutputBytes)
            fail(process, "metafile helper wrote too much");
    }
    output += process.readAllStandardOutput();
    if (output.size() > limits.maxOutputBytes)
        throw InvalidMetafileError("metafile helper wrote too much");
    if (process.exitStatus() != QProcess::NormalExit)
        throw InvalidMetafileError("metafile helper crashed");
    if (process.exitCode() != 0)
        throw InvalidMetafileError("the metafile library rejected the file");
    return output;
}
