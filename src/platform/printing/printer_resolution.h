#pragma once

#include <QString>

// The resolution, in dots per inch, that the print system's printer
// `printer` prints at by default (CUPS' "printer-resolution-default", taken
// from the queue's PPD or the printer itself). 0 when the print system does
// not tell, or when the printer's dots across and down differ.
int defaultPrinterResolution(const QString& printer);
