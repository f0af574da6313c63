#pragma once

#include <QString>

#include <span>

class IniProfile;
class TCDSetup;
struct TemplateKey;

// A label template file: a named set of the settings window's positions,
// frames, switches, the main window's folded-front and CD layout boxes, the
// printer name and, while "Maße in Vorlagen speichern" is ticked, the sizes.
class LabelTemplate {
public:
    explicit LabelTemplate(TCDSetup& setup);

    // Writes every key into `fileName` as one file replacement; keys the
    // file already holds are updated in place, other keys stay as they are.
    // Throws TemplateWriteError, and the file then stays as it was.
    void save(const QString& fileName) const;

    // Applies the file to the controls, each change running its handlers.
    // A missing file or one that is not a regular file changes nothing.
    void load(const QString& fileName) const;

private:
    bool carriesSizes() const;
    void writeKey(IniProfile& file, const TemplateKey& key) const;
    void loadKey(const IniProfile& file, const TemplateKey& key) const;
    void loadKeys(const IniProfile& file, std::span<const char* const> keyNames) const;

    TCDSetup& m_setup;
};
