#pragma once

#include <QIcon>
#include <QString>

// The freedesktop icon NAME from the desktop's theme, else from the Breeze theme the program
// depends on, else the style's own picture for the common ones. Names beginning "albora-" are
// the program's own pictures (data/icons).
QIcon ThemeIcon(const QString& name);
