#include "TestFiles.h"
#include "image/CImageObject.h"
#include "platform/HeadlessUi.h"
#include "views/CFloatImageWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

TEST(FloatImageWnd, ShowsAFileAndPansWhenTheButtonComesUp) {
    ScopedTestDir dir;
    CImageObject picture;
    picture.Create(50, 40, 24);
    picture.Save(dir.Path("p.png"));
    HeadlessUi ui;
    CFloatImageWnd window(ui, nullptr);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Imagen"));
    window.ShowFile(dir.Path("missing.png"));
    EXPECT_FALSE(window.HasImage());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Imagen"));

    window.ShowFile(dir.Path("p.png"));
    ASSERT_TRUE(window.HasImage());
    EXPECT_EQ(window.windowTitle(), dir.Path("p.png"));
    EXPECT_EQ(window.size(), QSize(60, 50));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&window, QPoint(25, 15));
    EXPECT_EQ(window.PanOffset(), QPoint(0, 0));  // nothing moves during the drag
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(40, 20));
    EXPECT_EQ(window.PanOffset(), QPoint(30, 10));
    window.GoHome();
    EXPECT_EQ(window.PanOffset(), QPoint(0, 0));

    window.CopyImage();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/svg+xml")));
    window.ShowInformation();
    EXPECT_TRUE(ui.LastMessage().startsWith(QStringLiteral("File:\t")));
    window.close();
    EXPECT_FALSE(window.isVisible());
}
