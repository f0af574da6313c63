#pragma once

#include <QStringList>

class QApplication;

// Start-up and the event loop of the program: the single-instance guard,
// the main window and the run-long settings window.
int runSleevix(QApplication& app);

// Sets the organisation, name and title the per-user folders depend on.
void configureApplication(QApplication& app);

// Brings the active modal dialog, or else the main window, to the front.
void bringToFront();
