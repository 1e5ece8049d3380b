#pragma once

#include "DrawObjects.h"

#include <QFont>
#include <array>
#include <optional>

// What the property sheets and the colour picker show and how their answers become an object's
// fields, apart from any window so that tests check them directly.
namespace DrawSheetTables {

struct NamedColor {
    const char* name;
    ColorRef color;
};
// The picker's colours, 8 a row, in the order shown.
extern const std::array<NamedColor, 40> kNamedColors;
constexpr int kColorsPerRow = 8;

struct PenStyleEntry {
    const char* text;
    std::uint32_t style;
};
extern const std::array<PenStyleEntry, 5> kPenStyles;

struct FillEntry {
    std::uint32_t style, hatch;
};
extern const std::array<FillEntry, 7> kFills;

// The list entry of PEN's style, of the fill; nullopt when none matches. A transparent object's
// fill list opens on the first entry.
std::optional<int> PenStyleEntryOf(const LogPen& pen);
std::optional<int> FillEntryOf(int brushOn, const LogBrush& brush);

// The "Line and Fill" page's fields. An entry left unset keeps the object's style or fill.
struct LineAndFill {
    std::int32_t width = 0;
    std::optional<int> penStyle;
    ColorRef lineColor = 0;
    bool transparent = false;
    std::optional<int> fill;
    ColorRef fillColor = 0;
};
LineAndFill ReadLineAndFill(const CDrawObj& object);
void ApplyLineAndFill(CDrawObj& object, const LineAndFill& fields);

// The text's angle in whole degrees; an angle left as shown keeps tenths the file may hold.
int AngleDegrees(const LogFont& font);
std::int32_t EscapementFor(int degrees, const LogFont& font);

// Qt's font for FONT, sized in page units (as text is drawn); in points for the font chooser.
QFont ToQFont(const LogFont& font);
QFont ToPointSizedFont(const LogFont& font);
// QFONT as a LOGFONT of a negative (character) height in page units; what Qt has no word for
// (width, escapement, character set...) comes from BASE.
LogFont ToLogFont(const QFont& qfont, const LogFont& base);

}  // namespace DrawSheetTables
