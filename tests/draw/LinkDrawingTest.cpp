// Drawings (SVG and metafiles) that image links show, and the files they cannot show.
#include "DrawTestSupport.h"
#include "TestFiles.h"
#include "draw/LinkPicture.h"
#include "platform/MetafileConverter.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Points the converter variable NAME at PROGRAM while it lives.
class ScopedConverter {
public:
    ScopedConverter(const char* name, const QString& program) : m_name(name) { qputenv(name, program.toLocal8Bit()); }
    ~ScopedConverter() { qunsetenv(m_name); }

private:
    const char* m_name;
};

// A 200 x 100 canvas showing a page with its y axis up at one pixel a unit; the target covers
// all of it.
constexpr QSize kCanvas(200, 100);
const QRectF kTarget(0, 0, 200, 100);

Painting PaintWhole(const QString& file) { return Paint(file, kCanvas, YUpPage(1, kCanvas.height()), kTarget); }

}  // namespace

TEST(LinkDrawing, SvgIsKnownByItsContentAndDrawnUpright) {
    ScopedTestDir dir;
    const QByteArray svg = R"(
  <svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10">
  <rect x="0" y="0" width="10" height="5" fill="#ff0000"/><rect x="0" y="5" width="10" height="5" fill="#0000ff"/></svg>)";
    for (const char* name : {"plan.svg", "plan.jpg"}) {
        dir.Write(name, svg);
        const Painting painting = PaintWhole(dir.Path(name));
        ASSERT_TRUE(painting.drawn) << name << ": " << painting.reason.toStdString();
        EXPECT_TRUE(IsRed(painting.canvas.pixel(100, 20))) << name;
        EXPECT_TRUE(IsBlue(painting.canvas.pixel(100, 80))) << name;
    }
    // Pictures held inside a drawing are drawn; only those named by a file are refused.
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    red.save(&png, "PNG");
    dir.Write("embedded.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" viewBox="0 0 4 4">
        <image width="4" height="4" xlink:href="data:image/png;base64,)" + png.data().toBase64() + R"("/></svg>)");
    const Painting embedded = PaintWhole(dir.Path("embedded.svg"));
    ASSERT_TRUE(embedded.drawn) << embedded.reason.toStdString();
    EXPECT_TRUE(IsRed(embedded.canvas.pixel(100, 50)));
    // A rectangle stored with its corners the other way round shows the drawing the same.
    const QRectF inner(20, 10, 160, 80), reversed(inner.bottomLeft(), inner.topRight());
    const QImage expected = Paint(dir.Path("plan.svg"), kCanvas, YUpPage(1, kCanvas.height()), inner).canvas;
    EXPECT_TRUE(IsRed(expected.pixel(100, 30)));
    EXPECT_EQ(expected.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(Paint(dir.Path("plan.svg"), kCanvas, YUpPage(1, kCanvas.height()), reversed).canvas, expected);
}

TEST(LinkDrawing, MetafilesAreConvertedAndDrawn) {
    ScopedTestDir dir;
    dir.Write("rect.emf", MakeEmf());
    dir.Write("placeable.wmf", MakeWmf(true));
    dir.Write("standard.wmf", MakeWmf(false));
    dir.Write("emf-named.bmp", MakeEmf());
    for (const char* name : {"rect.emf", "placeable.wmf", "standard.wmf", "emf-named.bmp"}) {
        const Painting painting = PaintWhole(dir.Path(name));
        ASSERT_TRUE(painting.drawn) << name << ": " << painting.reason.toStdString();
        EXPECT_TRUE(IsRed(painting.canvas.pixel(100, 50))) << name;
        EXPECT_TRUE(IsRed(painting.canvas.pixel(20, 20))) << name;
    }
}

TEST(LinkDrawing, FilesThatCannotBeShownGiveAReason) {
    ScopedTestDir dir;
    dir.Write("garbage.emf", QByteArray(300, 'x'));
    dir.Write("cut.jpg", Hex("FFD8 FFE0 0010 4A46 4946 00"));
    dir.Write("broken.svg", "<svg><rect");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.emf")).constData(), 0600), 0);
    QDir(dir.Path()).mkdir("folder.png");
    dir.Write("names-pipe.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">
        <image width="10" height="10" xlink:href=")" + QFile::encodeName(dir.Path("pipe.emf")) + R"("/></svg>)");
    const struct {
        const char* name;
        const char* reason;  // empty: any
    } cases[] = {{"garbage.emf", ""},
                 {"cut.jpg", ""},
                 {"broken.svg", "damaged drawing"},
                 {"names-pipe.svg", "drawing refers to other files"},
                 {"pipe.emf", "not a regular file"},
                 {"folder.png", "not a regular file"},
                 {"missing.jpg", "file not found"}};
    for (const auto& c : cases) {
        const Painting painting = PaintWhole(dir.Path(c.name));
        EXPECT_FALSE(painting.drawn) << c.name;
        EXPECT_FALSE(painting.reason.isEmpty()) << c.name;
        if (*c.reason) {
            EXPECT_EQ(painting.reason, c.reason) << c.name;
        }
        EXPECT_EQ(painting.canvas.pixel(100, 50), qRgb(255, 255, 255)) << c.name;
    }
}

TEST(MetafileConverter, KindIsToldByTheFirstBytes) {
    using MetafileConverter::Kind;
    EXPECT_EQ(MetafileConverter::KindOf(MakeEmf()), Kind::Emf);
    EXPECT_EQ(MetafileConverter::KindOf(MakeWmf(true)), Kind::Wmf);
    EXPECT_EQ(MetafileConverter::KindOf(MakeWmf(false)), Kind::Wmf);
    QByteArray noSignature = MakeEmf();
    noSignature[41] = 'X';
    EXPECT_EQ(MetafileConverter::KindOf(noSignature), Kind::None);
    EXPECT_EQ(MetafileConverter::KindOf(MakeEmf().left(43)), Kind::None);
    EXPECT_EQ(MetafileConverter::KindOf(MakeWmf(false).left(17)), Kind::None);
    EXPECT_EQ(MetafileConverter::KindOf(Hex("89504E470D0A1A0A")), Kind::None);
    EXPECT_EQ(MetafileConverter::KindOf(QByteArray()), Kind::None);
}

// Each failure is kept as well as each drawing: a file that hung a converter is not given to it
// again until it changes.
TEST(MetafileConverter, AConverterThatHangsIsStoppedOnce) {
    ScopedTestDir dir;
    dir.Write("slow.emf", MakeEmf());
    WriteScript(dir.Path("hang"), "echo run >> \"" + QFile::encodeName(dir.Path("runs")) + "\"\nexec sleep 60");
    const ScopedConverter converter("ALBORA_EMF2SVG", dir.Path("hang"));
    for (int paint = 0; paint < 2; ++paint) {
        const Painting painting = PaintWhole(dir.Path("slow.emf"));
        EXPECT_FALSE(painting.drawn);
        EXPECT_EQ(painting.reason, "conversion took too long");
    }
    QString reason;
    EXPECT_FALSE(MetafileConverter::ToSvg(dir.Path("slow.emf"), &reason));
    EXPECT_EQ(reason, "conversion took too long");
    EXPECT_EQ(ReadAll(dir.Path("runs")), "run\n");
}

TEST(MetafileConverter, ConverterFailuresAreNamed) {
    ScopedTestDir dir;
    WriteScript(dir.Path("fails"), "exit 3");
    WriteScript(dir.Path("silent"), "exit 0");
    const struct {
        const char* file;
        QString converter;
        QString reason;
    } cases[] = {{"a.wmf", dir.Path("no-such-program"), dir.Path("no-such-program") + " not found"},
                 {"b.wmf", dir.Path("fails"), dir.Path("fails") + " could not convert the file"},
                 {"c.wmf", dir.Path("silent"), dir.Path("silent") + " wrote no drawing"}};
    for (const auto& c : cases) {
        dir.Write(c.file, MakeWmf(true));
        const ScopedConverter converter("ALBORA_WMF2SVG", c.converter);
        QString reason;
        EXPECT_FALSE(MetafileConverter::ToSvg(dir.Path(c.file), &reason)) << c.file;
        EXPECT_EQ(reason, c.reason) << c.file;
    }
    dir.Write("plain.txt", "no metafile");
    QString reason;
    EXPECT_FALSE(MetafileConverter::ToSvg(dir.Path("plain.txt"), &reason));
    EXPECT_EQ(reason, "not a metafile");
}
