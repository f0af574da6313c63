#pragma once

#include "platform/user_error.h"

// Settings store failures ("Ungültiger Datentyp für '%s'" and its siblings).
class SettingsError : public UserError {
public:
    using UserError::UserError;
};
