#pragma once

// True when the desktop's clipboard is known to belong to no program, so
// that it cannot hold a picture. Asking Qt whether another program's
// clipboard data is a picture loads every image format plugin with its
// libraries (to learn the image types they read), which is a good share of
// the start-up time under X11; with nobody owning the clipboard there is
// nothing to ask. False whenever it cannot tell.
bool clipboardIsUnowned();
