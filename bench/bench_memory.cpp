// Peak memory: the process's largest resident size after loading two large
// pictures into the slots and opening the settings dialog on its first
// layout page, where both show as previews. One run per process, as the
// peak never goes down. SLEEVIX_BENCH_DATA names the picture folder.
#include "model/program_values.h"
#include "platform/widgets/tabbed_pages.h"
#include "settings/t_cd_setup.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace {

QString dataFile(const char* name)
{
    return QDir(qEnvironmentVariable("SLEEVIX_BENCH_DATA")).filePath(QLatin1String(name));
}

double peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024;
}

void peakMemory(benchmark::State& state)
{
    testenv::App app;
    program().AutoFormat = false;
    TSleevix& window = app.main();
    window.show();
    std::unique_ptr<TCDSetup> dialog;
    for (auto _ : state) {
        window.OpenImage(1, dataFile("large-baseline.jpg"));
        window.OpenImage(2, dataFile("large-progressive.jpg"));
        QCoreApplication::processEvents();
        dialog = std::make_unique<TCDSetup>(TCDSetup::Role::Dialog, window, window, &window);
        dialog->show();
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
    }
    const QSize front = window.slotPicture(1).size();
    const QSize back = window.slotPicture(2).size();
    state.counters["figure_bytes"] = peakResidentBytes();
    state.counters["decoded_bytes"]
        = 4.0 * (front.width() * front.height() + back.width() * back.height());
    if (dialog->PageControl->currentIndex() != TCDSetup::PageFrontBack)
        state.SkipWithError("the settings dialog is not on its first layout page");
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testenv::prepareApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("peak_memory", peakMemory)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
