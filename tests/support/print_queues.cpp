#include "support/print_queues.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace testenv::queues {

namespace {

constexpr int kJobTimeoutMs = 60000;

QString e2eDir()
{
    return qEnvironmentVariable("SLEEVIX_E2E_DIR");
}

QString run(const QString& program, const QStringList& arguments, bool* ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Job ids at the start of lpstat's "QUEUE-ID user size date" lines.
QList<int> jobIds(const QString& queue, const QStringList& lpstatArguments)
{
    const QRegularExpression line(
        QStringLiteral("^%1-(\\d+)\\s").arg(QRegularExpression::escape(queue)),
        QRegularExpression::MultilineOption);
    QList<int> ids;
    auto matches
        = line.globalMatch(run(QStringLiteral("lpstat"), lpstatArguments + QStringList{queue}));
    while (matches.hasNext())
        ids << matches.next().captured(1).toInt();
    return ids;
}

bool waitUntilIdle(const QString& queue)
{
    const QDeadlineTimer deadline(kJobTimeoutMs);
    while (!jobIds(queue, {QStringLiteral("-o")}).isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// The page log has one "QUEUE ID TITLE" line per page printed.
QString titleInPageLog(const QString& queue, int id)
{
    QFile log(QDir(e2eDir()).filePath(QStringLiteral("log/page_log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QString prefix = QStringLiteral("%1 %2 ").arg(queue).arg(id);
    for (const QString& line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

// cups-pdf ends every file name with "-job_ID.pdf"; job ids are unique on
// the server, so any queue's folder may be searched.
QString pdfOfJob(int id)
{
    const QString pattern = QStringLiteral("*-job_%1.pdf").arg(id);
    QDir folders(QDir(e2eDir()).filePath(QStringLiteral("pdf")));
    for (const QString& queue : folders.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QDir folder(folders.filePath(queue));
        const QStringList found = folder.entryList({pattern}, QDir::Files);
        if (!found.isEmpty())
            return folder.filePath(found.first());
    }
    return {};
}

}  // namespace

void connectToTestDaemon()
{
    const QByteArray server = qgetenv("SLEEVIX_E2E_CUPS_SERVER");
    if (!server.isEmpty())
        qputenv("CUPS_SERVER", server);
}

QString missing()
{
    if (qEnvironmentVariableIsEmpty("SLEEVIX_E2E_CUPS_SERVER") || e2eDir().isEmpty())
        return QStringLiteral(
            "no print queues of tests/e2e/e2e-services (run as root through build.sh test)");
    bool ok = false;
    const QString printers = run(QStringLiteral("lpstat"), {QStringLiteral("-p")}, &ok);
    for (const QString& queue : all) {
        if (!ok || !printers.contains(QStringLiteral("printer %1 ").arg(queue)))
            return QStringLiteral("the print queue %1 is not there").arg(queue);
    }
    return {};
}

QList<int> completedJobs(const QString& queue)
{
    return jobIds(queue, {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o")});
}

std::optional<Job> newJob(const QString& queue, const QList<int>& before)
{
    if (!waitUntilIdle(queue))
        return std::nullopt;
    QList<int> added;
    for (int id : completedJobs(queue)) {
        if (!before.contains(id))
            added << id;
    }
    if (added.size() != 1)
        return std::nullopt;
    Job job{queue, added.first(), titleInPageLog(queue, added.first()), pdfOfJob(added.first())};
    return job;
}

QString deviceUri(const QString& queue)
{
    const QString line = run(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue}).trimmed();
    const int colon = line.indexOf(QStringLiteral(": "));
    return colon < 0 ? QString() : line.mid(colon + 2);
}

bool lpadmin(const QStringList& arguments)
{
    bool ok = false;
    run(QStringLiteral("lpadmin"), arguments, &ok);
    return ok;
}

QString systemDefault()
{
    const QString line = run(QStringLiteral("lpstat"), {QStringLiteral("-d")}).trimmed();
    const int colon = line.indexOf(QStringLiteral(": "));
    return colon < 0 ? QString() : line.mid(colon + 2);
}

}  // namespace testenv::queues
