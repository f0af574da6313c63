#pragma once

#include <span>

// The persisted settings of the settings window, in the order in which the
// store is loaded. Each row names its stored value, its type, its default,
// its limits and the control that holds it. ReadRegistry, WriteRegistry, the
// label templates and the standard values all loop over these tables.
enum class SettingType { Folder, Bool, Integer, Printer };

enum class DefaultFolder { None, Pictures, Templates };

struct SettingRow {
    const char* valueName;
    SettingType type;
    const char* control;  // object name in the settings window; empty for PrinterName
    int defaultValue;     // integers and booleans
    int minimum;          // minimum == maximum: no limits
    int maximum;
    DefaultFolder defaultFolder = DefaultFolder::None;
    const char* existenceName = nullptr;  // looked up under another spelling
};

// The 43 rows, in load order.
std::span<const SettingRow> coverSettings();

// Value names in the order WriteRegistry writes them. "2 Front", "2 Picture"
// and "SelPrinter" are written from the entries of writeSources() below.
std::span<const char* const> registryWriteOrder();

// Values written from something other than their row's control.
struct WriteSource {
    const char* valueName;
    const char* control;  // a check box of the settings window, or empty for SelPrinter
};
std::span<const WriteSource> writeSources();

const SettingRow* findSetting(const char* valueName);

// The size fields of the "Maße" page with their standard values, in the
// order "S&tandard Werte" sets them.
struct StandardSize {
    const char* control;
    int standard;
};
std::span<const StandardSize> standardSizes();
