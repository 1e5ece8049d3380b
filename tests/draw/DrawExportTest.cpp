// The page as PNG, SVG and PDF, checked against what other programs make of the files.
#include "DrawTestSupport.h"
#include "TestFiles.h"
#include "draw/DrawExport.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<CDrawRect> AddShape(DrawPage& page, int shape, const PageRect& bounds, ColorRef fill) {
    auto object = std::make_shared<CDrawRect>(bounds);
    object->shape = shape;
    object->brush = {BrushStyle::Solid, fill, 0};
    page.Add(object);
    return object;
}

std::shared_ptr<CDrawRect> AddText(DrawPage& page, const PageRect& bounds, const QString& text) {
    auto object = AddShape(page, CDrawRect::Text, bounds, 0xFFFFFF);
    object->text = text;
    object->font.height = -20;
    return object;
}

// A picture whose every pixel differs from its neighbours, so that a shift or a scaling shows.
QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 6, y * 8, 100 + ((x ^ y) & 63)));
    return image;
}

// The smallest rectangle holding every pixel of IMAGE that is not PAPER.
QRect InkBounds(const QImage& image, QRgb paper) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != paper) ink |= QRect(x, y, 1, 1);
    return ink;
}

// A length attribute of the svg element in inches: "215.9mm", "8.5in".
double Inches(const QString& length) {
    if (length.endsWith(QStringLiteral("mm"))) return length.chopped(2).toDouble() / 25.4;
    if (length.endsWith(QStringLiteral("in"))) return length.chopped(2).toDouble();
    return NAN;
}

}  // namespace

TEST(DrawExport, ALinkedPictureComesOutOneToOneAt100DpiAndTwiceAsLargeAt200) {
    ScopedTestDir dir;
    const QImage picture = Pattern(40, 30);
    ASSERT_TRUE(picture.save(dir.Path("pattern.png")));
    DrawPage page;
    page.pageWidth = 200;
    page.pageHeight = 100;
    page.Add(std::make_shared<CDrawRect>(PageRect{-60, 40, -20, 10}, CDrawRect::Link, "ObjLnk", dir.Path("pattern.png"), ""));

    // Page point (-60, 40) is pixel ((-60 + 100), (50 - 40)) at one pixel a unit.
    const QImage at100 = DrawExport::ToImage(page, 100);
    ASSERT_EQ(at100.size(), QSize(200, 100));
    EXPECT_EQ(at100.copy(40, 10, 40, 30), picture);
    EXPECT_EQ(InkBounds(at100, qRgb(255, 255, 255)), QRect(40, 10, 40, 30));

    const QImage at200 = DrawExport::ToImage(page, 200);
    ASSERT_EQ(at200.size(), QSize(400, 200));
    EXPECT_EQ(InkBounds(at200, qRgb(255, 255, 255)), QRect(80, 20, 80, 60));
    const QImage enlarged = picture.scaled(80, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(MeanDifference(at200.copy(80, 20, 80, 60), enlarged), 4);
}

TEST(DrawExport, RsvgConvertDrawsOurSvgAsWeDrawThePng) {
    ScopedTestDir dir;
    DrawPage page;
    page.pageWidth = 400;
    page.pageHeight = 300;
    page.paperColor = Rgb(255, 255, 230);
    AddShape(page, CDrawRect::Rectangle, {-150, 100, -50, 50}, Rgb(220, 0, 0));
    AddShape(page, CDrawRect::RoundRectangle, {-180, -20, -60, -120}, Rgb(0, 160, 0));
    AddShape(page, CDrawRect::Ellipse, {40, -30, 180, -130}, Rgb(0, 0, 200));
    auto line = AddShape(page, CDrawRect::Line, {-190, 140, 190, 60}, 0);
    line->pen = {PenStyle::Solid, 12, 12, Rgb(20, 20, 20)};
    auto triangle = std::make_shared<CDrawPoly>();
    triangle->brush = {BrushStyle::Solid, Rgb(240, 160, 0), 0};
    for (PagePoint p : {PagePoint{20, 130}, PagePoint{180, 120}, PagePoint{60, 20}}) triangle->points.push_back(p);
    triangle->RecalcBounds();
    page.Add(triangle);

    const QImage ours = DrawExport::ToImage(page, 100);
    dir.Write("page.svg", DrawExport::ToSvg(page));
    const QImage theirs = RsvgPicture(dir.Path("page.svg"), ours.size());
    ASSERT_EQ(theirs.size(), QSize(400, 300));
    // The red rectangle lies above the page's centre line, left of the middle: y points up.
    EXPECT_TRUE(IsRed(ours.pixel(100, 75)));
    EXPECT_TRUE(IsRed(theirs.pixel(100, 75)));
    // Edges are smoothed differently; a misplaced shape differs by far more.
    constexpr double kTolerance = 1;
    EXPECT_LT(MeanDifference(ours, theirs), kTolerance);
    EXPECT_GT(MeanDifference(ours, theirs.mirrored(false, true)), 4 * kTolerance);
}

TEST(DrawExport, SvgHasThePagesPhysicalSizeAndRealText) {
    DrawPage page;
    page.pageWidth = 850;
    page.pageHeight = 1100;
    AddText(page, {-300, 400, 300, 300}, QStringLiteral("Tom & Jerry <at> Albora"));
    QXmlStreamReader xml(DrawExport::ToSvg(page));
    ASSERT_TRUE(xml.readNextStartElement());
    ASSERT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_NEAR(Inches(xml.attributes().value("width").toString()), 8.5, 0.01);
    EXPECT_NEAR(Inches(xml.attributes().value("height").toString()), 11, 0.01);
    QString texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Tom & Jerry <at> Albora"))) << texts.toStdString();
}

TEST(DrawExport, PdfHasThePagesSizeInEitherOrientationAndItsText) {
    ScopedTestDir dir;
    for (const QSize size : {QSize(700, 500), QSize(799, 1024)}) {
        DrawPage page;
        page.pageWidth = size.width();
        page.pageHeight = size.height();
        AddText(page, {-200, 200, 200, 100}, QStringLiteral("Albora draws %1").arg(size.width()));
        dir.Write("page.pdf", DrawExport::ToPdf(page));
        const QString info = ToolOutput("pdfinfo", {dir.Path("page.pdf")});
        const auto match = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        ASSERT_TRUE(match.hasMatch()) << info.toStdString();
        EXPECT_NEAR(match.captured(1).toDouble(), size.width() * 0.72, 0.5) << size.width();
        EXPECT_NEAR(match.captured(2).toDouble(), size.height() * 0.72, 0.5) << size.width();
        const QString text = ToolOutput("pdftotext", {dir.Path("page.pdf"), "-"});
        EXPECT_TRUE(text.contains(QStringLiteral("Albora draws %1").arg(size.width()))) << text.toStdString();
    }
}

TEST(DrawExport, WriteRefusesWhatItCannotMakeAndLeavesTheOldFile) {
    ScopedTestDir dir;
    DrawPage page;
    AddShape(page, CDrawRect::Ellipse, {-100, 100, 100, -100}, Rgb(0, 0, 200));
    const QByteArray old = "the old picture";
    dir.Write("page.png", old);
    QString error;

    EXPECT_FALSE(DrawExport::Write(page, dir.Path("page.bmp"), 100, &error));
    EXPECT_TRUE(error.contains("unknown")) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.Path("page.bmp")));

    page.pageWidth = page.pageHeight = 100000;
    error.clear();
    EXPECT_FALSE(DrawExport::Write(page, dir.Path("page.png"), 100, &error));
    EXPECT_TRUE(error.contains("too large")) << error.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("page.png")), old);

    // A folder that cannot be written to: a file stands where the folder would be.
    page.pageWidth = page.pageHeight = 300;
    dir.Write("afile", old);
    error.clear();
    EXPECT_FALSE(DrawExport::Write(page, dir.Path("afile/page.png"), 100, &error));
    EXPECT_TRUE(error.contains("Not a directory")) << error.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("afile")), old);

    ASSERT_TRUE(DrawExport::Write(page, dir.Path("page.png"), 100, &error)) << error.toStdString();
    EXPECT_EQ(QImage(dir.Path("page.png")).size(), QSize(300, 300));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList({"afile", "page.png"}));
}
