#pragma once

#include <QString>

// Adds the album at PATH to the desktop's recently used files ($XDG_DATA_HOME/recently-used.xbel),
// which file managers and the GNOME and KDE file dialogs list. GLib writes the file whole or not
// at all; a file it cannot read is left as it is. Any failure is the desktop's loss only: the
// program is never told.
void AddToDesktopRecentFiles(const QString& path);
