// The capture commands in the main window: the device choice, F4 and F5 following it, the
// detection report, and the Images properties sheet.
#include "FrameFixture.h"
#include "TestFiles.h"

#include "capture/CaptureDevice.h"
#include "capture/ui/DetectionDialog.h"
#include "capture/ui/OverlayWindow.h"
#include "capture/ui/VideoWindow.h"
#include "platform/CommandIds.h"
#include "platform/media/VideoSources.h"
#include "shell/StatusBarWithProgress.h"
#include "shell/options/ImagePropertiesSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

TEST(CaptureMenu, TheChosenDeviceIsCheckedAndPhotoScanIsOffWithoutOne) {
    FrameFixture f;
    f.settings.hardCapture = CaptureKind::None;
    const CommandRouter& router = f.frame->Router();
    EXPECT_FALSE(router.Update(Cmd::PhotoScan).enabled);
    EXPECT_FALSE(router.Update(Cmd::ActivateDevice).enabled);
    EXPECT_TRUE(router.Update(Cmd::CaptureNone).checked);

    router.Execute(Cmd::CaptureScreen);
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::Screen);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(2), "Screen");
    EXPECT_TRUE(router.Update(Cmd::CaptureScreen).checked);
    EXPECT_FALSE(router.Update(Cmd::CaptureNone).checked);
    EXPECT_TRUE(router.Update(Cmd::PhotoScan).enabled);
    EXPECT_TRUE(router.Update(Cmd::ActivateDevice).enabled);

    router.Execute(Cmd::CaptureNone);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(2), "None");
    EXPECT_FALSE(router.Update(Cmd::PhotoScan).enabled);
}

TEST(CaptureMenu, TheScreenIsNotOfferedWhereItCannotBeRead) {
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    FrameFixture f;
    const bool offered = f.frame->Router().Update(Cmd::CaptureScreen).enabled;
    qunsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(offered);
    FrameFixture x11;
    EXPECT_TRUE(x11.frame->Router().Update(Cmd::CaptureScreen).enabled);
}

// The probe runs against SANE's test scanner, so the report names one.
TEST(CaptureMenu, TheDetectionReportFillsInWhenTheProbeHasAnswered) {
    qputenv("SANE_CONFIG_DIR", ALBORA_TESTS_DIR "/capture/sane");
    FrameFixture f;
    QString report;
    bool scannerChecked = true, screenChecked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = f.frame->findChild<DetectionDialog*>();
        ASSERT_NE(dialog, nullptr);
        auto* text = dialog->findChild<QPlainTextEdit*>();
        EXPECT_TRUE(WaitFor([&] { return text->toPlainText().startsWith("Report:"); }));
        report = text->toPlainText();
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
            if (box->text() == "Twain compatible scanner") scannerChecked = box->isChecked();
            if (box->text() == "Screen capture") screenChecked = box->isChecked();
        }
        dialog->accept();
    });
    f.frame->Router().Execute(Cmd::HardwareDetection);
    EXPECT_TRUE(report.contains("- you will be able to capture screen images.\n"));
    EXPECT_TRUE(report.contains("Colors: True colors\n"));  // Xvfb runs at 24 bits here
    EXPECT_TRUE(screenChecked);
    EXPECT_TRUE(scannerChecked);
    EXPECT_TRUE(report.contains("- you will be able to capture single images from scanner sources.\n"));
}

TEST(CaptureMenu, GeneralOptionsOffersTheScannersSourceChoice) {
    qputenv("SANE_CONFIG_DIR", ALBORA_TESTS_DIR "/capture/sane");
    FrameFixture f;
    bool selectEnabled = false;
    QTimer::singleShot(0, [&] {
        QWidget* sheet = QApplication::activeModalWidget();
        ASSERT_TRUE(sheet);
        auto* select = sheet->findChild<QPushButton*>(QStringLiteral("selectSource"));
        ASSERT_TRUE(select);
        selectEnabled = select->isEnabled();
        static_cast<QDialog*>(sheet)->reject();
    });
    f.frame->Router().Execute(Cmd::GeneralOptions);
    EXPECT_TRUE(selectEnabled);
}

TEST(CaptureMenu, ThePropertiesSheetEditsTheImageSettingsAlone) {
    FrameFixture f;
    f.settings.flgJPG = 0;
    f.settings.NombreFoto = "IMG_%04d";
    QTimer::singleShot(0, [&] {
        auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->windowTitle(), "Properties");
        auto* jpeg = sheet->findChild<QCheckBox*>("flgJPG");
        auto* prefix = sheet->findChild<QComboBox*>("NombreFoto");
        ASSERT_TRUE(jpeg && prefix);
        jpeg->setChecked(true);
        prefix->setEditText("Scan_%03d");
        sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(EditImageProperties(f.settings, *f.ui, f.frame));
    EXPECT_EQ(f.settings.flgJPG, 1);
    EXPECT_EQ(f.settings.NombreFoto, "Scan_%03d");
}

// A camera stands in as GStreamer's test source, so the device runs as it would on a real one.
TEST(CaptureMenu, VideoForWindowsShowsTheCameraAndPhotoScanMakesACardOfAFrame) {
    ScopedTestDir dir;
    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true pattern=smpte");
    FrameFixture f;
    f.settings.flgJPG = 0;
    f.settings.flgAutoInsert = 1;
    f.settings.flgAutoEdita = 0;
    const CommandRouter& router = f.frame->Router();
    router.Execute(Cmd::CaptureVideoForWindows);
    auto* window = f.frame->findChild<VideoWindow*>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(router.Update(Cmd::CaptureVideoForWindows).checked);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(2), "VfW");
    EXPECT_EQ(f.frame->StatusBar()->PaneText(0), "Device VFW active");
    EXPECT_TRUE(WaitFor([&] { return window->windowTitle() == "Video [320x240]"; }));
    router.Execute(Cmd::ActivateDevice);  // F4 toggles the window
    EXPECT_FALSE(window->isVisible());
    router.Execute(Cmd::ActivateDevice);
    EXPECT_TRUE(window->isVisible());

    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        title = dialog->windowTitle();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    router.Execute(Cmd::PhotoScan);
    qunsetenv("ALBORA_VIDEO_SOURCE");
    EXPECT_EQ(title, "Video Photo: Capture");
    ASSERT_EQ(f.doc->Db().GetCount(), 1);
    EXPECT_EQ(QImage(dir.Path("IMG_0000.bmp")).size(), QSize(320, 240));
}

TEST(CaptureMenu, VideoForWindowsWithoutACameraSaysSoAndFallsBackToNone) {
    qputenv("ALBORA_VIDEO_SOURCE", "v4l2src device=/dev/no-such-camera");
    FrameFixture f;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        title = dialog->windowTitle();
        dialog->reject();
    });
    f.frame->Router().Execute(Cmd::CaptureVideoForWindows);
    qunsetenv("ALBORA_VIDEO_SOURCE");
    EXPECT_EQ(title, "Video for Windows Initialization Error");
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::None);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(2), "None");
}

TEST(CaptureMenu, CaptureVideoRecordsASequenceAndSavesItAsACard) {
    ScopedTestDir dir;
    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true pattern=smpte");
    FrameFixture f;
    f.settings.flgAutoInsert = 1;
    f.settings.flgAutoEdita = 0;
    f.settings.FastTempPath = dir.Path();
    const CommandRouter& router = f.frame->Router();
    EXPECT_FALSE(router.Update(Cmd::CaptureVideo).enabled);
    router.Execute(Cmd::CaptureVideoForWindows);
    EXPECT_TRUE(router.Update(Cmd::CaptureVideo).enabled);

    // The dialogs in turn: the file, the recording (stopped by a click), the question to save.
    QStringList seen;
    QTimer script;
    QElapsedTimer recording;
    QObject::connect(&script, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            seen << box->text();
            box->button(QMessageBox::Yes)->click();
        } else if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
            seen << dialog->windowTitle();
            buttons->button(QDialogButtonBox::Ok)->click();
        } else if (!recording.isValid()) {
            seen << dialog->windowTitle();
            recording.start();
        } else if (recording.elapsed() > 1000) {
            QTest::mouseClick(dialog, Qt::LeftButton);
        }
    });
    script.start(50);
    router.Execute(Cmd::CaptureVideo);
    script.stop();
    qunsetenv("ALBORA_VIDEO_SOURCE");
    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(seen[0], "Video Sequence: Capture");
    EXPECT_EQ(seen[1], "Video Sequence: Capture");
    EXPECT_EQ(seen[2], "Captured sequence!\n\nSaving sequence:\nIMG_0000.avi?");
    ASSERT_EQ(f.doc->Db().GetCount(), 1);
    const ProgramRun probe = RunProgram("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0",
                                                    dir.Path("IMG_0000.avi")});
    EXPECT_EQ(probe.out.trimmed(), "mjpeg");
    EXPECT_TRUE(f.frame->findChild<VideoWindow*>()->IsConnected());  // the live picture is back
}

// The overlay's picture is saved where the dialog says, in its fixed format, and makes no card.
TEST(CaptureMenu, TheOverlayShowsItsWindowAndPhotoScanSavesItsPictureWithoutACard) {
    ScopedTestDir dir;
    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true pattern=smpte");
    FrameFixture f;
    f.settings.GrabaFormato = "BMP type DIB 24-bit";
    f.settings.flgAutoInsert = 1;
    f.settings.flgAutoEdita = 0;
    const CommandRouter& router = f.frame->Router();
    router.Execute(Cmd::CaptureOverlay);
    auto* window = f.frame->findChild<OverlayWindow*>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Controller().IsOpen());
    EXPECT_TRUE(router.Update(Cmd::CaptureOverlay).checked);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(2), "MCI Overlay");

    QString title, format;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        title = dialog->windowTitle();
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->text().startsWith("BMP")) format = label->text();
        dialog->findChild<QLineEdit*>("file")->setText("my shot.bmp");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    router.Execute(Cmd::PhotoScan);
    qunsetenv("ALBORA_VIDEO_SOURCE");
    EXPECT_EQ(title, "Video Photo: Capture");
    EXPECT_EQ(format, "BMP type DIB 24-bit");
    EXPECT_EQ(QImage(dir.Path("my shot.bmp")).size(), QSize(320, 240));
    EXPECT_EQ(f.doc->Db().GetCount(), 0);
}

TEST(CaptureMenu, AnOverlayThatCannotOpenFallsBackToNone) {
    qputenv("ALBORA_VIDEO_SOURCE", "v4l2src device=/dev/no-such-camera");
    FrameFixture f;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        text = box->text();
        box->accept();
    });
    f.frame->Router().Execute(Cmd::CaptureOverlay);
    qunsetenv("ALBORA_VIDEO_SOURCE");
    EXPECT_TRUE(text.startsWith("Error:\nCan't open the video device.")) << text.toStdString();
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::None);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(2), "None");
    EXPECT_FALSE(f.frame->findChild<OverlayWindow*>()->isVisible());
}

TEST(CaptureMenu, WithoutAVideoSourceTheOverlayAsksFirst) {
    if (!ListVideoSources().empty()) GTEST_SKIP() << "this computer has a camera";
    FrameFixture f;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        text = box->text();
        box->button(QMessageBox::No)->click();
    });
    f.frame->Router().Execute(Cmd::CaptureOverlay);
    EXPECT_EQ(text, "Error:\nCan't detect video overlay in our system!\nReinstall all video overlay software and "
                    "hardware and try again.\n\nContinue?");
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::None);
    EXPECT_EQ(f.frame->findChild<OverlayWindow*>(), nullptr);
}
