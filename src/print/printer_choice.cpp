#include "print/printer_choice.h"

#include <QPrinterInfo>

PrinterChoice& PrinterChoice::instance()
{
    static PrinterChoice choice;
    return choice;
}

PrinterChoice::PrinterChoice()
{
    useSystemPrinters();
}

QStringList PrinterChoice::installedPrinters() const
{
    return m_list();
}

QString PrinterChoice::currentPrinter() const
{
    if (m_current.isEmpty() || installedPrinters().contains(m_current))
        return m_current;
    return m_default();
}

QString PrinterChoice::installedCurrentPrinter() const
{
    const QString current = currentPrinter();
    return !current.isEmpty() && installedPrinters().contains(current) ? current : QString();
}

void PrinterChoice::setCurrentPrinter(const QString& name)
{
    m_current = name;
}

void PrinterChoice::selectSavedPrinter(const QString& savedName)
{
    const QStringList printers = installedPrinters();
    for (const QString& name : printers) {
        if (name == savedName) {
            m_current = name;
            return;
        }
    }
}

void PrinterChoice::setPrinterListForTesting(std::function<QStringList()> list, const QString& current)
{
    m_list = std::move(list);
    m_default = [current] { return current; };
    m_current = current;
}

void PrinterChoice::useSystemPrinters()
{
    m_list = [] { return QPrinterInfo::availablePrinterNames(); };
    m_default = [] { return QPrinterInfo::defaultPrinterName(); };
    m_current = m_default();
}
