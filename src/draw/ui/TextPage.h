#pragma once

#include "SheetPage.h"

#include "draw/DrawTypes.h"

class CDrawRect;
class ColorButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

// "Text": the text, its alignment, font, colour and angle, background and shadow; the text comes
// from and goes to text files as well.
class TextPage : public SheetPage {
public:
    static constexpr int kTextLimit = 32767;
    static inline const QString kFileError = QStringLiteral("Error:\nText file error");

    explicit TextPage(const CDrawRect& object);
    // Stores the font as the one new texts take, too.
    void Apply(CDrawObj& object) const override;

    void ImportText();
    void ExportText();
    void SelectFont();

private:
    void ShowFont();

    LogFont m_font;
    bool m_crlf;
    QPlainTextEdit* m_text;
    QComboBox* m_align;
    QLabel* m_fontName;
    ColorButton* m_textColor;
    QSpinBox* m_angle;
    QCheckBox* m_transparent;
    ColorButton* m_backColor;
    QCheckBox* m_shadow;
    ColorButton* m_shadowColor;
    QSpinBox* m_shadowDx;
    QSpinBox* m_shadowDy;
};
