#pragma once

#include "platform/store/settings_error.h"

// A stored value of another type than the one asked for ("Ungültiger
// Datentyp für '%s'"): it costs only itself, the rest of the store reads.
class SettingsTypeError : public SettingsError {
public:
    using SettingsError::SettingsError;
};
