#pragma once

#include "draw/DrawTypes.h"

#include <QFileDialog>
#include <optional>

// The platform's choosers in the draw objects' terms.
namespace StandardDialogs {

std::optional<ColorRef> AskColor(QWidget* parent, ColorRef initial);
// The font chooser sizes in points; the LOGFONT comes back with a character height in page units.
std::optional<LogFont> AskFont(QWidget* parent, const LogFont& font);
// A file to open or to save; FILTER in Qt's form, SUFFIX added to a name typed without one.
std::optional<QString> AskFile(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                               const QString& filter, const QString& suggested = {}, const QString& suffix = {});

}  // namespace StandardDialogs
