#pragma once

#include <QString>

// Values that outlive any one window instance and live for the whole run.
struct ProgramValues {
    QString ImageFolder;
    QString PrinterName;
    bool SelPrinter = false;
    bool AutoSave = false;
    bool AutoFormat = false;
    qint32 PrintCount = 0;
};

ProgramValues& program();
