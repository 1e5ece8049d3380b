#pragma once

#include "DrawDialogs.h"

class QWidget;

// The draw dialogs as modal windows over PARENT.
class QtDrawDialogs final : public DrawDialogs {
public:
    explicit QtDrawDialogs(QWidget* parent) : m_parent(parent) {}

    // A group has no sheet of its own: its size and position are asked instead.
    bool EditProperties(CDrawObj& object, DrawEdits& edits) override;
    bool EditGeometry(CDrawObj& object, DrawEdits& edits) override;
    std::optional<ColorRef> PickColor(QPoint at, ColorRef initial, bool line) override;
    // The chooser has no colours: COLOR stays as it is.
    std::optional<LogFont> ChooseFont(const LogFont& font, ColorRef& color) override;
    std::optional<QStringList> ChooseNames(const QStringList& names) override;
    std::optional<QString> AskObjectName() override;
    bool ChooseNew(NewAnnotationChoice& choice, const QStringList& templates) override;
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;

private:
    QWidget* m_parent;
};
