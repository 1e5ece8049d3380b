#pragma once

#include <QIcon>
#include <QString>

// The freedesktop icon NAME; the style's own pictures stand in for the common ones where the
// desktop has no icon theme.
QIcon ThemeIcon(const QString& name);
