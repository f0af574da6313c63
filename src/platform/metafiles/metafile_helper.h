#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>

// What the helper process may use before it is stopped.
struct MetafileHelperLimits {
    std::chrono::milliseconds timeout{15000};
    qint64 maxOutputBytes = 256 * 1024 * 1024;
    quint64 maxMemoryBytes = 2ull * 1024 * 1024 * 1024;
    int maxCpuSeconds = 30;
};

// Runs the metafile helper program, which converts one EMF or WMF picture
// into SVG. The metafile libraries are not safe on hostile files, so they
// run in that short-lived process, with limits on time, memory and output;
// a crash or hang there costs only the process.
class MetafileHelper {
public:
    using Limits = MetafileHelperLimits;

    static constexpr char kProgramName[] = "sleevix-metafile-helper";

    // Where a helper program is looked for: beside the program (the build
    // tree), then in the installed helpers' folder relative to the
    // program's folder.
    static QStringList candidates(const QString& programFolder,
                                  const QString& helperName = kProgramName);
    // The first of the candidates that is there for this program.
    static QString locate(const QString& helperName = kProgramName);

    explicit MetafileHelper(QString program = locate(), Limits limits = {});

    // Feeds `input` to the helper started with `arguments` and returns what
    // it writes. Throws InvalidMetafileError when the helper fails, crashes,
    // exceeds a limit or cannot be started.
    QByteArray convert(const QStringList& arguments, const QByteArray& input) const;

    const QString& program() const { return m_program; }

private:
    QString m_program;
    Limits m_limits;
};
