// The LiveCam's ticks: pictures replaced whole, failures counted to the limit and reset by a
// success, and albora-cli livecam serving what it writes.
#include "TestFiles.h"

#include "capture/LiveCam.h"
#include "capture/LiveCamServer.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTcpSocket>

namespace {

// A camera that sends a new frame for every tick.
std::optional<CImageObject> NewFrame(quint64& number) {
    CImageObject frame;
    frame.Create(64, 48, 24);
    ++number;
    return frame;
}

// Runs one tick and waits for its answer; whether the picture was written.
bool TickOnce(LiveCam& liveCam) {
    bool done = false, written = false;
    const auto connection = QObject::connect(&liveCam, &LiveCam::TickDone, [&](const QByteArray& jpeg) {
        done = true;
        written = !jpeg.isEmpty();
    });
    liveCam.Tick();
    EXPECT_TRUE(WaitFor([&] { return done; }));
    QObject::disconnect(connection);
    return written;
}

TEST(LiveCam, TheFiftyFirstFailureInARowStopsItAndASuccessStartsTheCountAgain) {
    ScopedTestDir dir;
    HeadlessUi ui;
    dir.Write("blocked", "a file where the picture's folder should be");
    LiveCam liveCam(NewFrame, ui);
    bool gaveUp = false;
    QObject::connect(&liveCam, &LiveCam::GaveUp, [&] { gaveUp = true; });
    liveCam.Begin({QStringLiteral("blocked/livecam.jpg"), 3600000, 50});

    for (int i = 0; i < 30; ++i) ASSERT_FALSE(TickOnce(liveCam));
    EXPECT_EQ(ui.StatusText(0), "Error: Convert JPEG LiveCamWebServer! (#30)");
    QFile::remove(dir.Path("blocked"));
    QDir(dir.Path()).mkdir("blocked");
    EXPECT_TRUE(TickOnce(liveCam));
    EXPECT_EQ(liveCam.Errors(), 0);
    EXPECT_EQ(ui.StatusText(0), "LiveCamWebServer: image capture OK");
    EXPECT_EQ(QImage(dir.Path("blocked/livecam.jpg")).size(), QSize(64, 48));

    QDir(dir.Path("blocked")).removeRecursively();
    dir.Write("blocked", "blocked again");
    for (int i = 0; i < 50; ++i) ASSERT_FALSE(TickOnce(liveCam));
    EXPECT_TRUE(liveCam.IsRunning());
    EXPECT_FALSE(gaveUp);
    EXPECT_FALSE(TickOnce(liveCam));
    EXPECT_FALSE(liveCam.IsRunning());
    EXPECT_TRUE(gaveUp);
    EXPECT_EQ(ui.LastMessage(), "Error:\nLiveCamWebServer, can't continue!\nMax errors!");
}

TEST(LiveCam, NoCameraIsNoTickAndNoFailure) {
    ScopedTestDir dir;
    HeadlessUi ui;
    bool ticked = false;
    LiveCam liveCam([](quint64&) { return std::nullopt; }, ui);
    QObject::connect(&liveCam, &LiveCam::TickDone, [&] { ticked = true; });
    liveCam.Begin({});
    liveCam.Tick();
    QCoreApplication::processEvents();
    EXPECT_FALSE(ticked);
    EXPECT_EQ(liveCam.Errors(), 0);
}

// The whole reply to GET PATH from the LiveCam at PORT, which may be in another process.
QByteArray Request(quint16 port, const QByteArray& path) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!WaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 3000)) return {};
    socket.write("GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    QByteArray reply;
    WaitFor([&] {
        reply += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    }, 3000);
    return reply + socket.readAll();
}

// A camera that has stopped sending (unplugged, its stream closed) fails every tick, to the limit,
// and the server it feeds has no live picture meanwhile.
TEST(LiveCam, NoNewFrameIsAFailureAndLeavesNoLivePicture) {
    ScopedTestDir dir;
    HeadlessUi ui;
    bool sending = true;
    LiveCam liveCam(
        [&](quint64& number) -> std::optional<CImageObject> {
            if (!sending) return CImageObject();
            return NewFrame(number);
        },
        ui);
    LiveCamServer server;
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0));
    server.Follow(liveCam);
    bool gaveUp = false;
    QObject::connect(&liveCam, &LiveCam::GaveUp, [&] { gaveUp = true; });
    liveCam.Begin({QStringLiteral("livecam.jpg"), 3600000, 3});

    ASSERT_TRUE(TickOnce(liveCam));
    EXPECT_TRUE(Request(server.Port(), "/livecam.jpg").startsWith("HTTP/1.1 200 OK"));
    sending = false;
    for (int i = 1; i <= 3; ++i) EXPECT_FALSE(TickOnce(liveCam));
    EXPECT_EQ(ui.StatusText(0), "Error: No new picture for LiveCamWebServer! (#3)");
    EXPECT_TRUE(Request(server.Port(), "/livecam.jpg").startsWith("HTTP/1.1 503"));
    EXPECT_TRUE(liveCam.IsRunning());
    EXPECT_FALSE(TickOnce(liveCam));
    EXPECT_TRUE(gaveUp);
    EXPECT_EQ(ui.LastMessage(), "Error:\nLiveCamWebServer, can't continue!\nMax errors!");
}

// GET PATH from the LiveCam at PORT; the body of a 200 reply.
QByteArray Fetch(quint16 port, const QByteArray& path) {
    const QByteArray reply = Request(port, path);
    if (!reply.startsWith("HTTP/1.1 200")) return {};
    return reply.mid(reply.indexOf("\r\n\r\n") + 4);
}

TEST(LiveCamCli, ServesWholePicturesWhileItTicksAndWritesTheTestPage) {
    ScopedTestDir dir;
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true");
    cli.setProcessEnvironment(environment);
    cli.start(ALBORA_CLI_PATH, {"livecam", dir.Path(), "--rate", "50", "--ticks", "40", "--serve", "127.0.0.1:0",
                                "--test-page", dir.Path("index.htm")});
    ASSERT_TRUE(cli.waitForReadyRead(10000));
    const QString first = QString::fromUtf8(cli.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("LiveCam: http://127.0.0.1:")) << first.toStdString();
    const auto port = quint16(first.section(':', 3).section('/', 0, 0).toUInt());
    EXPECT_EQ(Fetch(port, "/index.htm"), LiveCamTestPage());
    // Reads while it ticks: each a whole picture, once the first is there.
    int pictures = 0;
    for (int i = 0; i < 200 && pictures < 10; ++i) {
        const QByteArray jpeg = Fetch(port, "/livecam.jpg");
        if (jpeg.isEmpty()) {
            QThread::msleep(20);
            continue;
        }
        EXPECT_EQ(QImage::fromData(jpeg).size(), QSize(320, 240));
        ++pictures;
    }
    EXPECT_EQ(pictures, 10);
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(ReadAll(dir.Path("index.htm")), LiveCamTestPage());
    EXPECT_EQ(QImage(dir.Path("livecam.jpg")).size(), QSize(320, 240));

    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true");
    const ProgramRun failing = Cli({"livecam", dir.Path(), "--rate", "5", "--image", "index.htm/x.jpg", "--max-errors", "2"});
    qunsetenv("ALBORA_VIDEO_SOURCE");
    EXPECT_EQ(failing.code, 1);
    EXPECT_TRUE(failing.err.contains("Max errors!")) << failing.err.toStdString();
}

// A source that ends: its last picture is not served as a live one, and the LiveCam gives up
// saying why.
TEST(LiveCamCli, ACameraThatStopsIsNoLivePicture) {
    ScopedTestDir dir;
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true num-buffers=30");
    cli.setProcessEnvironment(environment);
    cli.start(ALBORA_CLI_PATH, {"livecam", dir.Path(), "--rate", "20", "--ticks", "200", "--max-errors", "40",
                                "--serve", "127.0.0.1:0"});
    ASSERT_TRUE(cli.waitForReadyRead(10000));
    const QString first = QString::fromUtf8(cli.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("LiveCam: http://127.0.0.1:")) << first.toStdString();
    const auto port = quint16(first.section(':', 3).section('/', 0, 0).toUInt());
    // A picture while it sends, none once it has stopped.
    const auto answers = [&](const QByteArray& status) {
        for (int i = 0; i < 200 && cli.state() == QProcess::Running; ++i) {
            if (Request(port, "/livecam.jpg").startsWith("HTTP/1.1 " + status)) return true;
            QThread::msleep(20);
        }
        return false;
    };
    EXPECT_TRUE(answers("200"));
    EXPECT_TRUE(answers("503"));
    ASSERT_TRUE(cli.waitForFinished(20000));
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_EQ(cli.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("Max errors!")) << err.toStdString();
    EXPECT_TRUE(err.contains("the source stopped sending pictures")) << err.toStdString();
}

}  // namespace
