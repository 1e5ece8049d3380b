// Draw objects: handles, hits, dragging, copies, the fixed flag and how each kind is drawn.
#include "draw/DrawPage.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A picture of the page area (-W/2..W/2, -H/2..H/2) at one pixel per page unit, y up.
QImage Render(const CDrawObj& object, int w = 200, int h = 200) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(w / 2.0, h / 2.0);
    painter.scale(1, -1);
    object.Render(painter);
    return image;
}

int CountColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace

TEST(DrawObjects, SerialNamesFollowTheLiveObjectCount) {
    const int before = CDrawObj::LiveObjects();
    {
        CDrawRect a;
        CDrawPoly b;
        EXPECT_EQ(CDrawObj::LiveObjects(), before + 2);
        EXPECT_EQ(a.serialText, QStringLiteral("_%1").arg(before + 1));
        EXPECT_EQ(a.name, QStringLiteral("Obj_%1").arg(before + 1));
        EXPECT_EQ(b.name, QStringLiteral("ObjPoli_%1").arg(before + 2));
        EXPECT_EQ(a.penOn, 1);
        EXPECT_EQ(a.pen.style, PenStyle::InsideFrame);
        EXPECT_EQ(a.brush.color, 0x808080u);
        EXPECT_EQ(a.corner, (PagePoint{16, 16}));
        EXPECT_EQ(a.font.FaceName(), "Arial");
        EXPECT_EQ(a.shadowDx, 1);
        EXPECT_EQ(a.shadowDy, -1);
    }
    EXPECT_EQ(CDrawObj::LiveObjects(), before);
    EXPECT_EQ(CDrawRect::NamePrefix(CDrawRect::Link), "ObjLnk");
}

TEST(DrawObjects, HandlesOfEachKind) {
    CDrawRect rect(PageRect{0, 100, 200, 0});
    EXPECT_EQ(rect.CountHandles(), 8);
    EXPECT_EQ(rect.HandlePoint(2), (PagePoint{100, 100}));
    EXPECT_EQ(rect.HandlePoint(8), (PagePoint{0, 50}));
    EXPECT_EQ(rect.HandleCursor(3), Qt::SizeBDiagCursor);
    rect.shape = CDrawRect::Line;
    EXPECT_EQ(rect.CountHandles(), 2);
    EXPECT_EQ(rect.HandlePoint(2), (PagePoint{200, 0}));
    rect.shape = CDrawRect::RoundRectangle;
    EXPECT_EQ(rect.CountHandles(), 9);
    EXPECT_EQ(rect.HandlePoint(9), (PagePoint{192, 92}));
    EXPECT_EQ(rect.HandleCursor(9), Qt::SizeAllCursor);
    rect.DragHandle(9, {150, 60});
    EXPECT_EQ(rect.corner, (PagePoint{100, 80}));
    CDrawPoly poly;
    poly.AddPoint({1, 2});
    poly.AddPoint({1, 2});
    poly.AddPoint({5, -3});
    EXPECT_EQ(poly.CountHandles(), 2);
    EXPECT_EQ(poly.HandlePoint(2), (PagePoint{5, -3}));
    EXPECT_EQ(poly.bounds, (PageRect{1, 2, 5, -3}));
}

TEST(DrawObjects, HitTestsAndIntersections) {
    CDrawRect rect(PageRect{0, 100, 100, 0});
    const QTransform toDevice = QTransform::fromScale(1, -1);
    EXPECT_EQ(rect.HitTest({0, 100}, toDevice, false), 1);
    EXPECT_EQ(rect.HitTest({100, 50}, toDevice, false), 0);
    EXPECT_EQ(rect.HitTest({0, 0}, toDevice, false), 0);
    EXPECT_EQ(rect.HitTest({102, 52}, toDevice, true), 4);
    EXPECT_EQ(rect.HitTest({104, 50}, toDevice, true), 0);
    const PageRect corner{2, 98, 3, 99};
    EXPECT_TRUE(rect.Intersects(corner));
    rect.shape = CDrawRect::Ellipse;
    EXPECT_FALSE(rect.Intersects(corner));
    EXPECT_TRUE(rect.Intersects(PageRect{50, 50, 51, 51}));
    rect.shape = CDrawRect::RoundRectangle;
    EXPECT_FALSE(rect.Intersects(PageRect{0, 100, 1, 99}));
    rect.shape = CDrawRect::Reserved;
    EXPECT_FALSE(rect.Intersects(PageRect{50, 50, 51, 51}));
    CDrawRect line(PageRect{0, 0, 100, 100});
    line.shape = CDrawRect::Line;
    EXPECT_TRUE(line.Intersects(PageRect{50, 51, 51, 52}));
    EXPECT_FALSE(line.Intersects(PageRect{80, 10, 81, 11}));
    CDrawPoly triangle;
    for (PagePoint p : {PagePoint{0, 0}, PagePoint{100, 0}, PagePoint{0, 100}}) triangle.AddPoint(p);
    EXPECT_TRUE(triangle.Intersects(PageRect{10, 10, 11, 11}));
    EXPECT_FALSE(triangle.Intersects(PageRect{90, 90, 91, 91}));
}

TEST(DrawObjects, FixedObjectsOfEveryKindKeepTheirPlace) {
    CDrawRect rect(PageRect{0, 10, 10, 0});
    CDrawPoly poly;
    poly.AddPoint({0, 0});
    poly.AddPoint({10, 10});
    CDrawGroupObj group(PageRect{0, 10, 10, 0});
    group.members.push_back(std::make_shared<CDrawRect>(PageRect{0, 10, 10, 0}));
    group.SetFixed(1);
    EXPECT_EQ(group.members[0]->fixed, 1);
    for (CDrawObj* object : std::initializer_list<CDrawObj*>{&rect, &poly, &group}) {
        object->SetFixed(1);
        const PageRect before = object->bounds;
        object->Relocate(before.Offset(5, 5));
        object->DragHandle(1, {-20, 30});
        EXPECT_EQ(object->bounds, before) << object->name.toStdString();
    }
    EXPECT_EQ(poly.points[0], (PagePoint{0, 0}));
    rect.SetFixed(0);
    rect.Relocate(PageRect{5, 15, 15, 5});
    EXPECT_EQ(rect.bounds, (PageRect{5, 15, 15, 5}));
}

TEST(DrawObjects, DuplicatesCopyEveryStoredField) {
    DrawPage page;
    auto text = std::make_shared<CDrawRect>(PageRect{0, 10, 10, 0});
    text->shape = CDrawRect::Text;
    text->text = "Hello";
    text->shadowOn = 1;
    text->shadowColor = 0xFF;
    text->shadowDx = 4;
    text->fixed = 1;
    text->extraText = "x";
    text->visible = 0;
    text->extraWord = 9;
    const auto copy = text->Duplicate(&page);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->serialText, text->serialText);
    EXPECT_EQ(page.objects.size(), 1u);
    EXPECT_EQ(copy->document, &page);
    const auto* c = dynamic_cast<CDrawRect*>(copy.get());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text, "Hello");
    EXPECT_EQ(c->name, text->name);
    EXPECT_EQ(c->shadowColor, 0xFFu);
    EXPECT_EQ(c->shadowDx, 4);
    EXPECT_EQ(c->fixed, 1);
    EXPECT_EQ(c->extraText, "x");
    EXPECT_EQ(c->visible, 0);
    EXPECT_EQ(c->extraWord, 9);
    EXPECT_EQ(CDrawOleObj().Duplicate(nullptr), nullptr);
}

TEST(DrawObjects, ShapesDrawInsideTheirFrame) {
    CDrawRect rect(PageRect{-50, 50, 50, -50});
    rect.pen.widthX = rect.pen.widthY = 10;
    rect.brushOn = 0;
    const QImage image = Render(rect);
    // The 10-unit pen lies within the rectangle: nothing outside it is painted.
    EXPECT_EQ(image.pixel(100 - 52, 100), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(100 - 48, 100), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 255, 255));
}

TEST(DrawObjects, ALineWhoseEndsShareACoordinateKeepsIt) {
    CDrawRect line(PageRect{-50, 20, 50, 20});
    line.shape = CDrawRect::Line;
    line.pen.widthX = line.pen.widthY = 4;
    const QImage image = Render(line);
    // Horizontal at y = 20 (row 80 of the picture), not pushed into a slant.
    EXPECT_EQ(image.pixel(60, 80), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(140, 80), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(140, 70), qRgb(255, 255, 255));
}

TEST(DrawObjects, AnUnfinishedCurveIsDrawnDottedInRed) {
    CDrawPoly curve;
    curve.polyKind = CDrawPoly::Curve;
    for (PagePoint p : {PagePoint{-80, 0}, PagePoint{-40, 60}, PagePoint{0, 60}, PagePoint{40, 0}, PagePoint{80, -60}})
        curve.AddPoint(p);
    const QImage five = Render(curve);
    EXPECT_GT(CountColour(five, qRgb(255, 0, 0)), 20);
    // Only through the first four points: nothing right of x = 40 (column 140).
    EXPECT_EQ(CountColour(five.copy(145, 0, 55, 200), qRgb(255, 0, 0)), 0);
    curve.points.pop_back();
    EXPECT_EQ(CountColour(Render(curve), qRgb(255, 0, 0)), 0);
}

TEST(DrawObjects, TextsAndLinksShowTheirPlaceholders) {
    CDrawRect text(PageRect{-90, 40, 90, -40});
    text.shape = CDrawRect::Text;
    text.brushOn = 0;
    const QImage empty = Render(text);
    EXPECT_GT(CountColour(empty, qRgb(0, 0, 0)), 30);
    CDrawRect link(PageRect{-90, 40, 90, -40});
    link.shape = CDrawRect::Link;
    link.text = "/no/such/picture.jpg";
    EXPECT_GT(CountColour(Render(link), qRgb(0, 0, 0)), 30);
    link.visible = 0;
    EXPECT_EQ(CountColour(Render(link), qRgb(0, 0, 0)), 0);
}

// The escapement is a file's 32 bits: the lowest turns the text as far as any other value, by
// its own amount (84.8 degrees past whole turns), with nothing undefined on the way.
TEST(DrawObjects, TheLowestEscapementTurnsTheTextLikeItsEquivalentAngle) {
    const auto turned = [](std::int32_t escapement) {
        CDrawRect text(PageRect{-10, 10, 90, -10});
        text.shape = CDrawRect::Text;
        text.text = QStringLiteral("Turned text");
        text.font.height = -20;
        text.font.escapement = escapement;
        return Render(text);
    };
    const QImage lowest = turned(INT32_MIN), same = turned(-848), mirrored = turned(848);
    const auto differing = [](const QImage& a, const QImage& b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    };
    EXPECT_GT(differing(same, mirrored), 100);
    EXPECT_LT(differing(lowest, same), 20);
}

TEST(DrawObjects, ValuesAtTheLimitsOfTheFileStayInRange) {
    CDrawRect rect(PageRect{INT32_MAX - 5, INT32_MAX, INT32_MAX, INT32_MAX - 5});
    EXPECT_EQ(rect.HandlePoint(2).x, INT32_MAX - 3);
    rect.Relocate(rect.bounds.Offset(100, -100));
    EXPECT_EQ(rect.bounds, (PageRect{INT32_MAX, INT32_MAX - 100, INT32_MAX, INT32_MAX - 105}));
    rect.pen.widthX = rect.pen.widthY = INT32_MAX;
    rect.font.height = INT32_MIN;
    rect.shape = CDrawRect::Text;
    Render(rect);
    CDrawPoly poly;
    for (int i = 0; i < CDrawPoly::kMaxPoints; ++i) ASSERT_TRUE(poly.AddPoint({i, i % 7}));
    EXPECT_FALSE(poly.AddPoint({-1, -1}));
    EXPECT_EQ(poly.pointCapacity, CDrawPoly::kMaxPoints);
    // Names follow the file name's first dot, however long the path.
    const QString folder = QString(300, QChar('d'));
    EXPECT_EQ(AnnotationFileName(folder + "/trip.2024.jpg"), folder + "/trip.adw");
    EXPECT_EQ(AnnotationFileName("my.pics/a.b.jpg"), "my.pics/a.adw");
    EXPECT_EQ(AnnotationFileName(""), "untitled.adw");
}
