#include "support/recorded_printing.h"

#include "platform/printing/print_runner.h"

#include <QPrinter>

namespace testenv {

RecordedPrinting::RecordedPrinting()
{
    PrintRunner& runner = PrintRunner::instance();
    runner.deviceForTesting = [this]() -> PrintDevice& {
        devices.push_back(std::make_unique<RecordingDevice>(600, 600, 100, 100));
        return *devices.back();
    };
    runner.printDialog = [this](QWidget*, QPrinter&) {
        ++dialogsShown;
        return dialogAnswer;
    };
}

RecordedPrinting::~RecordedPrinting()
{
    PrintRunner::instance().deviceForTesting = nullptr;
}

QStringList RecordedPrinting::titles() const
{
    QStringList result;
    for (const auto& device : devices) {
        for (const RecordedCall& call : device->calls()) {
            if (call.kind == RecordedCall::Kind::SetTitle)
                result << call.title;
        }
    }
    return result;
}

}  // namespace testenv
