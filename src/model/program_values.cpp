#include "model/program_values.h"

#include "platform/printing/printer_choice.h"

ProgramValues& program()
{
    static ProgramValues values;
    return values;
}

QString ProgramValues::printerName() const
{
    if (m_printerNameFromSystem) {
        m_printerName = PrinterChoice::instance().currentPrinter();
        m_printerNameFromSystem = false;
    }
    return m_printerName;
}

void ProgramValues::setPrinterName(const QString& name)
{
    m_printerName = name;
    m_printerNameFromSystem = false;
}

void ProgramValues::setPrinterNameFromSystem()
{
    m_printerName.clear();
    m_printerNameFromSystem = true;
}
