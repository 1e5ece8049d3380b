#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/HeadlessUi.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"
#include "sound/SoundAnnotations.h"
#include "views/CImgView.h"
#include "views/ImageViewDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class ScriptedImageDialogs : public ImageViewDialogs {
public:
    int width = 0, height = 0;
    double degrees = 30;
    bool AskSize(int& w, int& h, ImageTransforms::Filter&) override {
        w = width ? width : w;
        h = height ? height : h;
        return true;
    }
    bool AskRotation(double& d, QRgb&) override {
        d = degrees;
        return true;
    }
    bool AskTint(QRgb& colour, int& intensity) override {
        colour = qRgb(255, 0, 0);
        intensity = 255;
        return true;
    }
    bool AskBrightness(int& value) override {
        value = 200;
        return true;
    }
};

struct ViewFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    MciInterpreter mci{QStringLiteral("audiotestsrc")};
    SoundPlayer player;
    SoundAnnotations sound{ui, settings, mci, player};
    ScriptedImageDialogs dialogs;
    CImgView view{doc, {ui, sound, dialogs, nullptr}};

    ViewFixture() {
        ImageLibrary::SetUi(&ui);
        view.resize(400, 300);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    ~ViewFixture() { ImageLibrary::SetUi(nullptr); }
    // An album of one card whose picture is a W x H 24-bit image with a red top-left pixel.
    QString ShowPicture(int w, int h, const char* name = "pic.bmp") {
        CImageObject picture;
        picture.Create(w, h, 24, 2);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) picture.SetPixelColor(x, y, std::uint8_t(x * 3), std::uint8_t(y * 5), 77);
        picture.SetPixelColor(0, h - 1, 250, 10, 20);
        picture.Save(dir.Path(name));
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = dir.Path(name);
        doc.Db().List().AddTail(card);
        doc.m_nCurrent = doc.Db().GetCount() - 1;
        doc.UpdateAllViews(nullptr, Hint::ViewCurrent);
        return dir.Path(name);
    }
};

// The picture's point in a readout "X = 12 Y = 34 ...".
QPoint ReadoutPoint(const QString& readout) {
    const QStringList words = readout.split(' ', Qt::SkipEmptyParts);
    return words.size() >= 6 ? QPoint(words[2].toInt(), words[5].toInt()) : QPoint(-1, -1);
}

}  // namespace

TEST(ImageView, ShowsWhyThereIsNoImage) {
    ViewFixture f;
    f.doc.UpdateAllViews(nullptr, Hint::Rebuild);
    EXPECT_FALSE(f.view.HasImage());
    EXPECT_EQ(f.view.Message(), QStringLiteral("Not selected"));
    auto card = std::make_shared<CFotoObj>();
    card->m_strGraphic = QStringLiteral("missing.jpg");
    f.doc.Db().List().AddTail(card);
    f.doc.m_nCurrent = 0;
    f.doc.UpdateAllViews(nullptr, Hint::ViewCurrent);
    EXPECT_EQ(f.view.Message(), QStringLiteral("Error: Can't open image file: missing.jpg"));
    // Hints of the draw views do not reload.
    f.doc.m_nCurrent = -1;
    f.doc.UpdateAllViews(nullptr, Hint::DrawChanged);
    EXPECT_EQ(f.view.Message(), QStringLiteral("Error: Can't open image file: missing.jpg"));
    const QImage shot = f.view.viewport()->grab().toImage();
    EXPECT_EQ(qBlue(shot.pixel(200, 0)), 255);  // the top of the blue ramp
}

TEST(ImageView, CentresSmallPicturesAndReadsThePixelUnderTheMouse) {
    ViewFixture f;
    f.ShowPicture(40, 30);
    ASSERT_TRUE(f.view.HasImage());
    const QSize area = f.view.viewport()->size();
    EXPECT_EQ(f.view.Origin(), QPoint((area.width() - 40) / 2, (area.height() - 30) / 2));
    const QPoint topLeft = f.view.Origin();
    EXPECT_EQ(f.view.PixelReadout(topLeft), QStringLiteral("X = 0 Y = 0  Idx=255  RGB = (250, 10, 20)"));
    EXPECT_EQ(f.view.PixelReadout(topLeft - QPoint(1, 1)), QStringLiteral(" "));
    f.view.Execute(Cmd::Zoom3);
    EXPECT_TRUE(f.view.PixelReadout(topLeft).isEmpty());
    f.view.Execute(Cmd::Zoom1);
    EXPECT_TRUE(f.view.Update(Cmd::Zoom1).checked);
}

TEST(ImageView, ReadsTheIndexOfAFourBitPixel) {
    ViewFixture f;
    CImageObject picture;
    ASSERT_TRUE(picture.Create(4, 1, 4, -1));
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < 16; ++i) rgb.insert(rgb.end(), {std::uint8_t(i * 10), std::uint8_t(i), 99});
    picture.SetPaletteFromTriples(16, rgb.data());
    picture.GetImplementation()->Row(0)[0] = 0x12;
    picture.GetImplementation()->Row(0)[1] = 0x34;
    ASSERT_TRUE(picture.Save(f.dir.Path("four.bmp")));
    auto card = std::make_shared<CFotoObj>();
    card->m_strGraphic = f.dir.Path("four.bmp");
    f.doc.Db().List().AddTail(card);
    f.doc.m_nCurrent = 0;
    f.doc.UpdateAllViews(nullptr, Hint::ViewCurrent);
    ASSERT_TRUE(f.view.HasImage());
    EXPECT_EQ(f.view.PixelReadout(f.view.Origin() + QPoint(1, 0)), QStringLiteral("X = 1 Y = 0  Idx=2  RGB = (20, 2, 99)"));
    EXPECT_EQ(f.view.PixelReadout(f.view.Origin() + QPoint(2, 0)), QStringLiteral("X = 2 Y = 0  Idx=3  RGB = (30, 3, 99)"));
}

TEST(ImageView, CropOnlyAtOneToOneWithASelection) {
    ViewFixture f;
    f.ShowPicture(40, 30);
    EXPECT_FALSE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.SetSelection(QRect(f.view.Origin() + QPoint(5, 5), QSize(10, 8)));
    EXPECT_TRUE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.Execute(Cmd::Zoom2);
    EXPECT_FALSE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.Execute(Cmd::Zoom1);
    f.view.Execute(Cmd::StretchImage);
    EXPECT_FALSE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.Execute(Cmd::StretchImage);
    f.view.Execute(Cmd::ImageCrop);
    EXPECT_EQ(f.view.Image().GetWidth(), 10);
    EXPECT_EQ(f.view.Image().GetHeight(), 8);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Croped new size: (10,8)"));
    EXPECT_TRUE(f.view.Modified());
}

TEST(ImageView, UndoReturnsToTheFileAfterSeveralTransforms) {
    ViewFixture f;
    f.ShowPicture(40, 30);
    f.dialogs.width = 20;
    f.dialogs.height = 15;
    f.view.Execute(Cmd::ImageSize);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Sized new size: (20,15)"));
    f.view.Execute(Cmd::ImageRotate90CW);
    f.view.Execute(Cmd::ImageRotate);
    EXPECT_TRUE(f.ui.StatusText(0).startsWith(QStringLiteral("Rotated new size: (")));
    EXPECT_TRUE(f.view.Modified());
    EXPECT_TRUE(f.view.Update(Cmd::EditUndo).enabled);
    f.view.Execute(Cmd::EditUndo);
    EXPECT_FALSE(f.view.Modified());
    EXPECT_EQ(f.view.Image().GetWidth(), 40);
    EXPECT_EQ(f.view.Image().GetHeight(), 30);

    f.dialogs.degrees = 0;
    f.view.Execute(Cmd::ImageRotate);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCannot parse rotation angle or roation angle is zero."));
}

TEST(ImageView, SavingATransformAsksAndRefreshesTheOtherViews) {
    ViewFixture f;
    const QString file = f.ShowPicture(12, 10);
    f.view.Execute(Cmd::ImageFlipHorizontal);
    f.ui.QueueAnswer(MsgAnswer::No);
    f.view.Execute(Cmd::SaveTransform);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Modified image: ") + file + QStringLiteral("\nSave transformed image?"));
    EXPECT_EQ(f.ui.Messages().back().icon, MsgIcon::Question);
    EXPECT_TRUE(f.view.Modified());
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.view.Execute(Cmd::SaveTransform);
    EXPECT_FALSE(f.view.Modified());
    // The file now holds the flipped picture: the red pixel is at the top right.
    const CImageObject saved(file);
    std::uint8_t r, g, b;
    saved.GetPixelColor(11, 9, r, g, b);
    EXPECT_EQ(r, 250);
}

TEST(ImageView, ExportingA24BitPictureAsGifSaysWhy) {
    ViewFixture f;
    f.ShowPicture(8, 8);
    f.ui.QueuePath(f.dir.Path("out.gif"));
    f.view.Execute(Cmd::ExportImage);
    ASSERT_GE(f.ui.Messages().size(), 2u);
    EXPECT_EQ(f.ui.Messages()[f.ui.Messages().size() - 2].text, QStringLiteral("GIF Images must be 8 bit or less"));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't save file!\nmore than 8 bits per pixel"));
    EXPECT_EQ(f.view.Image().Type(), IMAGE_BMP);  // the view's own picture is untouched
    // The system's reason for a failed write is the message's second line.
    f.ui.QueuePath(f.dir.Path("missing/out.png"));
    f.view.Execute(Cmd::ExportImage);
    EXPECT_TRUE(f.ui.LastMessage().startsWith(QStringLiteral("Error:\nCan't save file!\n"))) << f.ui.LastMessage().toStdString();
    EXPECT_GT(f.ui.LastMessage().size(), QStringLiteral("Error:\nCan't save file!\n").size());
    f.ui.QueuePath(f.dir.Path("out.png"));
    f.view.Execute(Cmd::ExportImage);
    EXPECT_TRUE(QFile::exists(f.dir.Path("out.png")));
    EXPECT_FALSE(f.view.Modified());
}

TEST(ImageView, CopyPutsADrawingAndABitmapOrOnlyTheSelection) {
    ViewFixture f;
    f.ShowPicture(30, 20);
    f.view.Execute(Cmd::EditCopy);
    const QMimeData* whole = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(whole);
    EXPECT_TRUE(whole->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_TRUE(whole->hasImage());
    EXPECT_TRUE(whole->data(QStringLiteral("image/svg+xml")).contains("<svg"));

    f.view.SetSelection(QRect(f.view.Origin() + QPoint(2, 3), QSize(7, 5)));
    f.view.Execute(Cmd::EditCopy);
    const QMimeData* part = QApplication::clipboard()->mimeData();
    EXPECT_FALSE(part->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(7, 5));
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Copied croped image, new size: (7,5)"));
}

TEST(ImageView, InformationAndTheOverlayDescribeThePicture) {
    ViewFixture f;
    const QString file = f.ShowPicture(8, 6);
    f.view.Execute(Cmd::ImageInformation);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("File:\t%1\rFormat:\t0\rColor:\tdepth=24, type=2\rDim.:\twidth= 8, height= 6\r").arg(file));
    const bool shown = CImgView::ShowInformation();
    f.view.Execute(Cmd::ShowInfo);
    EXPECT_NE(CImgView::ShowInformation(), shown);
    f.view.Execute(Cmd::BrightnessContrast);
    EXPECT_TRUE(f.view.Modified());
    f.view.Execute(Cmd::ColorVariation);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Color applied (R:255,G:0,B:0,I:255)"));
    if (const QString shot = qEnvironmentVariable("ALBORA_SCREENSHOT"); !shot.isEmpty())
        f.view.grab().save(shot);
}

TEST(ImageView, ALargePictureIsFittedWholeAndZoomsAroundTheMouse) {
    ViewFixture f;
    f.settings.ImageZoom = 0;
    f.view.resize(800 + f.view.width() - f.view.viewport()->width(), 600 + f.view.height() - f.view.viewport()->height());
    QTest::qWait(20);
    ASSERT_EQ(f.view.viewport()->size(), QSize(800, 600));
    f.ShowPicture(4000, 3000);
    EXPECT_DOUBLE_EQ(f.view.Scale(), 0.2);
    EXPECT_EQ(f.view.Origin(), QPoint(0, 0));
    EXPECT_TRUE(f.view.Update(Cmd::ZoomFit).checked);
    EXPECT_EQ(f.view.ZoomText(), QStringLiteral("fit, 1:5"));
    // The readout names the picture's pixel under the mouse at any reduction.
    EXPECT_TRUE(f.view.PixelReadout(QPoint(400, 300)).startsWith(QStringLiteral("X = 2000 Y = 1500")));
    // Smooth: the fitted picture on the screen is the picture's colours, not a black window.
    const QImage shot = f.view.viewport()->grab().toImage();
    EXPECT_NEAR(qRed(shot.pixel(400, 300)), (2000 * 3) % 256, 40);

    // Ctrl+wheel over a point keeps that point of the picture under the mouse.
    const QPoint mouse(600, 150);
    const QString before = f.view.PixelReadout(mouse);
    QWheelEvent wheel(QPointF(mouse), QPointF(f.view.viewport()->mapToGlobal(mouse)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(f.view.viewport(), &wheel);
    EXPECT_DOUBLE_EQ(f.view.Scale(), 0.25);
    // Within the pixels that one screen pixel covers, and the scroll bars that came with the zoom.
    const QPoint was = ReadoutPoint(before), is = ReadoutPoint(f.view.PixelReadout(mouse));
    EXPECT_NEAR(is.x(), was.x(), 6);
    EXPECT_NEAR(is.y(), was.y(), 6);
    EXPECT_EQ(f.settings.ImageZoom, 25);  // remembered
    f.view.Execute(Cmd::ZoomIn);
    f.view.Execute(Cmd::ZoomIn);
    EXPECT_DOUBLE_EQ(f.view.Scale(), 1.0);
    EXPECT_TRUE(f.view.Update(Cmd::Zoom1).checked);
    f.view.Execute(Cmd::ZoomOut);
    EXPECT_DOUBLE_EQ(f.view.Scale(), 0.5);

    // Stretch is one mode among the others: 1:1 or Fit turns it off.
    f.view.Execute(Cmd::StretchImage);
    EXPECT_TRUE(f.view.Stretched());
    EXPECT_FALSE(f.view.Update(Cmd::ZoomHalf).checked);
    f.view.Execute(Cmd::ZoomFit);
    EXPECT_FALSE(f.view.Stretched());
    EXPECT_EQ(f.settings.ImageZoom, 0);

    // A picture smaller than the window is not enlarged by Fit.
    f.ShowPicture(40, 30, "small.bmp");
    EXPECT_DOUBLE_EQ(f.view.Scale(), 1.0);
}

TEST(ImageView, SpaceAndBackspaceGoThroughTheCardsAndF11ShowsThePictureAlone) {
    ViewFixture f;
    f.ShowPicture(40, 30, "a.bmp");
    f.ShowPicture(50, 30, "b.bmp");
    f.ShowPicture(60, 30, "c.bmp");
    f.doc.GoTop();
    EXPECT_EQ(f.view.Image().GetWidth(), 40);
    f.view.setFocus();
    QTest::keyClick(&f.view, Qt::Key_Space);
    EXPECT_EQ(f.view.Image().GetWidth(), 50);
    QTest::keyClick(&f.view, Qt::Key_PageDown);
    QTest::keyClick(&f.view, Qt::Key_Space);  // the last card stays
    EXPECT_EQ(f.doc.m_nCurrent, 2);
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    EXPECT_EQ(f.view.Image().GetWidth(), 50);

    f.view.Execute(Cmd::FullScreen);
    FullScreenPicture* alone = f.view.FullScreen();
    ASSERT_TRUE(alone);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(alone));
    EXPECT_EQ(alone->Picture().width(), 50);
    QTest::keyClick(alone, Qt::Key_Space);
    EXPECT_EQ(alone->Picture().width(), 60);
    QTest::keyClick(alone, Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([&] { return f.view.FullScreen() == nullptr; }));
}

TEST(ImageView, TheInformationLinesNameTheFormatAndColoursInWords) {
    ViewFixture f;
    f.ShowPicture(40, 30, "info.bmp");
    ASSERT_TRUE(CImgView::ShowInformation());
    EXPECT_EQ(f.view.ZoomText(), QStringLiteral("fit, 1:1"));
    // White text over a shaded box: the area under the lines is dark even where the window is not.
    const QImage shot = f.view.viewport()->grab().toImage();
    EXPECT_LT(qGray(shot.pixel(3, 40)), 80);
}
