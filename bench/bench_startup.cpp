// Start-up: from process start to the main window's first paint, then exit,
// beside a minimal Qt program that opens one window of the same size.
// Offscreen always; under X too when SLEEVIX_BENCH_DISPLAY names a display.
#include "paired.h"
#include "process.h"
#include "support/test_env.h"
#include "workspace/t_sleevix.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

namespace {

QSize g_windowSize;

using Environment = std::map<std::string, std::string>;

// Every run gets folders of its own: no settings store, no single-instance
// lock or socket is shared between runs.
class FreshFolders {
public:
    FreshFolders()
    {
        for (const char* sub : {"config", "data", "cache", "runtime"})
            QDir(m_home.path()).mkpath(QLatin1String(sub));
        QFile::setPermissions(m_home.filePath("runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
    }
    Environment environment() const
    {
        const auto at = [this](const char* sub) { return m_home.filePath(sub).toStdString(); };
        return {{"HOME", m_home.path().toStdString()}, {"TMPDIR", m_home.path().toStdString()},
                {"XDG_CONFIG_HOME", at("config")},     {"XDG_DATA_HOME", at("data")},
                {"XDG_CACHE_HOME", at("cache")},       {"XDG_RUNTIME_DIR", at("runtime")}};
    }

private:
    QTemporaryDir m_home;
};

void runOrFail(benchmark::State& state, const std::vector<std::string>& arguments,
               Environment environment)
{
    if (runProcess(arguments, environment) != 0)
        state.SkipWithError(("failed: " + arguments.front()).c_str());
}

std::vector<std::string> referenceWindow(const char* text = nullptr)
{
    std::vector<std::string> arguments{STARTUP_REFERENCE_BINARY,
                                       std::to_string(g_windowSize.width()),
                                       std::to_string(g_windowSize.height())};
    if (text)
        arguments.emplace_back(text);
    return arguments;
}

// `figure` beside the empty reference window, each in fresh folders.
void startup(benchmark::State& state, Environment platform, std::vector<std::string> figure)
{
    std::unique_ptr<FreshFolders> folders;
    const auto environment = [&] {
        Environment result = folders->environment();
        result.insert(platform.begin(), platform.end());
        return result;
    };
    paired::run(
        state, [&] { runOrFail(state, figure, environment()); },
        [&] { runOrFail(state, referenceWindow(), environment()); },
        [&] { folders = std::make_unique<FreshFolders>(); });
}

QSize mainWindowSize()
{
    testenv::App app;
    app.main().show();
    QApplication::processEvents();
    return app.main().size();
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testenv::prepareApplication(app);
    g_windowSize = mainWindowSize();

    // A start takes a few tens of milliseconds and the machine's noise is of
    // the same order as the difference measured: more pairs than elsewhere
    // keep the median steady.
    const int runs = qEnvironmentVariableIntValue("SLEEVIX_BENCH_RUNS") > 0
        ? qEnvironmentVariableIntValue("SLEEVIX_BENCH_RUNS")
        : 61;
    const auto add = [&](const char* name, Environment platform,
                         std::vector<std::string> figure = {FIRST_PAINT_BINARY}) {
        benchmark::RegisterBenchmark(name, startup, platform, figure)
            ->UseManualTime()
            ->Iterations(runs)
            ->Unit(benchmark::kMillisecond);
    };
    // Beside each, what any text costs over the empty window: the font
    // database, a font and the layout of one line.
    const Environment offscreen = {{"QT_QPA_PLATFORM", "offscreen"}};
    add("startup/offscreen", offscreen);
    add("startup/offscreen_label", offscreen, referenceWindow("Vorderseite"));
    const QByteArray display = qgetenv("SLEEVIX_BENCH_DISPLAY");
    if (!display.isEmpty()) {
        const Environment xvfb = {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display.toStdString()}};
        add("startup/xvfb", xvfb);
        add("startup/xvfb_label", xvfb, referenceWindow("Vorderseite"));
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
