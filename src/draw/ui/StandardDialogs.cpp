#include "StandardDialogs.h"

#include "draw/DrawSheetTables.h"

#include <QColorDialog>
#include <QFontDialog>

namespace StandardDialogs {

std::optional<ColorRef> AskColor(QWidget* parent, ColorRef initial) {
    QColorDialog dialog(ToQColor(initial), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

std::optional<LogFont> AskFont(QWidget* parent, const LogFont& font) {
    QFontDialog dialog(DrawSheetTables::ToPointSizedFont(font), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return DrawSheetTables::ToLogFont(dialog.selectedFont(), font);
}

std::optional<QString> AskFile(QWidget* parent, QFileDialog::AcceptMode mode, const QString& title,
                               const QString& filter, const QString& suggested, const QString& suffix) {
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace StandardDialogs
