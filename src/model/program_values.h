#pragma once

#include <QString>

// Values that outlive any one window instance and live for the whole run.
struct ProgramValues {
    QString ImageFolder;
    bool SelPrinter = false;
    bool AutoSave = false;
    bool AutoFormat = false;
    qint32 PrintCount = 0;

    // The printer name of the settings. Without a saved name it is the
    // current printer, looked up when the name is first read.
    QString printerName() const;
    void setPrinterName(const QString& name);
    void setPrinterNameFromSystem();
    bool printerNameFromSystem() const { return m_printerNameFromSystem; }

private:
    mutable QString m_printerName;
    mutable bool m_printerNameFromSystem = false;
};

ProgramValues& program();
