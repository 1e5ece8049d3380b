#include "TestFiles.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/ui/ScreenCaptureDevice.h"
#include "capture/ui/ScreenCaptureDialog.h"
#include "image/CImageObject.h"
#include "platform/HeadlessUi.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The dialog grabs the display the test runs on (xvfb-run's): no window manager is needed for
// the desktop, and there a window is its own frame.
struct Fixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
};

TEST(ScreenDialog, ADesktopPictureCountsOnlyWhenItsFileIsWritten) {
    Fixture f;
    f.settings.flgJPG = 1;
    f.settings.FastTempPath = f.dir.Path();
    // The JPEG's "~" file cannot be made where a folder has its name.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("~IMG_0000.jpg")));
    ScreenCaptureDevice device(f.doc, f.ui, nullptr);
    ASSERT_TRUE(device.Activate());
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = dynamic_cast<ScreenCaptureDialog*>(top)) dialog->Capture(ScreenCaptureDialog::Mode::Desktop);
    });
    const CaptureOutcome failed = device.Take(QStringLiteral("IMG_0000.jpg"));
    EXPECT_EQ(failed.status, CaptureOutcome::Status::Failed);
    EXPECT_TRUE(failed.files.isEmpty());
    EXPECT_TRUE(f.ui.LastMessage().startsWith(QStringLiteral("JPEG Convertion Error: IMG_0000.jpg\n")))
        << f.ui.LastMessage().toStdString();
    const QStringList kept = QDir().entryList({QStringLiteral("tempfoto*.bmp")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(f.ui.LastMessage().contains(kept[0]));

    QDir().rmdir(QStringLiteral("~IMG_0000.jpg"));
    f.settings.screenDelay = 0;
    ScreenCaptureDialog dialog(f.doc, f.ui, nullptr, QStringLiteral("IMG_0000.jpg"));
    QTimer::singleShot(0, [&dialog] { dialog.Capture(ScreenCaptureDialog::Mode::Desktop); });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    CImageObject written;
    ASSERT_TRUE(written.Load(f.dir.Path("IMG_0000.jpg")));
    EXPECT_EQ(QSize(written.GetWidth(), written.GetHeight()), QGuiApplication::primaryScreen()->virtualSize());
}

TEST(ScreenDialog, TheWindowPickTakesTheWindowUnderTheRelease) {
    Fixture f;
    QWidget target;
    target.setStyleSheet(QStringLiteral("background: #00ff00"));
    target.setGeometry(100, 120, 160, 90);
    target.show();
    ASSERT_TRUE(WaitFor([&] { return target.isVisible(); }));
    WaitFor([] { return false; }, 300);
    ScreenCaptureDialog dialog(f.doc, f.ui, nullptr, QStringLiteral("IMG_0000.bmp"));
    // The pointer is held by then; xdotool is the user's hand.
    QTimer::singleShot(0, [&dialog] { dialog.Capture(ScreenCaptureDialog::Mode::ClientArea); });
    QTimer::singleShot(800, [] {
        QProcess::execute(QStringLiteral("xdotool"), {"mousemove", "150", "160", "sleep", "0.2", "click", "1"});
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    CImageObject written;
    ASSERT_TRUE(written.Load(f.dir.Path("IMG_0000.bmp")));
    EXPECT_EQ(QSize(written.GetWidth(), written.GetHeight()), QSize(160, 90));
    std::uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(written.GetPixelColor(80, 45, r, g, b));
    EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(0, 255, 0));
}

TEST(ScreenDialog, TheRightButtonDragsTheRectangle) {
    Fixture f;
    ScreenCaptureDialog dialog(f.doc, f.ui, nullptr, QStringLiteral("IMG_0000.bmp"));
    QTimer::singleShot(0, [&dialog] { dialog.Capture(ScreenCaptureDialog::Mode::Rectangle); });
    QTimer::singleShot(800, [] {
        QProcess::execute(QStringLiteral("xdotool"), {"mousemove", "40", "50", "sleep", "0.1", "mousedown", "3",
                                                      "mousemove", "100", "90", "sleep", "0.1", "mousemove", "141",
                                                      "127", "sleep", "0.1", "mouseup", "3"});
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    CImageObject written;
    ASSERT_TRUE(written.Load(f.dir.Path("IMG_0000.bmp")));
    EXPECT_EQ(QSize(written.GetWidth(), written.GetHeight()), QSize(101, 77));
    EXPECT_EQ(dialog.findChildren<QLabel*>().last()->text(), QStringLiteral("[40, 50, 141, 127] [101 x 77]"));

    // A left click before any rectangle ends the pick with nothing.
    ScreenCaptureDialog nothing(f.doc, f.ui, nullptr, QStringLiteral("IMG_0001.bmp"));
    QTimer::singleShot(0, [&nothing] { nothing.Capture(ScreenCaptureDialog::Mode::Rectangle); });
    QTimer::singleShot(800, [] { QProcess::execute(QStringLiteral("xdotool"), {"click", "1"}); });
    EXPECT_EQ(nothing.exec(), QDialog::Rejected);
    EXPECT_FALSE(nothing.Failed());
    EXPECT_FALSE(QFile::exists(f.dir.Path("IMG_0001.bmp")));
}

}  // namespace
