// Large pictures in the main window: loading (and the event loop's longest
// stall meanwhile), repainting, a layout switch and printing, each beside
// its reference (see bench/run). SLEEVIX_BENCH_DATA names the folder with
// the pictures bench/run makes.
#include "model/program_values.h"
#include "paired.h"
#include "platform/printing/print_runner.h"
#include "platform/widgets/image_view.h"
#include "print/sheets.h"
#include "process.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

QString dataFile(const char* name)
{
    return QDir(qEnvironmentVariable("SLEEVIX_BENCH_DATA")).filePath(QLatin1String(name));
}

const char* const kLargeFront = "large-baseline.jpg";
const char* const kLargeBack = "large-progressive.jpg";
const char* const kSmallFront = "small-1.jpg";
const char* const kSmallBack = "small-2.jpg";

int runs(int fallback)
{
    const int wanted = qEnvironmentVariableIntValue("SLEEVIX_BENCH_RUNS");
    return wanted > 0 ? wanted : fallback;
}

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

void processEventsUntilPainted(const PaintCounter& counter, int paintsBefore)
{
    for (int round = 0; round < 10000 && counter.count == paintsBefore; ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The main window of the program with its settings window, and a second
// main window for the small reference pictures.
struct Workspace {
    Workspace()
    {
        // Direct loading: each picture goes to the slot it is meant for.
        program().AutoFormat = false;
        small = std::make_unique<TSleevix>();
        small->attachSettings(app.runLongSettings());
        for (TSleevix* window : {&large(), small.get()}) {
            window->show();
            window->activateWindow();
        }
        QCoreApplication::processEvents();
        PrintRunner::instance().printDialog = [](QWidget*, QPrinter&) { return true; };
        PrintRunner::instance().chooseOutputFile
            = [this](QWidget*, const QString&) { return outputFile; };
    }
    TSleevix& large() { return app.main(); }
    QString printFile() const { return folder.filePath("sheet.pdf"); }
    QString referenceFile() const { return folder.filePath("reference.pdf"); }
    QString formerPrintFile() const { return folder.filePath("former-sheet.pdf"); }

    void fill(TSleevix& window, const char* front, const char* back)
    {
        const QString frontFile = dataFile(front);
        const QString backFile = dataFile(back);
        if (window.statusText(1) != frontFile)
            window.OpenImage(1, frontFile);
        if (window.statusText(2) != backFile)
            window.OpenImage(2, backFile);
        QCoreApplication::processEvents();
    }
    void fillBoth()
    {
        fill(large(), kLargeFront, kLargeBack);
        fill(*small, kSmallFront, kSmallBack);
    }

    testenv::App app;
    std::unique_ptr<TSleevix> small;
    QTemporaryDir folder;
    QString outputFile = printFile();
};

Workspace* g_workspace = nullptr;

// The largest gap between the ticks of a 10 ms timer: how long the event
// loop stood still at most while it ran.
class StallMeter {
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_timer.start(10);
    }
    double stop()
    {
        tick();
        m_timer.stop();
        return m_longest;
    }

private:
    void tick() { m_longest = std::max(m_longest, double(m_clock.restart())); }
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_longest = 0;
};

// From the open dialog's return (the choice it hands back) to the panel
// painted with the picture.
void loadIntoSlot(benchmark::State& state, const char* picture)
{
    TSleevix& window = g_workspace->large();
    ImageView* view = window.slotView(2);
    PaintCounter counter(view);
    const QString file = dataFile(picture);
    window.runOpenDialog = [&] { return QStringList{file}; };
    StallMeter stalls;
    std::vector<double> longestStalls;
    paired::run(
        state,
        [&] {
            stalls.start();
            window.Image2DblClick();
            processEventsUntilPainted(counter, counter.count);
            longestStalls.push_back(stalls.stop());
        },
        [&] {
            if (runProcess({"djpeg", "-dct", "int", "-outfile", "/dev/null", file.toStdString()})
                != 0)
                state.SkipWithError("djpeg failed");
        },
        [&] {
            window.emptySlot(2);
            QCoreApplication::processEvents();
        });
    state.counters["stall_ms"] = paired::median(longestStalls);
    window.runOpenDialog = nullptr;
}

void repaintWindow(benchmark::State& state)
{
    g_workspace->fillBoth();
    paired::run(
        state, [] { g_workspace->large().repaint(); }, [] { g_workspace->small->repaint(); });
}

void switchToCdAndBack(TSleevix& window)
{
    for (bool cd : {true, false}) {
        window.cbCD->setChecked(cd);
        QCoreApplication::processEvents();
        window.repaint();
    }
}

void switchLayout(benchmark::State& state)
{
    g_workspace->fillBoth();
    paired::run(
        state, [] { switchToCdAndBack(g_workspace->large()); },
        [] { switchToCdAndBack(*g_workspace->small); });
}

// A picture's place on the sheet in 600-dpi device units.
QRect sheetRect(int leftMm, int topMm, int widthMm, int heightMm)
{
    const auto units = [](int mm) { return qRound(mm * 600 / 25.4); };
    return {units(leftMm), units(topMm), units(widthMm), units(heightMm)};
}

// The two pictures where the sheet puts them, without anything else.
void writeReferencePdf(const QString& file, const QImage& front, const QImage& back)
{
    QPdfWriter writer(file);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    TSleevix& window = g_workspace->large();
    const SheetSettings s = window.runLongSettings().sheetSettings();
    QPainter painter(&writer);
    painter.drawImage(sheetRect(s.spLeft, s.spTop, s.spMV, s.spMV), front);
    painter.drawImage(sheetRect(s.spLeft2, s.spTop2, s.spMRB, s.spMRH), back);
}

// Both slot pictures replaced by their whole decoded pictures while `work`
// runs: the sheet as it printed when the slots held them.
void withWholePictures(const std::function<void()>& work)
{
    TSleevix& window = g_workspace->large();
    const Picture front = window.slotPicture(1);
    const Picture back = window.slotPicture(2);
    window.slotView(1)->setPicture(front.withImage(front.image()));
    window.slotView(2)->setPicture(back.withImage(back.image()));
    work();
    window.slotView(1)->setPicture(front);
    window.slotView(2)->setPicture(back);
}

// The first page of a PDF file as pdftoppm rasterises it.
QImage rasterised(const QString& pdfFile, int dpi)
{
    const QString base = pdfFile + QStringLiteral("-page");
    if (runProcess({"pdftoppm", "-r", std::to_string(dpi), "-singlefile", pdfFile.toStdString(),
                    base.toStdString()})
        != 0)
        return {};
    const QString ppm = base + QStringLiteral(".ppm");
    QImageReader::setAllocationLimit(0);  // a 600-dpi A4 page takes 140 MB
    QImage page(ppm);
    QFile::remove(ppm);
    return page.convertToFormat(QImage::Format_RGB888);
}

// Peak signal-to-noise ratio of `page` against `reference`, in decibels
// over the three colour channels; 0 when the pages do not compare.
double psnr(const QImage& page, const QImage& reference)
{
    if (page.isNull() || page.size() != reference.size())
        return 0;
    double squares = 0;
    for (int y = 0; y < page.height(); ++y) {
        const uchar* a = page.constScanLine(y);
        const uchar* b = reference.constScanLine(y);
        for (int x = 0; x < page.width() * 3; ++x) {
            const int difference = int(a[x]) - int(b[x]);
            squares += difference * difference;
        }
    }
    const double mse = squares / (double(page.width()) * page.height() * 3);
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

void printSheet(benchmark::State& state)
{
    g_workspace->fillBoth();
    const QString sheetFile = g_workspace->printFile();
    const QString referenceFile = g_workspace->referenceFile();
    // The reference draws the whole pictures, decoded beforehand.
    const QImage front = g_workspace->large().slotPicture(1).image();
    const QImage back = g_workspace->large().slotPicture(2).image();
    paired::run(
        state, [] { g_workspace->large().runLongSettings().PrintFrontBack(false); },
        [&] { writeReferencePdf(referenceFile, front, back); });
    state.counters["figure_bytes"] = double(QFileInfo(sheetFile).size());
    state.counters["reference_bytes"] = double(QFileInfo(referenceFile).size());

    // The same sheet drawn from the whole pictures, as printing did before
    // it drew each picture at the pixels the device prints.
    const QString formerFile = g_workspace->formerPrintFile();
    withWholePictures([&] {
        g_workspace->outputFile = formerFile;
        g_workspace->large().runLongSettings().PrintFrontBack(false);
        g_workspace->outputFile = sheetFile;
    });
    state.counters["psnr_db"] = psnr(rasterised(sheetFile, 600), rasterised(formerFile, 600));
}

void configure(benchmark::internal::Benchmark* benchmark, int iterations)
{
    benchmark->UseManualTime()->Iterations(runs(iterations))->Unit(benchmark::kMillisecond);
}

void registerBenchmarks()
{
    // Seven pairs left the loads' medians at the mercy of a busy neighbour
    // on a shared machine (one run in ten read a third more); fifteen hold.
    configure(benchmark::RegisterBenchmark("load/baseline", loadIntoSlot, kLargeFront), 15);
    configure(benchmark::RegisterBenchmark("load/progressive", loadIntoSlot, kLargeBack), 15);
    configure(benchmark::RegisterBenchmark("repaint", repaintWindow), 31);
    configure(benchmark::RegisterBenchmark("layout_switch", switchLayout), 15);
    configure(benchmark::RegisterBenchmark("print", printSheet), 5);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testenv::prepareApplication(app);
    benchmark::Initialize(&argc, argv);
    Workspace workspace;
    g_workspace = &workspace;
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
