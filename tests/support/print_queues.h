#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace testenv {

// The real CUPS queues that tests/e2e/e2e-services starts:
// SLEEVIX_E2E_CUPS_SERVER names its daemon, SLEEVIX_E2E_DIR its folder,
// where each queue's cups-pdf writes the PDF files and the daemon keeps its
// page log.
namespace queues {

// The stock PPD at 300 dpi without margins; uneven margins at 600 dpi.
inline const QString stock = QStringLiteral("Sleevix-PDF");
inline const QString margins = QStringLiteral("Sleevix-Margins");
// The same margins at other resolutions.
inline const QString at360 = QStringLiteral("Sleevix-360");
inline const QString at720 = QStringLiteral("Sleevix-720");
inline const QString at1200 = QStringLiteral("Sleevix-1200");
inline const QStringList all = {stock, at360, margins, at720, at1200};

// Points this process (the print system and the CUPS commands it runs) at
// the test daemon, when there is one. Call before the print system is used.
void connectToTestDaemon();

// Empty when all the queues are there; otherwise why not.
QString missing();

// A finished job as the queue recorded it.
struct Job {
    QString queue;
    int id = 0;
    QString title;    // as the page log has it
    QString pdfFile;  // what cups-pdf wrote
};

// Ids of the jobs the queue has completed.
QList<int> completedJobs(const QString& queue);

// Waits until the queue has no pending job, then returns the one job that
// it completed beyond `before`; nothing when there is none, or more.
std::optional<Job> newJob(const QString& queue, const QList<int>& before);

// The queue's device URI, e.g. "cups-pdf:/name".
QString deviceUri(const QString& queue);

// lpadmin with these arguments; true when it succeeded.
bool lpadmin(const QStringList& arguments);

// The system's default printer as lpstat reports it.
QString systemDefault();

}  // namespace queues
}  // namespace testenv
