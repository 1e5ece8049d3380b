#include "FrameFixture.h"
#include "TestFiles.h"
#include "album/ui/CAlboraView.h"
#include "platform/CommandIds.h"
#include "platform/widgets/CommandActions.h"
#include "views/CImgView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <set>

namespace {

// One run of the program over STORE, its window on the screen.
struct ShownRun {
    CAppSettings settings;
    GuiSession session;
    CMainFrame& frame;
    explicit ShownRun(SettingsStore& store) : session(settings, store), frame(*session.frame) {
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
};

QStringList Captions(const std::vector<QToolBar*>& bars) {
    QStringList captions;
    for (const QToolBar* bar : bars) captions << bar->windowTitle();
    return captions;
}

// Whether PICTURE holds more than one colour: something is drawn on it.
bool Drawn(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != picture.pixel(0, 0)) return true;
    return false;
}

// Shows every toolbar that has buttons and checks that each shows something.
void ExpectEveryToolbarDrawn(FrameFixture& f) {
    for (QToolBar* bar : f.frame->Toolbars())
        if (!bar->actions().isEmpty()) bar->show();
    QTest::qWait(50);
    const QImage shot = f.frame->grab().toImage();
    EXPECT_EQ(shot.size(), f.frame->size() * f.frame->devicePixelRatio());
    if (const QString file = qEnvironmentVariable("ALBORA_SCREENSHOT"); !file.isEmpty())
        shot.save(file + (f.frame->IsClassicLayout() ? QStringLiteral("-classic.png") : QStringLiteral("-tabbed.png")));
    for (QToolBar* bar : f.frame->Toolbars()) {
        if (!bar->isVisible()) continue;
        EXPECT_TRUE(Drawn(bar->grab().toImage())) << bar->windowTitle().toStdString();
    }
}

}  // namespace

TEST(Toolbars, ThirteenBarsDockWhereTheyBelongWithAnIconOnEveryButton) {
    FrameFixture f;
    const std::vector<QToolBar*>& bars = f.frame->Toolbars();
    EXPECT_EQ(Captions(bars), (QStringList{"Files", "Edit", "Cards", "Images", "Images operations", "Video for Windows", "Classic",
                                           "Anotations", "Maximize views", "Go to", "Devices", "Tools", "Draw"}));
    EXPECT_EQ(bars[0]->actions().size(), 8);
    EXPECT_EQ(bars[12]->actions().size(), 19);
    EXPECT_EQ(f.frame->toolBarArea(bars[0]), Qt::TopToolBarArea);
    EXPECT_EQ(f.frame->toolBarArea(bars[6]), Qt::RightToolBarArea);
    EXPECT_EQ(f.frame->toolBarArea(bars[9]), Qt::TopToolBarArea);
    EXPECT_EQ(f.frame->toolBarArea(bars[4]), Qt::BottomToolBarArea);
    EXPECT_EQ(f.frame->toolBarArea(bars[12]), Qt::LeftToolBarArea);
    EXPECT_EQ(bars[6]->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    // The camera's bar is there, its buttons off until a camera is connected.
    EXPECT_EQ(bars[5]->actions().size(), 10);
    EXPECT_TRUE(f.frame->Router().Update(Cmd::ToolbarCaptureVfw).enabled);
    EXPECT_FALSE(f.frame->Router().Update(Cmd::VfwPreview).enabled);
    for (const QToolBar* bar : bars)
        for (const QAction* action : bar->actions())
            if (!action->isSeparator()) {
                EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
                EXPECT_FALSE(action->toolTip().isEmpty()) << action->text().toStdString();
                EXPECT_FALSE(action->statusTip().isEmpty()) << action->text().toStdString();
            }
    ExpectEveryToolbarDrawn(f);
}

// A first start at 1280 pixels shows the bars across the window in two rows, the top one and the
// bottom one, none cut short; the camera's bar waits until it is asked for.
TEST(Toolbars, AFirstStartShowsTheBarsInTwoRowsAt1280Pixels) {
    FrameFixture f(QStringLiteral("0,1,-1,-1,-1,-1,0,0,1280,1024"));
    ASSERT_EQ(f.frame->width(), 1280);
    QTest::qWait(50);
    std::set<int> rows;
    for (QToolBar* bar : f.frame->Toolbars()) {
        const Qt::ToolBarArea area = f.frame->toolBarArea(bar);
        if (!bar->isVisible() || (area != Qt::TopToolBarArea && area != Qt::BottomToolBarArea)) continue;
        rows.insert(bar->y());
        const auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        EXPECT_FALSE(more && more->isVisible()) << bar->windowTitle().toStdString();
    }
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_FALSE(f.frame->ToolbarOf(Cmd::ToolbarCaptureVfw)->isVisible());
    EXPECT_FALSE(f.frame->Router().Update(Cmd::ToolbarCaptureVfw).checked);
    f.frame->Router().Execute(Cmd::ToolbarCaptureVfw);
    EXPECT_TRUE(f.frame->ToolbarOf(Cmd::ToolbarCaptureVfw)->isVisible());
}

// Every menu of the menu bar shows in one row at 1024 pixels, with room to spare for a larger
// desktop font or the longer titles of a translation.
TEST(Layout, TheMenuBarFitsAt1024PixelsWithALargeFont) {
    const QFont before = QApplication::font();
    QFont desktop = before;
    desktop.setPointSizeF(12);  // a size above GNOME's 11
    QApplication::setFont(desktop);
    {
        FrameFixture f(QStringLiteral("0,1,-1,-1,-1,-1,0,0,1024,768"));
        QTest::qWait(50);
        QMenuBar* bar = f.frame->menuBar();
        const auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        EXPECT_FALSE(more && more->isVisible());
        for (QAction* menu : bar->actions()) {
            const QRect place = bar->actionGeometry(menu);
            EXPECT_TRUE(!place.isEmpty() && place.top() == 0 && place.right() < bar->width()) << menu->text().toStdString();
        }
    }
    QApplication::setFont(before);
}

TEST(Toolbars, TheRightClickMenuAndTheTogglesShowAndHideBarsAndTheArrangementOutlivesTheRun) {
    MemorySettingsStore store;
    {
        ShownRun run(store);
        CMainFrame& frame = run.frame;
        std::unique_ptr<QMenu> menu(frame.createPopupMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) texts << action->text();
        EXPECT_EQ(texts, (QStringList{"&Files", "&Edit", "&Cards", "&Images", "&Devices", "&Tools", "Cla&ssic", "&Anotations",
                                      "Image &operations", "&Maximize views", "&Go to", "Capture &VfW", "Dra&w"}));
        EXPECT_TRUE(menu->actions()[2]->isChecked());
        menu->actions()[2]->trigger();  // hides "Cards"
        EXPECT_FALSE(frame.ToolbarOf(Cmd::ToolbarCards)->isVisible());
        EXPECT_FALSE(frame.Router().Update(Cmd::ToolbarCards).checked);
        frame.addToolBar(Qt::BottomToolBarArea, frame.ToolbarOf(Cmd::ToolbarGoTo));
        ASSERT_TRUE(frame.close());
    }
    ShownRun next(store);
    CMainFrame& frame = next.frame;
    EXPECT_FALSE(frame.ToolbarOf(Cmd::ToolbarCards)->isVisible());
    EXPECT_TRUE(frame.ToolbarOf(Cmd::ToolbarFiles)->isVisible());
    EXPECT_EQ(frame.toolBarArea(frame.ToolbarOf(Cmd::ToolbarGoTo)), Qt::BottomToolBarArea);
}

TEST(Layout, TheClassicLayoutStacksTheFourAlbumViewsAndTheSizeCommandsShareTheHeight) {
    FrameFixture f(QStringLiteral("0,1,-1,-1,-1,-1,0,0,900,800"), true, true);
    EXPECT_TRUE(f.frame->IsClassicLayout());
    EXPECT_FALSE(f.frame->findChild<QTabWidget*>());
    EXPECT_EQ(f.session->webView, nullptr);
    auto* splitter = f.frame->findChild<QSplitter*>();
    ASSERT_TRUE(splitter);
    ASSERT_EQ(splitter->count(), 4);
    EXPECT_EQ(splitter->orientation(), Qt::Vertical);
    EXPECT_EQ(f.frame->GetWebLocation(), QString());
    f.frame->NavigateWeb(QStringLiteral("file:///nowhere"));  // nothing to navigate: no crash
    f.frame->ShowTab(MainWindowServices::ImageTab);           // no tabs: nothing
    EXPECT_EQ(f.frame->ActiveView(), static_cast<View*>(f.session->list));

    const CommandRouter& router = f.frame->Router();
    const auto sizes = [&] { return splitter->sizes(); };
    router.Execute(Cmd::MaximizeImageView);
    // The whole height less the splitter's handles.
    const int height = sizes()[1];
    EXPECT_GT(height, splitter->height() - 20);
    EXPECT_EQ(sizes(), (QList<int>{0, height, 0, 0}));
    EXPECT_EQ(f.frame->ActiveView(), static_cast<View*>(f.session->image));
    router.Execute(Cmd::DrawAnnotationView);
    EXPECT_EQ(sizes(), (QList<int>{0, 0, 0, height}));
    router.Execute(Cmd::ImageContactView);
    EXPECT_EQ(sizes()[0], 0);
    EXPECT_NEAR(sizes()[1], height / 2, 1);
    EXPECT_NEAR(sizes()[2], height / 2, 1);
    router.Execute(Cmd::RestoreAllViews);
    for (int size : sizes()) EXPECT_NEAR(size, height / 4, 4);
    EXPECT_EQ(f.frame->ActiveView(), static_cast<View*>(f.session->list));
    EXPECT_TRUE(router.Update(Cmd::ClassicLayout).checked);
    ExpectEveryToolbarDrawn(f);

    // Every menu comes up in this layout too.
    for (QAction* action : f.frame->menuBar()->actions())
        if (QMenu* menu = action->menu()) Q_EMIT menu->aboutToShow();
}

TEST(Layout, TheTabbedLayoutLeavesTheSizeCommandsOffAndTheClassicQuestionDecidesTheNextStart) {
    FrameFixture f;
    const CommandRouter& router = f.frame->Router();
    for (int id : {Cmd::MaximizeListView, Cmd::MaximizeImageView, Cmd::ContactView, Cmd::ImageContactView, Cmd::RestoreAllViews})
        EXPECT_FALSE(router.Update(id).enabled) << id;
    EXPECT_TRUE(router.Update(Cmd::DrawAnnotationView).enabled);  // brings the Draw tab forward
    EXPECT_FALSE(router.Update(Cmd::ClassicLayout).checked);

    const auto answer = [](QMessageBox::StandardButton button, QString* text) {
        QTimer::singleShot(0, [=] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *text = box->text();
                box->button(button)->click();
            }
        });
    };
    QString asked;
    answer(QMessageBox::Cancel, &asked);
    router.Execute(Cmd::ClassicLayout);
    EXPECT_EQ(asked, QStringLiteral("Albora will close now to make the changes take effect!"));
    EXPECT_EQ(f.settings.ClasicLayout, 0);
    EXPECT_TRUE(f.frame->isVisible());

    answer(QMessageBox::Ok, &asked);
    router.Execute(Cmd::ClassicLayout);
    EXPECT_EQ(f.settings.ClasicLayout, 1);
    EXPECT_FALSE(f.frame->isVisible());  // closed, as the exit command does
}

// The drawing's bar belongs to the Draw tab: it shows there unless the user hid it, and the
// user's choice outlives the run whatever tab was shown at the close.
TEST(Toolbars, TheDrawBarShowsOnTheDrawTabOnlyAndCanBeHidden) {
    MemorySettingsStore store;
    {
        ShownRun run(store);
        CMainFrame& frame = run.frame;
        QToolBar* draw = frame.ToolbarOf(Cmd::ToolbarDraw);
        ASSERT_TRUE(draw);
        EXPECT_FALSE(draw->isVisible());  // the List tab
        frame.ShowTab(MainWindowServices::DrawTab);
        EXPECT_TRUE(draw->isVisible());
        EXPECT_TRUE(frame.Router().Update(Cmd::ToolbarDraw).checked);
        frame.Router().Execute(Cmd::ToolbarDraw);
        EXPECT_FALSE(draw->isVisible());
        EXPECT_FALSE(frame.Router().Update(Cmd::ToolbarDraw).checked);
        frame.ShowTab(MainWindowServices::ListTab);
        frame.ShowTab(MainWindowServices::DrawTab);
        EXPECT_FALSE(draw->isVisible());
        frame.Router().Execute(Cmd::ToolbarDraw);
        EXPECT_TRUE(draw->isVisible());
        frame.Router().Execute(Cmd::ToolbarDraw);  // hidden at the close
        frame.ShowTab(MainWindowServices::ListTab);
        ASSERT_TRUE(frame.close());
    }
    ShownRun next(store);
    CMainFrame& frame = next.frame;
    frame.ShowTab(MainWindowServices::DrawTab);
    EXPECT_FALSE(frame.ToolbarOf(Cmd::ToolbarDraw)->isVisible());
    EXPECT_FALSE(frame.Router().Update(Cmd::ToolbarDraw).checked);
}


namespace {

// The window manager's stacking order, bottom first; empty without a window manager.
std::vector<WId> StackingOrder() {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    if (!xprop.waitForFinished(5000)) return {};
    std::vector<WId> order;
    const QString text = QString::fromLatin1(xprop.readAllStandardOutput());
    static const QRegularExpression id(QStringLiteral("0x[0-9a-f]+"));
    for (auto it = id.globalMatch(text); it.hasNext();) order.push_back(it.next().captured().toULong(nullptr, 16));
    return order;
}

}  // namespace

// A bar left floating comes back above the main window, not behind it: it appears with the
// layout before the main window has a window of its own to belong to.
TEST(Toolbars, AFloatingBarComesBackAboveTheMainWindow) {
    MemorySettingsStore store;
    {
        ShownRun run(store);
        CMainFrame& frame = run.frame;
        // What the layout does with a bar dragged off its dock.
        QToolBar* goTo = frame.ToolbarOf(Cmd::ToolbarGoTo);
        goTo->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        goTo->move(frame.geometry().center());
        goTo->show();
        ASSERT_TRUE(goTo->isFloating());
        ASSERT_TRUE(frame.close());
    }
    CAppSettings settings;
    GuiSession session(settings, store);
    CMainFrame& frame = *session.frame;
    frame.RestorePlacement();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QToolBar* goTo = frame.ToolbarOf(Cmd::ToolbarGoTo);
    ASSERT_TRUE(goTo->isFloating());
    EXPECT_TRUE(WaitFor([&] { return goTo->isVisible(); }, 2000));
    QTest::qWait(300);
    const std::vector<WId> order = StackingOrder();
    if (order.empty()) GTEST_SKIP() << "no window manager on this display";
    const auto window = std::find(order.begin(), order.end(), frame.winId());
    const auto bar = std::find(order.begin(), order.end(), goTo->winId());
    ASSERT_NE(window, order.end());
    ASSERT_NE(bar, order.end());
    EXPECT_GT(bar, window);
}
