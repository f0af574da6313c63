#pragma once

#include "platform/user_error.h"

// Settings store failures ("Konnte Daten für '%s' nicht holen" and its
// siblings).
class SettingsError : public UserError {
public:
    using UserError::UserError;
};
