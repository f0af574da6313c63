#pragma once

#include "platform/printing/recording_device.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace testenv {

// While it lives, every job goes to a new recording device at 600 dpi with
// offsets 100 and 100, and the print dialog answers as told.
class RecordedPrinting {
public:
    RecordedPrinting();
    ~RecordedPrinting();

    // The titles of all jobs, in order.
    QStringList titles() const;

    std::vector<std::unique_ptr<RecordingDevice>> devices;
    int dialogsShown = 0;
    bool dialogAnswer = true;
};

}  // namespace testenv
