// libFuzzer's entry point; each fuzz target's executable defines
// fuzz::fuzzedTarget.
#include "targets/targets.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    // Qt's image readers and Qt SVG need an application object. It gets only
    // the program name: Qt would take libFuzzer's options out of argv.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    static QGuiApplication app(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::fuzzedTarget(QByteArrayView(data, qsizetype(size)));
    return 0;
}
