#pragma once

#include <QString>

// A folder for this user's sockets and locks that nobody else can enter:
// the desktop's runtime folder ($XDG_RUNTIME_DIR, as Qt finds and checks
// it), or else a folder of the program's own in the temporary folder. Each
// is used only when it is a real folder (not a link), owned by this user
// and closed to everyone else (mode 0700). Empty when neither is.
QString privateRuntimeFolder();
