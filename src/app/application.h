#pragma once

#include <QStringList>

class QApplication;
class QWidget;

// Start-up and the event loop of the program: the single-instance guard,
// the main window and the run-long settings window.
int runSleevix(QApplication& app);

// Sets the organisation, name and title the per-user folders depend on.
void configureApplication(QApplication& app);

// Ends the process without taking the windows, Qt and the libraries apart,
// once the program's own work is done (main window closed, settings written,
// single-instance socket removed). Returns, for the ordinary way out, only
// while this program owns the clipboard or the selection: Qt then hands the
// data over to the clipboard manager.
void endWithoutTeardown(int exitCode);

// Brings the active modal dialog, or else the main window, to the front.
void bringToFront(QWidget& mainWindow);
