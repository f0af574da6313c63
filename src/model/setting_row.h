#pragma once

#include "model/setting_keys.h"

#include <variant>

// The printer name is stored with the settings but held program-wide.
struct PrinterNameValue { };

enum class DefaultFolder { None, Pictures, Templates };

// One stored value of the settings: its name in the store, the setting it
// holds, its default when the store has no such value and, for a length,
// its limits (minimum == maximum: no limits).
struct SettingRow {
    const char* valueName;
    std::variant<Check, Length, Folder, PrinterNameValue> setting;
    int defaultValue = 0;
    int minimum = 0;
    int maximum = 0;
    DefaultFolder defaultFolder = DefaultFolder::None;
    // Looked up under this spelling when it differs from valueName.
    const char* existenceName = nullptr;
    // False for the layout modifiers, which are written but never loaded.
    bool loaded = true;
    // True for "SelPrinter": loaded into its box, written from the
    // program-wide value.
    bool writtenFromProgram = false;

    bool hasLimits() const { return minimum != maximum; }
};
