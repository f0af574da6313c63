#pragma once

#include <QString>

namespace testenv {

// Path of a file below tests/data.
QString dataFile(const QString& relative);

// Puts QStandardPaths into test mode and removes the test settings store, so
// every test case starts from an empty per-user store.
void resetUserStore();

}  // namespace testenv
