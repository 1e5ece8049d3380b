#include "draw/DrawSheetTables.h"

#include <QFontDatabase>
#include <gtest/gtest.h>
#include <set>

using namespace DrawSheetTables;

TEST(DrawSheetTables, TheNamedColoursComeInTheirOrderEachOnceAndInWindowsByteOrder) {
    QStringList names;
    std::set<ColorRef> colours;
    for (const auto& [name, colour] : kNamedColors) {
        names << QString::fromUtf8(name);
        colours.insert(colour);
    }
    EXPECT_EQ(names.join(','),
              "Black,Brown,Dark Olive Green,Dark Green,Dark Teal,Dark blue,Indigo,Dark grey,"
              "Dark red,Orange,Dark yellow,Green,Teal,Blue,Blue-grey,Grey - 40,"
              "Red,Light orange,Lime,Sea green,Aqua,Light blue,Violet,Grey - 50,"
              "Pink,Gold,Yellow,Bright green,Turquoise,Skyblue,Plum,Light grey,"
              "Rose,Tan,Light yellow,Pale green,Pale turquoise,Pale blue,Lavender,White");
    // A picker marks the initial colour by its value: no two entries may share one.
    EXPECT_EQ(colours.size(), kNamedColors.size());
    EXPECT_EQ(kNamedColors[1].color, 0x00002AA5u);   // Brown 165,42,0
    EXPECT_EQ(kNamedColors[17].color, 0x005BADFFu);  // Light orange 255,173,91
    EXPECT_EQ(kNamedColors[37].color, 0x008B8368u);  // Pale blue 104,131,139
}

TEST(DrawSheetTables, TheListsOpenOnTheObjectsStyleAndFillOrOnNoEntry) {
    LogPen pen;
    pen.style = PenStyle::InsideFrame;
    EXPECT_EQ(PenStyleEntryOf(pen), 0);
    pen.style = PenStyle::DashDotDot;
    EXPECT_EQ(PenStyleEntryOf(pen), 4);
    for (std::uint32_t unknown : {PenStyle::Solid, PenStyle::Null, 99u}) {
        pen.style = unknown;
        EXPECT_EQ(PenStyleEntryOf(pen), std::nullopt) << unknown;
    }

    EXPECT_EQ(FillEntryOf(1, {BrushStyle::Solid, 0, 4}), 0);
    EXPECT_EQ(FillEntryOf(1, {BrushStyle::Hatched, 0, 3}), 1);
    EXPECT_EQ(FillEntryOf(1, {BrushStyle::Hatched, 0, 1}), 6);
    EXPECT_EQ(FillEntryOf(1, {BrushStyle::Hatched, 0, 6}), std::nullopt);
    EXPECT_EQ(FillEntryOf(1, {BrushStyle::Hollow, 0, 0}), std::nullopt);
    EXPECT_EQ(FillEntryOf(0, {BrushStyle::Hollow, 0, 0}), 0);
}

TEST(DrawSheetTables, LineAndFillStoreTheWidthOnlyWhenDrawnAndKeepWhatNoEntryShows) {
    CDrawRect object;
    object.pen = {PenStyle::Solid, 7, 9, Rgb(1, 2, 3)};
    object.brush = {BrushStyle::Hatched, Rgb(4, 5, 6), 5};
    object.penOn = 0;
    LineAndFill fields = ReadLineAndFill(object);
    EXPECT_EQ(fields.width, 0);
    EXPECT_EQ(fields.fill, 3);

    // Width 0 takes the pen away and leaves its widths; no style entry keeps the style.
    fields.penStyle.reset();
    fields.transparent = true;
    ApplyLineAndFill(object, fields);
    EXPECT_EQ(object.penOn, 0);
    EXPECT_EQ(object.pen, (LogPen{PenStyle::Solid, 7, 9, Rgb(1, 2, 3)}));
    EXPECT_EQ(object.brushOn, 0);

    fields = {12, 2, Rgb(0, 0, 255), false, 0, Rgb(255, 0, 0)};
    ApplyLineAndFill(object, fields);
    EXPECT_EQ(object.penOn, 1);
    EXPECT_EQ(object.pen, (LogPen{PenStyle::Dot, 12, 12, Rgb(0, 0, 255)}));
    EXPECT_EQ(object.brushOn, 1);
    // The solid entry leaves the hatch the brush had.
    EXPECT_EQ(object.brush, (LogBrush{BrushStyle::Solid, Rgb(255, 0, 0), 5}));
}

TEST(DrawSheetTables, AnAngleLeftAsShownKeepsItsTenths) {
    LogFont font;
    font.escapement = 455;
    EXPECT_EQ(AngleDegrees(font), 45);
    EXPECT_EQ(EscapementFor(45, font), 455);
    EXPECT_EQ(EscapementFor(-90, font), -900);
    font.escapement = 50000;
    EXPECT_EQ(AngleDegrees(font), 3600);
    EXPECT_EQ(EscapementFor(3600, font), 50000);
}

TEST(DrawSheetTables, FontsGoToQtAndBackWithWhatQtHasNoWordFor) {
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Serif")));
    LogFont font;
    font.height = -25;
    font.width = 3;
    font.escapement = 450;
    font.weight = 700;
    font.italic = font.underline = 1;
    font.charSet = 0;
    font.SetFaceName(QStringLiteral("Liberation Serif"));
    const QFont inPageUnits = ToQFont(font);
    EXPECT_EQ(inPageUnits.pixelSize(), 25);
    EXPECT_EQ(ToLogFont(inPageUnits, font), font);
    const QFont inPoints = ToPointSizedFont(font);
    EXPECT_DOUBLE_EQ(inPoints.pointSizeF(), 18);
    EXPECT_EQ(ToLogFont(inPoints, font), font);

    // A chooser's whole points come back as the nearest page unit.
    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSize(12);
    chosen.setStrikeOut(true);
    const LogFont back = ToLogFont(chosen, LogFont{});
    EXPECT_EQ(back.height, -17);
    EXPECT_EQ(back.weight, 400);
    EXPECT_EQ(back.strikeOut, 1);
    EXPECT_EQ(back.italic, 0);
}
