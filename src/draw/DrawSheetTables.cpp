#include "DrawSheetTables.h"

#include "DrawPainting.h"

#include <QStringList>
#include <cmath>

namespace DrawSheetTables {

const std::array<NamedColor, 40> kNamedColors{{
    {"Black", Rgb(0, 0, 0)},
    {"Brown", Rgb(165, 42, 0)},
    {"Dark Olive Green", Rgb(0, 64, 64)},
    {"Dark Green", Rgb(0, 85, 0)},
    {"Dark Teal", Rgb(0, 0, 94)},
    {"Dark blue", Rgb(0, 0, 139)},
    {"Indigo", Rgb(75, 0, 130)},
    {"Dark grey", Rgb(40, 40, 40)},
    {"Dark red", Rgb(139, 0, 0)},
    {"Orange", Rgb(255, 104, 32)},
    {"Dark yellow", Rgb(139, 139, 0)},
    {"Green", Rgb(0, 147, 0)},
    {"Teal", Rgb(56, 142, 142)},
    {"Blue", Rgb(0, 0, 255)},
    {"Blue-grey", Rgb(123, 123, 192)},
    {"Grey - 40", Rgb(102, 102, 102)},
    {"Red", Rgb(255, 0, 0)},
    {"Light orange", Rgb(255, 173, 91)},
    {"Lime", Rgb(50, 205, 50)},
    {"Sea green", Rgb(60, 179, 113)},
    {"Aqua", Rgb(127, 255, 212)},
    {"Light blue", Rgb(125, 158, 192)},
    {"Violet", Rgb(128, 0, 128)},
    {"Grey - 50", Rgb(127, 127, 127)},
    {"Pink", Rgb(255, 192, 203)},
    {"Gold", Rgb(255, 215, 0)},
    {"Yellow", Rgb(255, 255, 0)},
    {"Bright green", Rgb(0, 255, 0)},
    {"Turquoise", Rgb(64, 224, 208)},
    {"Skyblue", Rgb(192, 255, 255)},
    {"Plum", Rgb(72, 0, 72)},
    {"Light grey", Rgb(192, 192, 192)},
    {"Rose", Rgb(255, 228, 225)},
    {"Tan", Rgb(210, 180, 140)},
    {"Light yellow", Rgb(255, 255, 224)},
    {"Pale green", Rgb(152, 251, 152)},
    {"Pale turquoise", Rgb(175, 238, 238)},
    {"Pale blue", Rgb(104, 131, 139)},
    {"Lavender", Rgb(230, 230, 250)},
    {"White", Rgb(255, 255, 255)},
}};

const std::array<PenStyleEntry, 5> kPenStyles{{
    {"Sólido", PenStyle::InsideFrame},
    {"Rayas", PenStyle::Dash},
    {"Puntos", PenStyle::Dot},
    {"Ralyas y puntos", PenStyle::DashDot},
    {"Raya, punto y punto", PenStyle::DashDotDot},
}};

const std::array<FillEntry, 7> kFills{{
    {BrushStyle::Solid, 0},
    {BrushStyle::Hatched, 3},
    {BrushStyle::Hatched, 4},
    {BrushStyle::Hatched, 5},
    {BrushStyle::Hatched, 2},
    {BrushStyle::Hatched, 0},
    {BrushStyle::Hatched, 1},
}};

std::optional<int> PenStyleEntryOf(const LogPen& pen) {
    for (int i = 0; i < int(kPenStyles.size()); ++i)
        if (kPenStyles[std::size_t(i)].style == pen.style) return i;
    return std::nullopt;
}

std::optional<int> FillEntryOf(int brushOn, const LogBrush& brush) {
    if (!brushOn) return 0;
    for (int i = 0; i < int(kFills.size()); ++i) {
        const FillEntry& entry = kFills[std::size_t(i)];
        // A solid brush keeps whatever hatch it was made with.
        if (entry.style == brush.style && (brush.style == BrushStyle::Solid || entry.hatch == brush.hatch)) return i;
    }
    return std::nullopt;
}

LineAndFill ReadLineAndFill(const CDrawObj& object) {
    LineAndFill fields;
    fields.width = object.penOn == 1 ? object.pen.widthX : 0;
    fields.penStyle = PenStyleEntryOf(object.pen);
    fields.lineColor = object.pen.color;
    fields.transparent = !object.brushOn;
    fields.fill = FillEntryOf(object.brushOn, object.brush);
    fields.fillColor = object.brush.color;
    return fields;
}

void ApplyLineAndFill(CDrawObj& object, const LineAndFill& fields) {
    object.penOn = fields.width != 0;
    if (fields.width != 0) object.pen.widthX = object.pen.widthY = fields.width;
    if (fields.penStyle) object.pen.style = kPenStyles.at(std::size_t(*fields.penStyle)).style;
    object.pen.color = fields.lineColor;
    object.brushOn = !fields.transparent;
    if (fields.fill) {
        const FillEntry& entry = kFills.at(std::size_t(*fields.fill));
        object.brush.style = entry.style;
        // The hatch of a solid entry is no hatch: the one the brush had stays.
        if (entry.style == BrushStyle::Hatched) object.brush.hatch = entry.hatch;
    }
    object.brush.color = fields.fillColor;
}

int AngleDegrees(const LogFont& font) { return std::clamp(font.escapement / 10, -3600, 3600); }

std::int32_t EscapementFor(int degrees, const LogFont& font) {
    return degrees == AngleDegrees(font) ? font.escapement : degrees * 10;
}

QFont ToQFont(const LogFont& font) { return DrawPainting::Font(font); }

QFont ToPointSizedFont(const LogFont& font) {
    QFont qfont = ToQFont(font);
    // A page unit is 1/100 inch, a point 1/72.
    qfont.setPointSizeF(qfont.pixelSize() * 0.72);
    return qfont;
}

LogFont ToLogFont(const QFont& qfont, const LogFont& base) {
    LogFont font = base;
    const int units = qfont.pixelSize() > 0 ? qfont.pixelSize() : int(std::lround(qfont.pointSizeF() / 0.72));
    font.height = -std::clamp(units, 1, int(DrawPainting::kMaxFontHeight));
    font.weight = qfont.weight();
    font.italic = qfont.italic();
    font.underline = qfont.underline();
    font.strikeOut = qfont.strikeOut();
    font.SetFaceName(qfont.family());
    return font;
}

}  // namespace DrawSheetTables
