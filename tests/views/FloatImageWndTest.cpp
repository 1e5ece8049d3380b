#include "TestFiles.h"
#include "image/CImageObject.h"
#include "platform/HeadlessUi.h"
#include "views/CFloatImageWnd.h"
#include "views/PlaceBeside.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString SavePicture(const ScopedTestDir& dir, int w, int h, const char* name) {
    CImageObject picture;
    picture.Create(w, h, 24);
    picture.Save(dir.Path(name));
    return dir.Path(name);
}

}  // namespace

TEST(FloatImageWnd, ShowsAFileAndPansWhenTheButtonComesUp) {
    ScopedTestDir dir;
    const QString file = SavePicture(dir, 200, 150, "p.png");
    HeadlessUi ui;
    CFloatImageWnd window(ui, nullptr);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Imagen"));
    window.ShowFile(dir.Path("missing.png"));
    EXPECT_FALSE(window.HasImage());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Imagen"));

    window.ShowFile(file);
    ASSERT_TRUE(window.HasImage());
    EXPECT_EQ(window.windowTitle(), file);
    EXPECT_EQ(window.size(), QSize(200, 150));  // a picture smaller than half the screen keeps its size
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.SetZoom({ImageZoom::Mode::Scale, 2});
    const QPoint before = window.ScrollOffset();
    QTest::mousePress(window.viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(window.viewport(), QPoint(55, 45));
    EXPECT_EQ(window.ScrollOffset(), before);  // nothing moves during the drag
    QTest::mouseRelease(window.viewport(), Qt::LeftButton, {}, QPoint(70, 50));
    EXPECT_EQ(window.ScrollOffset(), before - QPoint(30, 10));
    window.GoHome();
    EXPECT_EQ(window.ScrollOffset(), QPoint(0, 0));

    window.CopyImage();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/svg+xml")));
    window.ShowInformation();
    EXPECT_TRUE(ui.LastMessage().startsWith(QStringLiteral("File:\t")));
    window.close();
    EXPECT_FALSE(window.isVisible());
}

TEST(FloatImageWnd, OpensFittedIntoHalfTheScreenBesideTheSheetAndZoomsWithKeys) {
    ScopedTestDir dir;
    const QString file = SavePicture(dir, 2048, 1536, "big.bmp");
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget sheet;
    sheet.setGeometry(available.left() + 20, available.top() + 30, 500, 400);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    HeadlessUi ui;
    CFloatImageWnd window(ui, nullptr, &sheet);
    window.ShowFile(file);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.Zoom().mode, ImageZoom::Mode::Fit);
    EXPECT_LE(window.width(), available.width() / 2);
    EXPECT_EQ(window.size(), (ImageZoom{}.Drawn(QSize(2048, 1536), QSize(available.width() / 2, available.height()))));
    EXPECT_FALSE(window.frameGeometry().intersects(sheet.frameGeometry()));
    EXPECT_TRUE(available.contains(window.frameGeometry()));

    window.setFocus();
    QTest::keyClick(&window, Qt::Key_1);
    EXPECT_EQ(window.Scale(), 1);
    ASSERT_GT(window.horizontalScrollBar()->maximum(), 0);
    const int x = window.ScrollOffset().x();
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_GT(window.ScrollOffset().x(), x);
    QTest::keyClick(&window, Qt::Key_0);
    EXPECT_EQ(window.Zoom().mode, ImageZoom::Mode::Fit);
    EXPECT_EQ(window.horizontalScrollBar()->maximum(), 0);
    const double fitted = window.Scale();
    QTest::keyClick(&window, Qt::Key_Plus);
    EXPECT_EQ(window.Scale(), ImageZoom::Step(fitted, +1));
    QTest::keyClick(&window, Qt::Key_Minus);
    QTest::keyClick(&window, Qt::Key_Minus);
    EXPECT_EQ(window.Scale(), ImageZoom::Step(ImageZoom::Step(ImageZoom::Step(fitted, +1), -1), -1));
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window.Zoom().mode, ImageZoom::Mode::Fit);
}

TEST(FloatImageWnd, GoesRightOfTheSheetElseLeftElseOnTheRoomierSideOfTheScreen) {
    const QRect screen(0, 0, 1280, 1000);
    const QSize size(400, 300);
    EXPECT_EQ(PlaceBeside(size, QRect(0, 100, 800, 600), screen), QRect(QPoint(800, 100), size));
    EXPECT_EQ(PlaceBeside(size, QRect(600, 100, 680, 600), screen), QRect(QPoint(200, 100), size));
    // A sheet as large as the screen cannot be avoided; the window stays on the screen.
    EXPECT_EQ(PlaceBeside(size, QRect(100, 900, 1100, 100), screen), QRect(QPoint(0, 700), size));
}
