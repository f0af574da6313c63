#pragma once

#include "model/setting_keys.h"

#include <QObject>

#include <optional>

class CoverSettings;
class TCDSetup;

// Ties the settings window's controls to its settings: a control shows its
// setting, and a change made in the control is a change of the setting.
// Each spin field takes its limits from the settings table. A value the
// control already shows is not set again, so a field keeps the text the
// user is typing.
class SettingBindings : public QObject {
    Q_OBJECT
public:
    SettingBindings(CoverSettings& settings, TCDSetup& window);

private:
    void showTick(Check check);
    void showLength(Length length);
    void showFolder(Folder folder);
    void showLinks();

    CoverSettings& m_settings;
    TCDSetup& m_window;
    std::optional<Length> m_typedLength;  // the field whose text is changing
};
