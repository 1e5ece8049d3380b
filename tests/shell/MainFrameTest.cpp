#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/QtUiServices.h"
#include "shell/AlbumSummaryView.h"
#include "shell/CMainFrame.h"
#include "shell/StatusBarWithProgress.h"

#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

struct FrameFixture {
    MemorySettingsStore store;
    CAppSettings settings;
    QtUiServices ui;
    CAlboraDoc doc{ui, settings};
    std::unique_ptr<CMainFrame> frame;

    // A frame placed by WINDOWPOS when given, and shown when SHOW is set.
    explicit FrameFixture(const QString& windowPos = {}, bool show = true) {
        if (!windowPos.isEmpty()) store.WriteText("Settings", "WindowPos", windowPos);
        frame = std::make_unique<CMainFrame>(doc, settings, store, ui);
        if (!show) return;
        frame->RestorePlacement();
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void AddCards(int n) {
        for (int i = 0; i < n; ++i) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = QStringLiteral("Card %1").arg(i);
            card->m_strGraphic = QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QChar('0'));
            doc.Db().InsertSorted(card);
        }
        doc.UpdateAllViews(nullptr, Hint::Rebuild);
    }
};

class TabLog : public QLabel, public View {
public:
    void OnUpdate(View*, int, void*) override {}
    void OnTabActivation(bool shown, View* other) override { events.push_back({shown, other}); }
    std::vector<std::pair<bool, View*>> events;
};

}  // namespace

TEST(MainFrame, StartsWithTheAlbumShownAndTheCommandsOfItsState) {
    FrameFixture f;
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("Untitled[*] - Albora"));
    EXPECT_EQ(f.frame->geometry().size(), QSize(640, 480));
    auto* summary = f.frame->findChild<AlbumSummaryView*>();
    ASSERT_TRUE(summary);
    EXPECT_TRUE(summary->Text().contains(QStringLiteral("Cards: 0")));

    f.AddCards(3);
    f.doc.GoTop();
    EXPECT_TRUE(summary->Text().contains(QStringLiteral("Cards: 3")));
    EXPECT_TRUE(summary->Text().contains(QStringLiteral("Current card 1: Card 0")));

    const CommandRouter& router = f.frame->Router();
    EXPECT_TRUE(router.Update(Cmd::GoBottom).enabled);
    EXPECT_FALSE(router.Update(Cmd::FileSave).enabled);
    EXPECT_FALSE(router.Update(Cmd::FilePrint).enabled);  // no print yet
    EXPECT_TRUE(router.Update(Cmd::ToolbarFiles).checked);

    // The toolbars carry the buttons of their resources.
    const auto bars = f.frame->findChildren<QToolBar*>();
    ASSERT_EQ(bars.size(), 2);
    EXPECT_EQ(bars[0]->windowTitle(), QStringLiteral("Files"));
    EXPECT_EQ(bars[0]->actions().size(), 8);
    EXPECT_EQ(bars[1]->windowTitle(), QStringLiteral("Go to"));
    EXPECT_EQ(f.frame->toolBarArea(bars[1]), Qt::BottomToolBarArea);
    f.frame->Router().Execute(Cmd::ToolbarFiles);
    EXPECT_FALSE(router.Update(Cmd::ToolbarFiles).checked);

    if (const QString shot = qEnvironmentVariable("ALBORA_SCREENSHOT"); !shot.isEmpty())
        f.frame->grab().save(shot);
}

TEST(MainFrame, ShowTabTellsTheHiddenAndTheShownView) {
    FrameFixture f;
    auto* list = new TabLog;
    auto* image = new TabLog;
    f.frame->AddTab(list, list, QStringLiteral(" List "));
    f.frame->AddTab(image, image, QStringLiteral(" Image "));
    f.frame->ShowTab(1);
    f.frame->ShowTab(2);
    f.frame->ShowTab(2);  // already in front: nothing
    f.frame->ShowTab(7);  // no such tab: nothing
    ASSERT_EQ(list->events.size(), 2u);
    EXPECT_EQ(list->events[0], std::make_pair(true, static_cast<View*>(f.frame->findChild<AlbumSummaryView*>())));
    EXPECT_EQ(list->events[1], std::make_pair(false, static_cast<View*>(image)));
    ASSERT_EQ(image->events.size(), 1u);
    EXPECT_EQ(image->events[0], std::make_pair(true, static_cast<View*>(list)));
    EXPECT_EQ(f.frame->ActiveView(), image);
}

TEST(MainFrame, ClosingKeepsPlacementAndRecentAlbums) {
    ScopedTestDir dir;
    MemorySettingsStore store;
    store.WriteText("Settings", "WindowPos", "0,1,-1,-1,-1,-1,30,40,530,440");
    {
        CAppSettings settings;
        QtUiServices ui;
        CAlboraDoc doc(ui, settings);
        CMainFrame frame(doc, settings, store, ui);
        frame.RestorePlacement();
        frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        EXPECT_EQ(frame.geometry().size(), QSize(500, 400));
        doc.SetPathName(dir.Path("x.crp"));
        ASSERT_TRUE(doc.FileSave());
        frame.showMaximized();
        QTest::qWait(50);
        EXPECT_TRUE(frame.close());
    }
    const QString saved = store.ReadText("Settings", "WindowPos").value_or(QString());
    EXPECT_TRUE(saved.startsWith(QStringLiteral("2,3,"))) << saved.toStdString();
    EXPECT_TRUE(saved.endsWith(QStringLiteral(",500,400")) || saved.contains(QStringLiteral(",30,40,")))
        << saved.toStdString();
    EXPECT_EQ(store.ReadText("Recent File List", "File1"), dir.Path("x.crp"));

    // The next start restores it maximised.
    FrameFixture next(saved, false);
    next.frame->RestorePlacement();
    EXPECT_TRUE(next.frame->windowState() & Qt::WindowMaximized);
}

TEST(MainFrame, NineNumbersLeaveThePlacementToThePlatform) {
    FrameFixture f(QStringLiteral("0,1,-1,-1,-1,-1,30,40,530"), false);
    const QRect before = f.frame->geometry();
    f.frame->RestorePlacement();
    EXPECT_EQ(f.frame->geometry(), before);
}

TEST(MainFrame, StatusTextsAndProgressGoThroughTheUiServices) {
    FrameFixture f;
    f.ui.SetStatusTextF(0, "%d items listed", 3);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(0), QStringLiteral("3 items listed"));
    f.ui.SetStatusText(0, QString(400, 'y'));
    EXPECT_EQ(f.frame->StatusBar()->PaneText(0).size(), 255);
    f.ui.ProgressBegin(0, 3, 1);
    f.ui.ProgressStep();
    EXPECT_FALSE(f.ui.CancelRequested());
    f.ui.ProgressEnd();
}
