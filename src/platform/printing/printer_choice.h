#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The printer the program prints on: the "current printer" that the saved
// printer name selects and the printer dialogs change.
class PrinterChoice {
public:
    static PrinterChoice& instance();

    QStringList installedPrinters() const;
    // The current printer. One that has been removed from the system since
    // it became current gives way to the system's default printer.
    QString currentPrinter() const;
    void setCurrentPrinter(const QString& name);
    // The current printer when it is installed, otherwise empty (jobs then
    // go into a PDF file).
    QString installedCurrentPrinter() const;

    // Makes the installed printer whose name equals `savedName` exactly
    // (letter case included) the current printer; otherwise nothing changes.
    void selectPrinterNamed(const QString& savedName);

    // Tests replace the system's printer list; `current` is then also the
    // default printer.
    void setPrinterListForTesting(std::function<QStringList()> list, const QString& current);
    // Back to the system's printers, with its default printer current.
    void useSystemPrinters();

private:
    PrinterChoice();
    // Asking the print system for its printers takes a while, so the
    // current printer is settled when it is first needed, not at start-up:
    // the default printer first, then the saved names selected meanwhile.
    void settle() const;
    std::function<QStringList()> m_list;
    std::function<QString()> m_default;
    mutable QString m_current;
    mutable bool m_settled = false;
    mutable QStringList m_savedNames;
};
