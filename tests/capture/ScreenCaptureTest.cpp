#include "TestFiles.h"
#include "TestXServer.h"

#include "capture/ScreenSource.h"
#include "capture/XcbScreen.h"
#include "image/CImageObject.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kRed = 0xff0000;
constexpr QRect kRedClient(50, 60, 200, 150);

// One twm-managed screen for the whole suite: starting it is most of the time the tests take.
class ScreenCapture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_server = new TestXServer(640, 480);
        if (!s_server->Ready()) return;
        s_red = s_server->AddWindow(kRedClient.x(), kRedClient.y(), kRedClient.width(), kRedClient.height(), kRed,
                                    QStringLiteral("Red window ") + QString(120, QLatin1Char('x')));
        s_hidden = s_server->AddWindow(400, 300, 50, 50, 0x0000ff, QStringLiteral("Hidden"), true);
    }
    static void TearDownTestSuite() { delete s_server; }
    void SetUp() override {
        if (!s_server->Ready()) GTEST_SKIP() << "no Xvfb with twm here";
    }

    static QImage Import() {
        QProcess import;
        import.start(QStringLiteral("import"), {QStringLiteral("-display"), s_server->Display(), QStringLiteral("-window"),
                                                QStringLiteral("root"), QStringLiteral("png:-")});
        import.waitForFinished(20000);
        return QImage::fromData(import.readAllStandardOutput()).convertToFormat(QImage::Format_RGB32);
    }
    static QImage Shown(const CImageObject& picture) { return picture.MakeBitmap().convertToFormat(QImage::Format_RGB32); }
    // Empty when A and B hold the same pixels, else where they first differ.
    static std::string Difference(const QImage& a, const QImage& b) {
        if (a.size() != b.size())
            return QStringLiteral("%1x%2 against %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height()).toStdString();
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    return QStringLiteral("at %1,%2: %3 against %4").arg(x).arg(y).arg(a.pixel(x, y), 0, 16).arg(b.pixel(x, y), 0, 16).toStdString();
        return {};
    }

    ProgramRun Cli(const QStringList& args) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), s_server->Display());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ALBORA_CLI_PATH), args);
        process.waitForFinished(30000);
        return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
    }
    QJsonArray Cards(const QString& album) const {
        return QJsonDocument::fromJson(Cli({"album", "show", album, "--json"}).out).object()["cards"].toArray();
    }

    static inline TestXServer* s_server = nullptr;
    static inline std::uint32_t s_red = 0;
    static inline std::uint32_t s_hidden = 0;
};

TEST_F(ScreenCapture, DesktopAndRectangleAreWhatTheScreenShows) {
    XcbScreen screen(s_server->Display());
    ASSERT_TRUE(screen.IsOpen()) << screen.Error().toStdString();
    const QImage expected = Import();
    ASSERT_FALSE(expected.isNull());

    CImageObject desktop;
    ASSERT_EQ(screen.GrabScreen(desktop), XcbScreen::kGrabbed);
    EXPECT_EQ(desktop.GetBitsPerPixel(), 24);
    EXPECT_EQ(Difference(Shown(desktop), expected), "");

    CImageObject rectangle;
    ASSERT_EQ(screen.GrabRectangle(QRect(30, 40, 101, 77), rectangle), XcbScreen::kGrabbed);
    EXPECT_EQ(Difference(Shown(rectangle), expected.copy(30, 40, 101, 77)), "");
    // Off the edge only what is on the screen; nothing on it is a failed grab.
    ASSERT_EQ(screen.GrabRectangle(QRect(600, 450, 100, 100), rectangle), XcbScreen::kGrabbed);
    EXPECT_EQ(Difference(Shown(rectangle), expected.copy(600, 450, 40, 30)), "");
    EXPECT_EQ(screen.GrabRectangle(QRect(700, 0, 10, 10), rectangle), XcbScreen::kGrabFailed);
}

TEST_F(ScreenCapture, ClientAreaIsTheWindowAndTheWholeWindowAddsTheFrame) {
    XcbScreen screen(s_server->Display());
    const QPoint inside = kRedClient.center();  // twm adds its title above, still over the window
    const XcbScreen::Window frame = screen.TopLevelAt(inside);
    EXPECT_NE(frame, s_red);
    EXPECT_EQ(screen.ClientOf(frame), s_red);
    EXPECT_EQ(screen.FrameOf(s_red), frame);
    EXPECT_EQ(screen.Title(frame), (QStringLiteral("Red window ") + QString(120, QLatin1Char('x'))).left(100));

    CImageObject client;
    ASSERT_EQ(screen.GrabWindowAt(inside, XcbScreen::WindowPart::Client, client), XcbScreen::kGrabbed);
    QImage red(kRedClient.size(), QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    EXPECT_EQ(Difference(Shown(client), red), "");

    CImageObject whole;
    ASSERT_EQ(screen.GrabWindow(s_red, XcbScreen::WindowPart::Whole, whole), XcbScreen::kGrabbed);
    const QRect frameArea = screen.Area(frame, XcbScreen::WindowPart::Whole);
    const QRect clientArea = screen.Area(s_red, XcbScreen::WindowPart::Client);
    EXPECT_EQ(clientArea.size(), kRedClient.size());
    EXPECT_TRUE(frameArea.contains(clientArea) && frameArea != clientArea);
    EXPECT_EQ(Shown(whole).size(), frameArea.size());
    EXPECT_EQ(Difference(Shown(whole).copy(clientArea.translated(-frameArea.topLeft())), red), "");

    // Over the background the desktop itself is the window.
    EXPECT_EQ(screen.TopLevelAt(QPoint(600, 20)), screen.Root());
    CImageObject desktop;
    ASSERT_EQ(screen.GrabWindowAt(QPoint(600, 20), XcbScreen::WindowPart::Whole, desktop), XcbScreen::kGrabbed);
    EXPECT_EQ(desktop.GetWidth(), 640);
}

TEST_F(ScreenCapture, AWindowNotOnTheScreenGivesNothing) {
    XcbScreen screen(s_server->Display());
    CImageObject picture;
    EXPECT_EQ(screen.GrabWindow(s_hidden, XcbScreen::WindowPart::Whole, picture), XcbScreen::kNothingPicked);
    EXPECT_EQ(screen.GrabWindow(0x7fffff0, XcbScreen::WindowPart::Client, picture), XcbScreen::kNothingPicked);
    EXPECT_FALSE(picture.IsValid());
    EXPECT_FALSE(XcbScreen(QStringLiteral(":999")).IsOpen());
}

TEST_F(ScreenCapture, CliAddsACardOnlyForAPictureWritten) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    const ProgramRun client = Cli({"capture", "screen", "a.crp", "--client", QString::number(s_red)});
    ASSERT_EQ(client.code, 0) << client.err.toStdString();
    CImageObject written;
    ASSERT_TRUE(written.Load(dir.Path("IMG_0000.bmp")));
    EXPECT_EQ(QSize(written.GetWidth(), written.GetHeight()), kRedClient.size());

    const ProgramRun hidden =
        Cli({"capture", "screen", "a.crp", "--window", QStringLiteral("0x%1").arg(s_hidden, 0, 16)});
    EXPECT_EQ(hidden.code, 1);
    EXPECT_FALSE(QFile::exists(dir.Path("IMG_0001.bmp")));
    EXPECT_EQ(Cli({"capture", "screen", "a.crp", "--rect", "1,2,3"}).code, 2);
    EXPECT_EQ(Cards("a.crp").size(), 1);

    // A JPEG that cannot be written leaves no card and no file, and keeps the captured bitmap.
    QDir().mkdir(QStringLiteral("~IMG_0000.jpg"));
    const ProgramRun failed = Cli({"capture", "screen", "a.crp", "--rect", "0,0,64,48", "--jpg"});
    EXPECT_EQ(failed.code, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("JPEG Convertion Error: IMG_0000.jpg\n"))) << failed.err.toStdString();
    const QStringList kept = QDir().entryList({QStringLiteral("tempfoto*.bmp")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(failed.err.contains(kept[0]));
    EXPECT_FALSE(QFile::exists(dir.Path("IMG_0000.jpg")));
    EXPECT_EQ(Cards("a.crp").size(), 1);

    QDir().rmdir(QStringLiteral("~IMG_0000.jpg"));
    ASSERT_EQ(Cli({"capture", "screen", "a.crp", "--window-at", "100,100", "--jpg", "--quality", "90"}).code, 0);
    EXPECT_TRUE(QFile::exists(dir.Path("IMG_0000.jpg")));
    EXPECT_EQ(QDir().entryList({QStringLiteral("tempfoto*.bmp")}).size(), 1);  // only the kept one
    EXPECT_EQ(Cards("a.crp").size(), 2);
}

TEST(ScreenCaptureAvailability, IsNotOfferedWhereTheScreenCannotBeRead) {
    const QByteArray display = qgetenv("DISPLAY");
    QString why;
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_FALSE(ScreenCaptureAvailable(&why));
    EXPECT_TRUE(why.contains(QStringLiteral("Wayland"))) << why.toStdString();
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":999");
    EXPECT_FALSE(ScreenCaptureAvailable(&why));
    EXPECT_TRUE(why.contains(QStringLiteral(":999"))) << why.toStdString();
    qputenv("DISPLAY", display);
}

}  // namespace
