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
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
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
    // The brightness and contrast are chosen after the window previewed them; DURING_PREVIEW
    // sees the window then.
    int brightness = 200, contrast = 128;
    bool acceptBrightness = true;
    std::function<void()> duringPreview;
    bool AskBrightnessContrast(int& b, int& c, const Preview& preview) override {
        preview(brightness, contrast);
        if (duringPreview) duringPreview();
        b = brightness;
        c = contrast;
        return acceptBrightness;
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

TEST(ImageView, TheSelectionKeepsItsPartOfThePictureAndCropsItAtAnyZoom) {
    ViewFixture f;
    f.ShowPicture(40, 30);
    EXPECT_FALSE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.SetSelection(QRect(f.view.Origin() + QPoint(5, 5), QSize(10, 8)));
    EXPECT_EQ(f.view.PictureSelection(), QRect(5, 5, 10, 8));
    EXPECT_TRUE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.Execute(Cmd::Zoom2);
    EXPECT_EQ(f.view.Selection(), QRect(f.view.Origin() + QPoint(10, 10), QSize(20, 16)));
    EXPECT_TRUE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.Execute(Cmd::StretchImage);
    EXPECT_EQ(f.view.PictureSelection(), QRect(5, 5, 10, 8));
    EXPECT_TRUE(f.view.Update(Cmd::ImageCrop).enabled);
    f.view.Execute(Cmd::StretchImage);
    // A rectangle reaching past the picture selects only the picture.
    f.view.SetSelection(QRect(f.view.Origin() + QPoint(10, 10), f.view.Origin() + QPoint(200, 200)));
    EXPECT_EQ(f.view.PictureSelection(), QRect(QPoint(5, 5), QPoint(39, 29)));
    f.view.SetSelection(QRect(f.view.Origin() + QPoint(10, 10), QSize(20, 16)));
    f.view.Execute(Cmd::ImageCrop);
    EXPECT_EQ(f.view.Image().GetWidth(), 10);
    EXPECT_EQ(f.view.Image().GetHeight(), 8);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Croped new size: (10,8)"));
    EXPECT_TRUE(f.view.Modified());
    // The crop's top-left pixel is the picture's (5, 5), DIB row 24.
    std::uint8_t r, g, b;
    f.view.Image().GetPixelColor(0, 7, r, g, b);
    EXPECT_EQ(QColor(r, g, b), QColor(15, 120, 77));
}

TEST(ImageView, ASelectionInAFittedPictureCropsThePartOfThePictureUnderIt) {
    ViewFixture f;
    f.ShowPicture(800, 600);
    ASSERT_EQ(f.view.Zoom().mode, ImageZoom::Mode::Fit);
    const double scale = f.view.Scale();
    ASSERT_LT(scale, 0.6);
    // The top-left quarter of the picture as drawn.
    const QPoint o = f.view.Origin();
    f.view.SetSelection(QRect(o, o + QPoint(int(400 * scale) - 1, int(300 * scale) - 1)));
    const QRect part = f.view.PictureSelection();
    EXPECT_EQ(part.topLeft(), QPoint(0, 0));
    EXPECT_NEAR(part.width(), 400, 2 / scale);
    EXPECT_NEAR(part.height(), 300, 2 / scale);
    f.view.Execute(Cmd::ImageCrop);
    EXPECT_EQ(QSize(f.view.Image().GetWidth(), f.view.Image().GetHeight()), part.size());
    std::uint8_t r, g, b;
    f.view.Image().GetPixelColor(0, part.height() - 1, r, g, b);
    EXPECT_EQ(r, 250);  // the picture's red top-left pixel
}

TEST(ImageView, BrightnessAndContrastArePreviewedAndCancelRestoresThePicture) {
    ViewFixture f;
    f.ShowPicture(40, 30);
    const auto shown = [&] { return f.view.viewport()->grab().toImage().pixelColor(f.view.Origin() + QPoint(30, 25)); };
    const QColor before(90, 20, 77);  // DIB row 4
    ASSERT_EQ(shown(), before);
    f.dialogs.brightness = 255;  // +127
    f.dialogs.contrast = 128;
    QColor preview;
    f.dialogs.duringPreview = [&] { preview = shown(); };
    f.dialogs.acceptBrightness = false;
    f.view.Execute(Cmd::BrightnessContrast);
    EXPECT_EQ(preview, QColor(217, 147, 204));
    EXPECT_EQ(shown(), before);
    EXPECT_FALSE(f.view.Modified());

    f.dialogs.brightness = 128;
    f.dialogs.contrast = 0;
    f.dialogs.acceptBrightness = true;
    f.view.Execute(Cmd::BrightnessContrast);
    EXPECT_EQ(preview, QColor(128, 128, 128));
    EXPECT_EQ(shown(), QColor(128, 128, 128));
    EXPECT_TRUE(f.view.Modified());
}

TEST(ImageView, TheBrightnessDialogShowsItsValuesAndPreviewsThem) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QtImageViewDialogs dialogs(nullptr);
    std::vector<std::pair<int, int>> previews;
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* contrast = dialog->findChild<QSlider*>(QStringLiteral("contrast"));
        ASSERT_TRUE(contrast);
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("contrastValue"))->text(), QStringLiteral("128"));
        contrast->setValue(150);
        dialog->findChild<QSlider*>(QStringLiteral("brightness"))->setValue(90);
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("contrastValue"))->text(), QStringLiteral("150"));
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("brightnessValue"))->text(), QStringLiteral("90"));
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    int brightness = 128, contrast = 128;
    ASSERT_TRUE(dialogs.AskBrightnessContrast(brightness, contrast, [&](int b, int c) { previews.emplace_back(b, c); }));
    EXPECT_EQ(brightness, 90);
    EXPECT_EQ(contrast, 150);
    EXPECT_EQ(previews, (std::vector<std::pair<int, int>>{{128, 150}, {90, 150}}));
}

TEST(ImageView, TheSizeDialogKeepsProportionsUntilUnlocked) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QtImageViewDialogs dialogs(nullptr);
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* width = dialog->findChild<QSpinBox*>(QStringLiteral("width"));
        auto* height = dialog->findChild<QSpinBox*>(QStringLiteral("height"));
        auto* lock = dialog->findChild<QCheckBox*>(QStringLiteral("keepProportions"));
        ASSERT_TRUE(width && height && lock);
        EXPECT_TRUE(lock->isChecked());
        width->setValue(1024);
        EXPECT_EQ(height->value(), 768);
        height->setValue(300);
        EXPECT_EQ(width->value(), 400);
        lock->setChecked(false);
        width->setValue(500);
        EXPECT_EQ(height->value(), 300);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    int width = 2048, height = 1536;
    ImageTransforms::Filter filter;
    ASSERT_TRUE(dialogs.AskSize(width, height, filter));
    EXPECT_EQ(QSize(width, height), QSize(500, 300));
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
