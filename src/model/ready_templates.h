#pragma once

#include <QString>

// The templates folder the settings start with: "Vorlagen" in the user's
// data folder.
QString defaultTemplatesFolder();

// Label templates for common label papers come with the program. When
// `folder` is the default templates folder and does not exist yet, it is
// created and they are copied into it. A file of the user is never replaced.
void provideReadyTemplates(const QString& folder);
