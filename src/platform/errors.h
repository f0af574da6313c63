#pragma once

#include <QString>

#include <stdexcept>

// An error with a German message for the user. Event handlers that start
// work catch it at their boundary and show it in the standard error box;
// it never crosses a Qt signal or event dispatch.
class UserError : public std::runtime_error {
public:
    explicit UserError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// Settings store failures ("Konnte Daten für '%s' nicht holen" and its
// siblings).
class SettingsError : public UserError {
public:
    using UserError::UserError;
};

// A stored value of another type than the one asked for ("Ungültiger
// Datentyp für '%s'"): it costs only itself, the rest of the store reads.
class SettingsTypeError : public SettingsError {
public:
    using SettingsError::SettingsError;
};

// A label template that cannot be written.
class TemplateWriteError : public UserError {
public:
    using UserError::UserError;
};

// The printing platform refused a job.
class PrintError : public UserError {
public:
    using UserError::UserError;
};
