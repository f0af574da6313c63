#pragma once

#include <QString>

#include <functional>

class QWidget;

// The boundary of an event handler: runs `work`, and shows any error it
// raises in the standard error box instead of letting it escape into Qt's
// event dispatch. Returns false when an error was shown.
bool runGuarded(QWidget* parent, const std::function<void()>& work);

void showErrorBox(QWidget* parent, const QString& message);
