#pragma once

#include <QString>

#include <stdexcept>

// An error with a German message for the user. Event handlers that start
// work catch it at their boundary and show it in the standard error box;
// it never crosses a Qt signal or event dispatch.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    { }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
