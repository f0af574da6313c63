#pragma once

#include <QString>

#include <span>

class CoverSettings;
class IniProfile;
class MainWindowControl;
class MainWindowView;
struct TemplateKey;

// A label template file: a named set of the settings' positions, frames and
// switches, the main window's folded-front and CD layout boxes, the printer
// name and, while "Maße in Vorlagen speichern" is ticked, the sizes.
class LabelTemplate {
public:
    LabelTemplate(CoverSettings& settings, MainWindowControl& mainWindow,
                  const MainWindowView& mainWindowView);

    // Writes every key into `fileName` as one file replacement; keys the
    // file already holds are updated in place, other keys stay as they are.
    // Throws TemplateWriteError, and the file then stays as it was.
    void save(const QString& fileName) const;

    // Applies the file to the settings and the main window's boxes, each
    // change running its handlers. A missing file or one that is not a
    // regular file changes nothing.
    void load(const QString& fileName) const;

private:
    bool carriesSizes() const;
    void writeKey(IniProfile& file, const TemplateKey& key) const;
    void loadKey(const IniProfile& file, const TemplateKey& key) const;
    void loadKeys(const IniProfile& file, std::span<const TemplateKey* const> keys) const;

    CoverSettings& m_settings;
    MainWindowControl& m_mainWindow;
    const MainWindowView& m_mainWindowView;
};
