#pragma once

#include <QString>

// The templates folder the settings start with: "Vorlagen" in the user's
// data folder.
QString defaultTemplatesFolder();

// Label templates for common label papers and cases come with the program.
// When `folder` is the default templates folder, it is created if need be and
// every ready template it has not been given before is copied into it, once:
// one the user deleted stays deleted. A file of the user is never replaced.
void provideReadyTemplates(const QString& folder);
