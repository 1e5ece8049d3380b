#pragma once

#include "draw/DrawTypes.h"

#include <QDialog>
#include <QPushButton>
#include <optional>
#include <vector>

class QAbstractButton;

// The colour picker: a frameless popup of the 40 named colours, 8 a row, with the initial one
// marked, an optional "Automatic" entry above them and an entry below that opens the platform's
// colour chooser. Arrows move between the entries, Enter takes one, Esc closes.
class ColorPopup : public QDialog {
    Q_OBJECT

public:
    struct Entries {
        // The colour "Automatic" stands for; no such entry without it.
        std::optional<ColorRef> automatic;
        QString more;
    };

    ColorPopup(ColorRef initial, const Entries& entries, QWidget* parent);

    // Runs the popup with its top left at AT (global), kept on the screen, then the platform's
    // chooser when its entry was taken; nullopt when nothing was chosen.
    static std::optional<ColorRef> Pick(QWidget* parent, QPoint at, ColorRef initial, const Entries& entries);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* AddEntry(QAbstractButton* button, int row);
    void MoveFocus(int key);

    std::vector<std::vector<QAbstractButton*>> m_rows;
    std::optional<ColorRef> m_chosen;
    bool m_more = false;
};

// A "Color..." button that shows its colour and changes it through the picker, with "Automatic"
// standing for AUTOMATIC and "More Colours...".
class ColorButton : public QPushButton {
    Q_OBJECT

public:
    ColorButton(ColorRef color, ColorRef automatic, QWidget* parent = nullptr);
    ColorRef Color() const { return m_color; }
    void SetColor(ColorRef color);

private:
    ColorRef m_color;
    ColorRef m_automatic;
};
