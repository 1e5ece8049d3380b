// The "Video Overlay" window as the user sees it: the video keyed in, the rectangles kept in step
// with its size, the position in the status bar, its menu, closing, and a plane that cannot load.
#include "OverlayFixture.h"

#include "capture/ui/OverlayWindow.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {

class OverlayWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("ALBORA_VIDEO_SOURCE", kSmpte.toUtf8());
        RegisterOverlayDevice(mci);
        window = new OverlayWindow(settings, ui, mci, nullptr);
        window->Controller().onCommand = [this](const QString& command) { log << command; };
    }
    void TearDown() override {
        delete window;
        qunsetenv("ALBORA_VIDEO_SOURCE");
    }
    // Shows and opens the window as activation does, and waits for the video.
    void Activate() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        ASSERT_TRUE(window->Controller().Open());
        ASSERT_TRUE(WaitFor([&] { return VideoShown(); }));
    }
    bool VideoShown() const {
        const QImage& shown = window->Shown();
        return !shown.isNull() && shown.pixel(shown.width() / 2, shown.height() / 2) != qRgb(255, 0, 255);
    }

    CAppSettings settings;
    HeadlessUi ui;
    MciInterpreter mci;
    OverlayWindow* window = nullptr;
    QStringList log;
};

TEST_F(OverlayWindowTest, ShowsTheVideoWhereTheKeyIsAndItsSizeInTheCaption) {
    EXPECT_EQ(window->windowTitle(), "Video Overlay");
    EXPECT_TRUE(window->windowFlags() & Qt::Tool);
    Activate();
    EXPECT_EQ(window->size(), QSize(320, 200));
    EXPECT_EQ(window->windowTitle(), "Overlay [320x200]");
    EXPECT_EQ(window->Shown().pixel(100, 5), qRgb(255, 255, 255));  // the ruler over the video
}

TEST_F(OverlayWindowTest, ResizingALockedWindowResendsItsRectangles) {
    settings.flgLock = 1;
    Activate();
    log.clear();
    window->resize(400, 300);
    ASSERT_TRUE(WaitFor([&] { return log.size() >= 3; }));
    EXPECT_EQ(log.mid(0, 3), (QStringList{"put alboovr frame at 0 0 400 300", "put alboovr source at 0 0 400 300",
                                          "put alboovr destination at 0 0 400 300"}));
    EXPECT_TRUE(WaitFor([&] { return window->windowTitle() == "Overlay [400x300]"; }));
    log.clear();
    window->move(200, 150);
    EXPECT_TRUE(WaitFor([&] { return log.size() == 3; }));
    EXPECT_EQ(log.value(2), "put alboovr destination at 0 0 400 300");
}

TEST_F(OverlayWindowTest, TheMouseShowsWhereItIsAndClosingClosesTheDevice) {
    Activate();
    // Sent to the window itself: on a display shared with other tests another window may lie
    // over it where the pointer would go.
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), window->mapToGlobal(QPointF(30, 40)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    EXPECT_EQ(ui.StatusText(0), "[X=30,Y=40]");
    log.clear();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(log, (QStringList{"set alboovr video off", "close alboovr"}));
    EXPECT_FALSE(window->Controller().IsOpen());
    Activate();  // the next activation opens it again
}

TEST_F(OverlayWindowTest, TheMenuTurnsTheRulerOffAndTheWindowIsRedrawn) {
    Activate();
    QTimer::singleShot(100, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        for (QAction* action : menu->actions())
            if (action->text() == "&Ruler") menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 50), window->mapToGlobal(QPoint(50, 50)));
    QApplication::sendEvent(window, &event);
    EXPECT_EQ(settings.flgEscala, 0);
    EXPECT_TRUE(WaitFor([&] { return window->Shown().pixel(100, 5) != qRgb(255, 255, 255); }));
}

// A message box over the window would repaint it: the plane's message must not come again then.
TEST_F(OverlayWindowTest, APlaneThatCannotBeLoadedIsToldOnceHoweverOftenTheWindowPaints) {
    settings.flgPlano = 1;
    settings.Plantilla = QStringLiteral("/no/such/plane.emf");
    Activate();
    for (int size = 300; size < 310; ++size) {
        window->resize(size, 200);
        window->repaint();
        QTest::qWait(20);
    }
    EXPECT_TRUE(WaitFor([&] { return !ui.Messages().empty(); }));
    QTest::qWait(200);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.LastMessage(), "Error:\nLoading plane");
    EXPECT_EQ(window->windowTitle(), "Overlay [309x200] + /no/such/plane.emf");
}

}  // namespace
