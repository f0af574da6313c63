#pragma once

#include "model/setting_row.h"

#include <span>

// The settings table: every stored value of the settings, once.

// In the order the store is loaded.
std::span<const SettingRow> settingRows();
// In the order the store is written.
std::span<const SettingRow* const> settingWriteOrder();

const SettingRow& rowOf(Check check);
const SettingRow& rowOf(Length length);
const SettingRow& rowOf(Folder folder);

// The size fields of the "Maße" page, in the order "S&tandard Werte" sets
// them to their defaults.
std::span<const Length> standardSizes();
