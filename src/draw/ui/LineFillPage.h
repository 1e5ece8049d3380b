#pragma once

#include "SheetPage.h"

class ColorButton;
class QCheckBox;
class QComboBox;
class QSpinBox;

// "Line and Fill": the pen's width, style and colour, the fill's transparency, colour and type.
class LineFillPage : public SheetPage {
public:
    static inline const QString kUnknownPen = QStringLiteral("Tipo de lápiz desconocido");
    static inline const QString kUnknownFill = QStringLiteral("Tipo de relleno desconocido");

    explicit LineFillPage(const CDrawObj& object);
    void Confirm() override;
    void Apply(CDrawObj& object) const override;

private:
    QSpinBox* m_width;
    QComboBox* m_style;
    ColorButton* m_lineColor;
    QCheckBox* m_transparent;
    ColorButton* m_fillColor;
    QComboBox* m_fill;
};
