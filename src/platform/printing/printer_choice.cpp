#include "platform/printing/printer_choice.h"

#include "platform/desktop/modules.h"
#include "platform/printing/print_support.h"

#include <utility>

namespace {

// Without its print module the program knows no printers; printing itself
// then says what is missing.
template <typename Answer> Answer askPrintSupport(Answer (PrintSupport::*question)() const)
{
    try {
        return (printSupport().*question)();
    } catch (const ModuleError&) {
        return {};
    }
}

}  // namespace

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

void PrinterChoice::settle() const
{
    if (m_settled)
        return;
    m_settled = true;
    m_current = m_default();
    if (m_savedNames.isEmpty())
        return;
    const QStringList printers = installedPrinters();
    for (const QString& savedName : std::exchange(m_savedNames, {})) {
        if (printers.contains(savedName))
            m_current = savedName;
    }
}

QString PrinterChoice::currentPrinter() const
{
    settle();
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
    m_settled = true;
    m_savedNames.clear();
    m_current = name;
}

void PrinterChoice::selectPrinterNamed(const QString& savedName)
{
    if (!m_settled) {
        m_savedNames << savedName;
        return;
    }
    const QStringList printers = installedPrinters();
    for (const QString& name : printers) {
        if (name == savedName) {
            m_current = name;
            return;
        }
    }
}

void PrinterChoice::setPrinterListForTesting(std::function<QStringList()> list,
                                             const QString& current)
{
    m_list = std::move(list);
    m_default = [current] { return current; };
    setCurrentPrinter(current);
}

void PrinterChoice::useSystemPrinters()
{
    m_list = [] { return askPrintSupport(&PrintSupport::printerNames); };
    m_default = [] { return askPrintSupport(&PrintSupport::defaultPrinterName); };
    m_settled = false;
    m_savedNames.clear();
}
