// The MCI overlay over GStreamer's test source: the command strings the window sends, the
// device's answers, the picture saved in each format, and the window's own drawing.
#include "OverlayFixture.h"

#include "capture/overlay/OverlaySave.h"
#include "capture/video/VideoCapture.h"
#include "image/CImageObject.h"

#include <QDir>

namespace {

const QString kKeyMagenta = QStringLiteral("#ff00ff");

// Shows PICTURE as the device's held frame, as "load" does.
void LoadPicture(MciInterpreter& mci, const QString& path, const QImage& picture) {
    ASSERT_TRUE(picture.save(path, "BMP"));
    QString error;
    ASSERT_EQ(mci.SendString(QStringLiteral("load alboovr \"%1\"").arg(path), &error), 0) << error.toStdString();
}

TEST_F(OverlayFixture, OpenBindsTheWindowAndCloseTurnsTheVideoOffFirst) {
    window->SetRectangles({320, 200});
    ASSERT_TRUE(window->Open());
    EXPECT_TRUE(window->Open());  // open already: nothing is sent again
    EXPECT_EQ(log, (QStringList{"open overlay alias alboovr", QStringLiteral("window alboovr handle %1").arg(handle),
                                "put alboovr frame", "put alboovr source", "put alboovr destination"}));
    log.clear();
    window->Close();
    EXPECT_EQ(log, (QStringList{"set alboovr video off", "close alboovr"}));
    EXPECT_FALSE(window->IsOpen());
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(OverlayFixture, ASourceBusyElsewhereIsSharedOnlyWhenShareable) {
    VideoCapture camera;  // the Video for Windows window's camera on the same source
    ASSERT_TRUE(camera.Connect(kSmpte, {QSize(160, 120), 0, {}}));
    EXPECT_FALSE(window->Open());
    EXPECT_EQ(ui.LastMessage(),
              "Error:\nCan't open the video device.\n\n1) Verify that the video device exists.\n2) Verify its Setup.");
    EXPECT_EQ(log, QStringList{"open overlay alias alboovr"});
    EXPECT_EQ(mci.SendString("open overlay alias alboovr"), MciInterpreter::MustUseShareable);

    settings.flgShareable = 1;
    log.clear();
    ASSERT_TRUE(window->Open());
    EXPECT_EQ(log.value(0), "open overlay alias alboovr shareable");
    window->Paint({160, 120});
    // The shared frames are the camera's own, 160x120.
    EXPECT_EQ(window->Composite(5000).pixel(80, 60), camera.NewestFrame().MakeBitmap().pixel(80, 60));
}

TEST_F(OverlayFixture, AWindowThatIsGoneGives250AndLeavesTheDeviceClosed) {
    EXPECT_EQ(mci.SendString("open overlay alias probe"), 0);
    EXPECT_EQ(mci.SendString("window probe handle 12345"), MciInterpreter::NoWindow);
    EXPECT_EQ(mci.SendString("window probe handle twelve"), MciInterpreter::BadInteger);
    EXPECT_EQ(mci.SendString("close probe"), 0);

    OverlayWindows::Unregister(handle);
    EXPECT_FALSE(window->Open());
    EXPECT_EQ(ui.LastMessage(), "Error:\nAssigning window to video device.");
    EXPECT_EQ(log.last(), "close alboovr");
    window->SetHandle(handle);
    EXPECT_TRUE(window->Open());  // the alias was given back
}

TEST_F(OverlayFixture, WithLockEveryPaintAndMoveSendsTheWindowsSize) {
    settings.flgLock = 1;
    window->SetRectangles({350, 250});
    ASSERT_TRUE(window->Open());
    EXPECT_EQ(log.mid(2), (QStringList{"put alboovr frame at 0 0 350 250", "put alboovr source at 0 0 350 250",
                                       "put alboovr destination at 0 0 350 250"}));
    log.clear();
    window->Paint({400, 300});
    EXPECT_EQ(log, (QStringList{"put alboovr frame at 0 0 400 300", "put alboovr source at 0 0 400 300",
                                "put alboovr destination at 0 0 400 300"}));
    EXPECT_EQ(window->Caption(), "Overlay [400x300]");
}

TEST_F(OverlayFixture, TheDeviceRefusesWhatItCannotDo) {
    ASSERT_EQ(mci.SendString("open overlay alias o"), 0);
    EXPECT_EQ(mci.SendString("open overlay alias o"), MciInterpreter::DeviceOpen);
    EXPECT_EQ(mci.SendString("open overlay alias p exclusive"), MciInterpreter::UnrecognizedKeyword);
    EXPECT_EQ(mci.SendString("put o frame at 0 0 10"), MciInterpreter::MissingParameter);
    EXPECT_EQ(mci.SendString("put o frame at 0 0 ten 10"), MciInterpreter::BadInteger);
    EXPECT_EQ(mci.SendString("put o frame at 0 0 0 10"), MciInterpreter::OutOfRange);
    EXPECT_EQ(mci.SendString("put o window"), MciInterpreter::UnrecognizedKeyword);
    EXPECT_EQ(mci.SendString("set o video sideways"), MciInterpreter::OutOfRange);
    EXPECT_EQ(mci.SendString("load o \"no such picture.bmp\""), MciInterpreter::FileNotFound);
    EXPECT_EQ(mci.SendString("save o"), MciInterpreter::MissingParameter);
    EXPECT_EQ(mci.SendString("record o"), MciInterpreter::UnrecognizedCommand);
    EXPECT_EQ(mci.SendString("close o"), 0);
}

TEST_F(OverlayFixture, ASuccessfulSaveBeepsAndUnfreezesWhenAsked) {
    ASSERT_TRUE(window->Open());
    log.clear();
    const QString path = dir.Path("with blank/pic one.bmp");
    ASSERT_TRUE(QDir().mkpath(dir.Path("with blank")));
    const auto argument = OverlayController::SaveArgument(path, "BMP type DIB 24-bit");
    ASSERT_TRUE(argument);
    ASSERT_TRUE(window->SavePicture(*argument));
    EXPECT_EQ(log, (QStringList{QStringLiteral("save alboovr \"%1\" BMP type DIB 24-bit").arg(path), "unfreeze alboovr"}));
    EXPECT_EQ(ui.Beeps(), 1);
    EXPECT_EQ(QImage(path).size(), QSize(320, 240));
    EXPECT_FALSE(QFile::exists(dir.Path("with")));  // the name was not cut at its blank

    settings.descongelaFoto = 0;
    log.clear();
    ASSERT_TRUE(window->SavePicture(*argument));
    EXPECT_EQ(log.size(), 1);
    EXPECT_FALSE(OverlayController::SaveArgument(dir.Path("say \"cheese\".bmp"), "BMP type DIB 24-bit"));
}

TEST_F(OverlayFixture, AnUnknownFormatSays254AndWritesNothing) {
    ASSERT_TRUE(window->Open());
    const QString path = dir.Path("pic.tga");
    EXPECT_FALSE(window->SavePicture(*OverlayController::SaveArgument(path, "TGA type Targa 24-bit")));
    EXPECT_EQ(ui.LastMessage(), "Error:\nSaving file.");
    EXPECT_EQ(ui.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(log.last(), QStringLiteral("save alboovr \"%1\" TGA type Targa 24-bit").arg(path));
    EXPECT_EQ(ui.Beeps(), 0);
}

TEST_F(OverlayFixture, EachFormatHoldsThePicture) {
    ASSERT_TRUE(window->Open());
    const QImage bands = Bands({60, 30});
    LoadPicture(mci, dir.Path("bands.bmp"), bands);
    const auto save = [&](const QString& name, const char* format) {
        EXPECT_TRUE(window->SavePicture(*OverlayController::SaveArgument(dir.Path(name), format))) << format;
        mci.SendString(QStringLiteral("load alboovr \"%1\"").arg(dir.Path("bands.bmp")));  // the save unfroze it
        return CImageObject(dir.Path(name), name.endsWith(".gif") ? IMAGE_GIF : IMAGE_BMP);
    };
    const CImageObject true24 = save("true.bmp", "BMP type DIB 24-bit");
    EXPECT_EQ(true24.GetBitsPerPixel(), 24);
    EXPECT_EQ(true24.MakeBitmap().convertToFormat(QImage::Format_RGB32), bands);
    const CImageObject eight = save("eight.bmp", "BMP type DIB 8-bit");
    EXPECT_EQ(eight.GetBitsPerPixel(), 8);
    EXPECT_EQ(eight.MakeBitmap().convertToFormat(QImage::Format_RGB32), bands);  // three colours, kept exactly
    const CImageObject grey = save("grey.bmp", "BMP type DIB 8-bit gray");
    EXPECT_EQ(grey.GetBitsPerPixel(), 8);
    const QImage greyShown = grey.MakeBitmap();
    EXPECT_EQ(qRed(greyShown.pixel(5, 5)), 76);    // red
    EXPECT_EQ(qRed(greyShown.pixel(5, 15)), 150);  // green
    EXPECT_EQ(qGreen(greyShown.pixel(5, 25)), 29); // blue
    const CImageObject gif = save("pic.gif", "GIF type GIF 8-bit");
    EXPECT_EQ(gif.MakeBitmap().convertToFormat(QImage::Format_RGB32), bands);
    const CImageObject greyGif = save("grey.gif", "GIF type GIF 8-bit gray");
    EXPECT_EQ(greyGif.MakeBitmap().convertToFormat(QImage::Format_RGB32), greyShown.convertToFormat(QImage::Format_RGB32));
}

TEST_F(OverlayFixture, TheLiveFrameIsSavedAndWithLockNoMoreThanTheWindow) {
    ASSERT_TRUE(window->Open());
    ASSERT_TRUE(window->SavePicture(*OverlayController::SaveArgument(dir.Path("live.bmp"), "BMP type DIB 24-bit")));
    const QImage live = QImage(dir.Path("live.bmp")).convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(live.size(), QSize(320, 240));
    window->Close();
    VideoCapture camera;  // the test pattern does not move: any frame of it is the same
    ASSERT_TRUE(camera.Connect(kSmpte, {}));
    EXPECT_EQ(live, camera.NewestFrame().MakeBitmap().convertToFormat(QImage::Format_RGB888));
    camera.Disconnect();

    settings.flgLock = 1;
    ASSERT_TRUE(window->Open());
    window->Paint({200, 100});
    ASSERT_TRUE(window->SavePicture(*OverlayController::SaveArgument(dir.Path("part.bmp"), "BMP type DIB 24-bit")));
    EXPECT_EQ(QImage(dir.Path("part.bmp")).size(), QSize(200, 100));
}

TEST_F(OverlayFixture, FreezeHoldsAFrameAndVideoOffShowsOnlyTheKey) {
    ASSERT_TRUE(window->Open());
    window->Paint({320, 240});
    LoadPicture(mci, dir.Path("bands.bmp"), Bands({320, 240}));
    EXPECT_EQ(window->Composite().pixel(160, 40), qRgb(255, 0, 0));
    EXPECT_EQ(mci.SendString("unfreeze alboovr"), 0);
    EXPECT_EQ(mci.SendString("freeze alboovr"), 0);
    const QRgb held = window->Composite().pixel(160, 120);
    EXPECT_NE(held, qRgb(255, 0, 0));
    EXPECT_EQ(mci.SendString("set alboovr video off"), 0);
    EXPECT_EQ(window->Composite().pixel(160, 120), QColor(kKeyMagenta).rgb());
    EXPECT_EQ(mci.SendString("set alboovr video on"), 0);
    EXPECT_EQ(window->Composite().pixel(160, 120), held);
}

TEST_F(OverlayFixture, TheVideoShowsWhereTheKeyIsAndNotOnTheRuler) {
    settings.flgLock = 1;
    ASSERT_TRUE(window->Open());
    window->Paint({350, 250});
    LoadPicture(mci, dir.Path("bands.bmp"), Bands({350, 250}));
    const QImage shown = window->Composite();
    ASSERT_EQ(shown.size(), QSize(350, 250));
    EXPECT_EQ(shown.pixel(175, 40), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(175, 230), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(100, 5), qRgb(255, 255, 255));  // a tick of the white ruler
    EXPECT_EQ(shown.pixel(100, 245), qRgb(255, 255, 255));

    // A key colour of the board's choice: only its exact pixels let the video through.
    settings.overlayColorR = 0, settings.overlayColorG = 0, settings.overlayColorB = 8;
    settings.flgDtoColorBlanco = 0;
    window->Paint({350, 250});
    EXPECT_EQ(window->Composite().pixel(175, 40), qRgb(255, 0, 0));
    EXPECT_EQ(window->Composite().pixel(100, 5), qRgb(0, 0, 0));
}

// The ruler of a 350-pixel-wide window: long ticks every hundred, labelled 100, 200 and 300.
TEST_F(OverlayFixture, TheRulerHasItsTicksAndLabelsWhereTheWindowSaysSo) {
    window->Paint({350, 250});
    const QImage shown = window->Composite();
    const QRgb key = QColor(kKeyMagenta).rgb(), white = qRgb(255, 255, 255);
    const auto column = [&](int x, int from, int to) {
        for (int y = from; y <= to; ++y)
            if (shown.pixel(x, y) != white) return false;
        return true;
    };
    for (int x : {100, 200, 300}) {
        EXPECT_TRUE(column(x, 3, 19)) << x;
        EXPECT_TRUE(column(x, 250 - 20, 250 - 4)) << x;
    }
    EXPECT_TRUE(column(110, 3, 9));
    EXPECT_EQ(shown.pixel(110, 12), key);  // a short tick ends at 9
    EXPECT_EQ(shown.pixel(100, 2), key);
    EXPECT_EQ(shown.pixel(350 - 5, 5), key);  // ticks stop 10 pixels before the edge
    for (int x : {3, 19, 350 - 4, 350 - 20}) EXPECT_EQ(shown.pixel(x, 100), white) << x;
    EXPECT_EQ(shown.pixel(20, 100), key);
    // Labels: text just right of each long tick from y = 21, none beside the short ones.
    const auto inked = [&](int left, int top, int width, int height) {
        int count = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x) count += shown.pixel(x, y) != key;
        return count;
    };
    for (int x : {100, 200, 300}) EXPECT_GT(inked(x + 1, 21, 22, 12), 10) << x;
    EXPECT_EQ(inked(151, 21, 22, 12), 0);
    EXPECT_GT(inked(10, 100 - 14, 22, 12), 10);  // the left label of y = 100, just above its tick
    EXPECT_EQ(window->Caption(), "Overlay [350x250]");
}

TEST_F(OverlayFixture, APlaneIsDrawnOverTheWindowAndOneThatCannotBeIsToldOnce) {
    dir.Write("plane.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                           R"(<rect x="4" y="4" width="2" height="2" fill="#00ff00"/></svg>)");
    settings.flgPlano = 1;
    settings.flgEscala = 0;
    settings.Plantilla = dir.Path("plane.svg");
    EXPECT_EQ(window->Paint({100, 100}), "");
    EXPECT_EQ(window->Composite().pixel(50, 50), qRgb(0, 255, 0));  // stretched: 40 to 60
    EXPECT_EQ(window->Composite().pixel(20, 20), QColor(kKeyMagenta).rgb());
    EXPECT_EQ(window->Caption(), QStringLiteral("Overlay [100x100] + %1").arg(dir.Path("plane.svg")));

    settings.Plantilla = dir.Path("gone.wmf");
    EXPECT_EQ(window->Paint({100, 100}), "Error:\nLoading plane");
    EXPECT_EQ(window->Paint({100, 100}), "");
    EXPECT_EQ(window->Composite().pixel(50, 50), QColor(kKeyMagenta).rgb());
    // A metafile that cannot be played says so, once too.
    dir.Write("broken.wmf", Hex("D7 CD C6 9A 00 00") + QByteArray(40, 'x'));
    settings.Plantilla = dir.Path("broken.wmf");
    EXPECT_EQ(window->Paint({100, 100}), "Error:\nPlane metafile.");
    EXPECT_EQ(window->Paint({100, 100}), "");
}

}  // namespace
