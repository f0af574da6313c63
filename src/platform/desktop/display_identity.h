#pragma once

#include <QString>

// A name for the display this program shows its windows on, fit for a file
// name: the socket name of the X server or Wayland compositor it is
// connected to ("X0", "wayland-1"; host and port for X over TCP), or else
// the name of Qt's platform ("offscreen"). Read from the live connection, so
// that every spelling of one display (":0", ":0.0", "unix:0") gives the
// same name. Needs the QGuiApplication.
QString displayIdentity();

// The name of the Wayland compositor's socket that this process is
// connected to ("wayland-0"), or empty. Qt offers no handle of its Wayland
// connection: it is the socket whose other end is named like a
// compositor's.
QString connectedWaylandDisplay();
