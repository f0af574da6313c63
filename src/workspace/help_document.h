#pragma once

#include <QString>

// Where the help document lives: Help/Help.htm beside the program file, as
// in the build folder, or, for an installed program, in
// <prefix>/share/sleevix/Help beside <prefix>/bin. Returns the first of these
// that exists, or the one beside the program file when neither does.
QString helpDocumentPath(const QString& programFolder);

// The same for the running program.
QString helpDocumentPath();
