// The Video for Windows window's own commands, the LiveCam and Autophoto, with GStreamer's test
// source standing where a camera would.
#include "DialogAnswers.h"
#include "FrameFixture.h"
#include "TestFiles.h"

#include "capture/CaptureDevice.h"
#include "capture/LiveCamServer.h"
#include "capture/ui/Autophoto.h"
#include "capture/ui/CaptureCommands.h"
#include "capture/ui/VfwCaptureDevice.h"
#include "capture/ui/VideoWindow.h"
#include "capture/video/SequenceRecorder.h"
#include "capture/video/VideoModes.h"
#include "image/PaletteFile.h"
#include "platform/CommandIds.h"
#include "shell/StatusBarWithProgress.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTcpSocket>

namespace {

// The main window with the camera chosen and its window up.
struct CameraFixture : FrameFixture {
    CameraFixture() {
        qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true pattern=smpte");
        frame->Router().Execute(Cmd::CaptureVideoForWindows);
        window = frame->findChild<VideoWindow*>();
        EXPECT_TRUE(window && window->IsConnected());
        EXPECT_TRUE(WaitFor([&] { return window->windowTitle() == "Video [320x240]"; }));
    }
    ~CameraFixture() { qunsetenv("ALBORA_VIDEO_SOURCE"); }

    VfwCaptureDevice& Device() {
        return *dynamic_cast<VfwCaptureDevice*>(session->capture->Pipeline().Current());
    }
    const CommandRouter& Router() const { return frame->Router(); }

    QPointer<VideoWindow> window;
};

QAbstractButton* Button(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->text() == text) return button;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

void PressOk(QDialog* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

}  // namespace

TEST(VideoWindow, ItsCommandsWaitForTheCameraAndFollowIt) {
    {
        FrameFixture idle;
        EXPECT_FALSE(idle.frame->Router().Update(Cmd::VfwPreview).enabled);
        EXPECT_FALSE(idle.frame->Router().Update(Cmd::LiveCamServer).enabled);
    }

    CameraFixture f;
    EXPECT_TRUE(f.Router().Update(Cmd::VfwPreview).checked);
    f.Router().Execute(Cmd::VfwPreview);
    EXPECT_FALSE(f.window->Previewing());
    f.Router().Execute(Cmd::VfwOverlay);  // no camera here has an overlay: the preview stands for it
    EXPECT_TRUE(f.window->Previewing());
    f.Router().Execute(Cmd::VfwStretch);
    EXPECT_TRUE(f.Router().Update(Cmd::VfwStretch).checked);
    QString text;
    ReadMessage(text);
    f.Router().Execute(Cmd::VfwVideoDisplay);
    EXPECT_EQ(text, "This device don't support Video Display setup!");
}

TEST(VideoWindow, ClosingItWhileOneOfItsDialogsIsOpenIsRefused) {
    CameraFixture f;
    QString refusal;
    bool stillThere = false;
    OnNext([&](QDialog* configuration) {
        EXPECT_EQ(configuration->windowTitle(), "Video capture configuration");
        ReadMessage(refusal);
        f.window->close();
        stillThere = f.window && f.window->isVisible();
        configuration->reject();
    });
    f.Router().Execute(Cmd::VfwConfigure);
    EXPECT_EQ(refusal, "Close all dialog box before exit!");
    EXPECT_TRUE(stillThere);
    // Free of dialogs it closes, and lets the camera go with it.
    f.window->close();
    EXPECT_TRUE(WaitFor([&] { return f.window.isNull(); }));
    EXPECT_FALSE(f.Router().Update(Cmd::VfwPreview).enabled);
}

// The overlay shows the same camera: choosing it must not find the camera held by the window.
TEST(VideoWindow, ChoosingAnotherDeviceLetsTheCameraGoAndComingBackTakesItAgain) {
    CameraFixture f;
    QString stray;
    QTimer::singleShot(3000, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            stray = box->text();
            box->close();
        }
    });
    f.Router().Execute(Cmd::CaptureOverlay);
    EXPECT_EQ(stray, "");
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::Overlay);
    EXPECT_FALSE(f.window->IsConnected());
    EXPECT_FALSE(f.window->isVisible());
    f.Router().Execute(Cmd::CaptureVideoForWindows);
    EXPECT_TRUE(f.window->IsConnected());
    EXPECT_TRUE(f.window->isVisible());
}

TEST(VideoWindow, TheFormatAndSourceDialogsChangeTheCamera) {
    CameraFixture f;
    OnNext([](QDialog* format) {
        EXPECT_EQ(format->windowTitle(), "Video Format");
        auto* encoding = format->findChild<QComboBox*>("encoding");
        encoding->setCurrentIndex(encoding->findText("YUY2"));
        auto* size = format->findChild<QComboBox*>("size");
        size->setCurrentIndex(size->findText("640 x 480"));
        PressOk(format);
    });
    f.Router().Execute(Cmd::VfwVideoFormat);
    EXPECT_EQ(EncodingName(f.window->Format().encoding), "YUY2");
    EXPECT_TRUE(WaitFor([&] { return f.window->windowTitle() == "Video [640x480]"; }));

    // The controls act on the live picture; Cancel puts them back.
    const auto brightness = [&] {
        for (const BalanceChannel& c : f.window->Camera().Balance())
            if (c.label == "brightness") return c.value;
        return -12345;
    };
    const int before = brightness();
    int during = before;
    OnNext([&](QDialog* source) {
        EXPECT_EQ(source->windowTitle(), "Video Source");
        auto* slider = source->findChild<QSlider*>("brightness");
        ASSERT_TRUE(slider);
        slider->setValue(slider->minimum());
        during = brightness();
        source->reject();
    });
    f.Router().Execute(Cmd::VfwVideoSource);
    EXPECT_NE(during, before);
    EXPECT_EQ(brightness(), before);
}

// With hardware play the camera is let go while the sequence plays and the same one comes back.
TEST(VideoWindow, TheCaptureFileIsReservedAndPlaysBackInTheWindow) {
    ScopedTestDir dir;
    CameraFixture f;
    const QString captureFile = dir.Path("my capture.avi");
    OnNext([&](QDialog* configuration) {
        OnNext([&](QDialog* space) {
            EXPECT_EQ(space->windowTitle(), "Capture temporary file");
            EXPECT_TRUE(space->findChild<QLabel*>("free")->text().contains(" KB free on "));
            space->findChild<QLineEdit*>("name")->setText(captureFile);
            space->findChild<QSpinBox*>("megabytes")->setValue(2);
            PressOk(space);
            configuration->reject();
        });
        Button(configuration, "Temporar&y capture file...")->click();
    });
    f.Router().Execute(Cmd::VfwConfigure);
    EXPECT_EQ(f.Device().CaptureFile(), captureFile);
    EXPECT_EQ(QFileInfo(captureFile).size(), 2 << 20);
    // Room set aside is not yet a sequence.
    QString none;
    ReadMessage(none);
    f.Router().Execute(Cmd::VfwCapturedVideo);
    EXPECT_TRUE(none.startsWith("Error:\nNo sequence has been captured")) << none.toStdString();
    EXPECT_FALSE(f.window->IsPlaying());

    SequenceRecorder recorder;
    SequenceSettings sequence;
    sequence.format = {QSize(160, 120), 15, {}};
    ASSERT_TRUE(recorder.Start("videotestsrc is-live=true", sequence, captureFile));
    QTest::qWait(500);
    ASSERT_TRUE(recorder.Stop());

    f.settings.hardPlay = 1;
    const int driver = f.window->DriverIndex();
    f.Router().Execute(Cmd::VfwCapturedVideo);
    EXPECT_TRUE(f.window->IsPlaying());
    EXPECT_FALSE(f.window->IsConnected());
    EXPECT_FALSE(f.Router().Update(Cmd::CaptureVideo).enabled);
    EXPECT_FALSE(f.Device().Ready());
    EXPECT_TRUE(f.Router().Update(Cmd::VfwCapturedVideo).enabled);
    f.Router().Execute(Cmd::VfwCapturedVideo);
    EXPECT_FALSE(f.window->IsPlaying());
    EXPECT_TRUE(f.window->IsConnected());
    EXPECT_EQ(f.window->DriverIndex(), driver);
}

TEST(VideoWindow, PalettesAreMadeFromFramesSavedLoadedAndUsed) {
    ScopedTestDir dir;
    CameraFixture f;
    OnNext([](QDialog* make) {
        EXPECT_EQ(make->windowTitle(), "Make palette");
        make->findChild<QSpinBox*>("colours")->setValue(16);
        make->findChild<QSpinBox*>("frames")->setValue(2);
        PressOk(make);
    });
    f.Router().Execute(Cmd::VfwMakePalette);
    EXPECT_EQ(f.window->PaletteCaption(), "Palette: Video");
    const ImagePalette made = f.window->Palette();
    EXPECT_GE(made.Count(), 7);  // the test picture's bars
    EXPECT_LE(made.Count(), 16);
    EXPECT_EQ(f.window->GrabFrame().GetBitsPerPixel(), 8);

    const QString file = dir.Path("video.pal");
    OnNext<QFileDialog>([&](QFileDialog* files) { Answer(files, file); });
    f.Router().Execute(Cmd::VfwSavePalette);
    EXPECT_EQ(PaletteFile::Parse(ReadAll(file)), made);

    f.window->SetPalette({}, "Palette: Default");
    OnNext<QFileDialog>([&](QFileDialog* files) { Answer(files, file); });
    f.Router().Execute(Cmd::VfwLoadPalette);
    EXPECT_EQ(f.window->PaletteCaption(), "Paleta: " + file);
    EXPECT_EQ(f.window->Palette(), made);

    // A file that is no palette leaves the one there.
    dir.Write("broken.pal", "RIFF\4\0\0\0PAL ");
    QString message;
    OnNext<QFileDialog>([&](QFileDialog* files) {
        ReadMessage(message);
        Answer(files, dir.Path("broken.pal"));
    });
    f.Router().Execute(Cmd::VfwLoadPalette);
    EXPECT_TRUE(message.startsWith("Error:\nCan't load the palette")) << message.toStdString();
    EXPECT_EQ(f.window->Palette(), made);

    f.Router().Execute(Cmd::VfwCopy);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(320, 240));
}

TEST(VideoWindow, EditCapturedMovieRunsTheEditorOnTheCaptureFile) {
    ScopedTestDir dir;
    CameraFixture f;
    f.settings.FastTempPath = dir.Path();
    // Nothing recorded yet: no editor for a file of zeros or none.
    QString none;
    ReadMessage(none);
    f.Router().Execute(Cmd::VfwEditMovie);
    EXPECT_TRUE(none.startsWith("Error:\nNo sequence has been captured")) << none.toStdString();
    dir.Write("CAPTEMP.AVI", QByteArray("RIFF\0\0\0\0AVI LIST", 16));
    dir.Write("editor", "#!/bin/sh\nprintf '%s|%s' \"$1\" \"$2\" > \"$(dirname \"$0\")/args\"\n");
    QFile::setPermissions(dir.Path("editor"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    f.settings.videoEditor = "\"" + dir.Path("editor") + "\" --new-window";
    f.Router().Execute(Cmd::VfwEditMovie);
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(dir.Path("args")); }));
    EXPECT_EQ(ReadAll(dir.Path("args")), "--new-window|" + f.Device().CaptureFile().toUtf8());

    f.settings.videoEditor = dir.Path("no-such-editor");
    QString caption, text;
    OnNext<QMessageBox>([&](QMessageBox* box) {
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    f.Router().Execute(Cmd::VfwEditMovie);
    EXPECT_EQ(caption, "Error");
    EXPECT_TRUE(text.startsWith("Error:")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nCan't execute " + dir.Path("no-such-editor")));
}

TEST(LiveCam, TheDialogBeginsTheCamAndItsServerAndCancelStopsThem) {
    ScopedTestDir dir;
    CameraFixture f;
    LiveCamControl& control = f.session->capture->LiveCams();
    OnNext([&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "LiveCamWebServer (Beta)");
        auto* listen = dialog->findChild<QLineEdit*>("listen");
        EXPECT_EQ(listen->text(), "127.0.0.1:8080");
        auto* warning = dialog->findChild<QLabel*>("warning");
        EXPECT_TRUE(warning->text().isEmpty());
        listen->setText("0.0.0.0:8080");
        EXPECT_FALSE(warning->text().isEmpty());
        listen->setText("127.0.0.1:0");
        EXPECT_TRUE(warning->text().isEmpty());
        dialog->findChild<QLineEdit*>("image")->setText("cam.jpg");
        dialog->findChild<QSpinBox*>("rate")->setValue(100);
        OnNext<QFileDialog>([&](QFileDialog* files) { Answer(files, dir.Path("index.htm")); });
        Button(dialog, "Make HTML test page...")->click();
        Button(dialog, "Begin")->click();
    });
    f.Router().Execute(Cmd::LiveCamServer);
    EXPECT_EQ(ReadAll(dir.Path("index.htm")), LiveCamTestPage());
    ASSERT_TRUE(control.IsRunning());
    ASSERT_TRUE(control.Server().IsListening());
    EXPECT_TRUE(WaitFor([&] { return f.frame->StatusBar()->PaneText(0) == "LiveCamWebServer: image capture OK"; }));
    EXPECT_GT(QFileInfo(dir.Path("cam.jpg")).size(), 0);

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, control.Server().Port());
    ASSERT_TRUE(client.waitForConnected(2000));
    client.write("GET /livecam.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    QByteArray reply;
    EXPECT_TRUE(WaitFor([&] {
        reply += client.readAll();
        return client.state() == QAbstractSocket::UnconnectedState || reply.contains("\xFF\xD9");
    }));
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 200")) << reply.left(40).toStdString();
    EXPECT_TRUE(reply.contains("\r\n\r\n\xFF\xD8"));

    // With its camera gone the LiveCam can still be reached, to stop it.
    f.Router().Execute(Cmd::CaptureNone);
    EXPECT_TRUE(f.Router().Update(Cmd::LiveCamServer).enabled);
    OnNext([](QDialog* dialog) { dialog->reject(); });
    f.Router().Execute(Cmd::LiveCamServer);
    EXPECT_FALSE(control.IsRunning());
    EXPECT_FALSE(f.Router().Update(Cmd::LiveCamServer).enabled);
    EXPECT_FALSE(control.Server().IsListening());
}

TEST(Autophoto, TakesTheSetNumberOfPhotosAGapApartWithoutAsking) {
    CAppSettings settings;
    EXPECT_EQ(Autophoto::GapMs(settings), 5 * 60000);  // the stored unit 60 reads as minutes
    settings.tFactor = 1;
    settings.latenciaTimer = 2;
    EXPECT_EQ(Autophoto::GapMs(settings), 2000);

    ScopedTestDir dir;
    CameraFixture f;
    f.settings.flgJPG = 0;
    f.settings.flgAutoInsert = 1;
    f.settings.flgAutoEdita = 1;  // no card editor between photos
    f.settings.tFactor = 1;
    f.settings.latenciaTimer = 1;
    f.settings.tNDetiene = 2;
    f.settings.fmini = 1;
    EXPECT_FALSE(f.Router().Update(Cmd::AutophotoEnd).enabled);
    f.Router().Execute(Cmd::AutophotoBegin);
    EXPECT_EQ(f.doc->Db().GetCount(), 1);  // the first at once
    EXPECT_TRUE(f.frame->isMinimized());
    EXPECT_TRUE(f.Router().Update(Cmd::AutophotoEnd).enabled);
    EXPECT_FALSE(f.Router().Update(Cmd::AutophotoBegin).enabled);
    EXPECT_TRUE(WaitFor([&] { return f.doc->Db().GetCount() == 2; }, 4000));
    EXPECT_TRUE(WaitFor([&] { return !f.session->capture->Autophotos().IsRunning(); }));
    EXPECT_FALSE(f.frame->isMinimized());  // back when the run ends
    QTest::qWait(1200);
    EXPECT_EQ(f.doc->Db().GetCount(), 2);
    EXPECT_TRUE(QFile::exists(dir.Path("IMG_0001.bmp")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    f.Router().Execute(Cmd::CaptureNone);
    EXPECT_FALSE(f.Router().Update(Cmd::AutophotoBegin).enabled);
}

// The overlay saves in its own format; a photo of an earlier run under that name is kept.
TEST(Autophoto, ThroughTheOverlayPhotosTakeTheFormatsExtensionAndOverwriteNothing) {
    ScopedTestDir dir;
    dir.Write("IMG_0000.bmp", "an earlier photo");
    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true pattern=smpte");
    FrameFixture f;
    f.settings.flgJPG = 1;
    f.settings.GrabaFormato = "BMP type DIB 24-bit";
    f.settings.tFactor = 1;
    f.settings.tNDetiene = 1;
    f.frame->Router().Execute(Cmd::CaptureOverlay);
    qunsetenv("ALBORA_VIDEO_SOURCE");
    ASSERT_EQ(f.settings.hardCapture, CaptureKind::Overlay);
    f.frame->Router().Execute(Cmd::AutophotoBegin);
    EXPECT_EQ(ReadAll(dir.Path("IMG_0000.bmp")), "an earlier photo");
    EXPECT_EQ(QImage(dir.Path("IMG_0000_1.bmp")).size(), QSize(320, 240));  // the video frame, not the window
    EXPECT_EQ(f.doc->Db().GetCount(), 0);  // the overlay makes no cards
}
