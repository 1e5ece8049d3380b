#include "TestDoubles.h"
#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/CImageObject.h"
#include "platform/CommandIds.h"
#include "platform/HeadlessUi.h"
#include "platform/MainWindowServices.h"
#include "platform/ProcessLauncher.h"
#include "views/CContactView.h"
#include "views/CImagePreviewCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A sheet of 80x60 cells in an area of 380 x 220: 4 columns and 3 rows, 12 cells.
struct SheetFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    RecordingLauncher launcher;
    RecordingMainWindow tabs;
    HintLog other;
    CContactView view{doc, {ui, launcher, &tabs, nullptr}};

    explicit SheetFixture(int cards, const QSize& area = QSize(380, 220)) {
        doc.AddView(&other);
        for (int i = 0; i < cards; ++i) {
            CImageObject picture;
            picture.Create(32, 24, 24, 2);
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 32; ++x) picture.SetPixelColor(x, y, std::uint8_t(i * 10), 100, 200);
            const QString name = QStringLiteral("card%1.bmp").arg(i, 2, 10, QChar('0'));
            picture.Save(dir.Path(name));
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = name;
            card->m_strGraphic = dir.Path(name);
            doc.Db().List().AddTail(card);
        }
        view.resize(area.width() + view.findChild<QScrollBar*>()->sizeHint().width(), area.height());
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        doc.UpdateAllViews(nullptr, Hint::Rebuild);
        WaitForThumbnails();
    }
    void WaitForThumbnails() { EXPECT_TRUE(WaitFor([this] { return view.Loader().Pending() == 0; })); }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < doc.Db().GetCount(); ++i) names << doc.Db().GetAt(i)->m_strName;
        return names;
    }
    QPoint CentreOf(int card) const { return view.CellRect(card).center(); }
};

// A mouse move straight to the sheet, whatever the pointer of the display does.
void MoveMouse(QWidget* area, const QPoint& point) {
    QMouseEvent move(QEvent::MouseMove, point, area->mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &move);
}

}  // namespace

TEST(ContactView, FillsAsManyCellsAsThereAreCards) {
    SheetFixture f(3);
    EXPECT_EQ(f.view.PerPage(), 12);
    EXPECT_EQ(f.view.Shown(), 3);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Contact:"));
    EXPECT_TRUE(f.view.Cell(0)->Loaded());
    EXPECT_EQ(f.view.Cell(0)->Info(), QStringLiteral("32x24 pixels\r24 bits"));
    EXPECT_EQ(f.view.Cell(2)->TopCaption(), QStringLiteral("003"));
    EXPECT_FALSE(f.view.Cell(3)->isVisible());
}

TEST(ContactView, AFullPageTellsHowToMoveCards) {
    SheetFixture f(30);
    EXPECT_EQ(f.view.Shown(), 12);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Use Ctrl+Drag to move images, Shift+Drag to clone, for Help press F1"));
    if (const QString shot = qEnvironmentVariable("ALBORA_SCREENSHOT"); !shot.isEmpty()) f.view.grab().save(shot);
}

TEST(ContactView, ATinyWindowShowsNoCells) {
    SheetFixture f(3, QSize(60, 40));
    EXPECT_EQ(f.view.PerPage(), 0);
    EXPECT_EQ(f.view.Shown(), 0);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Expand the contact window to view images!"));
}

TEST(ContactView, AnUnreadablePictureShowsTheDiagonals) {
    SheetFixture f(2);
    f.doc.Db().GetAt(1)->m_strGraphic = f.dir.Path("missing.jpg");
    f.doc.UpdateAllViews(nullptr, Hint::Rebuild);
    f.WaitForThumbnails();
    CImagePreviewCtrl* cell = f.view.Cell(1);
    ASSERT_TRUE(WaitFor([cell] { return cell->HasResult(); }));
    EXPECT_FALSE(cell->Loaded());
    const QImage shot = cell->grab().toImage();
    EXPECT_EQ(shot.pixel(20, 15), qRgb(0, 0, 0));  // on the diagonal from the top-left
    EXPECT_EQ(shot.pixel(40, 10), qRgb(255, 255, 255));
}

TEST(ContactView, CtrlDragMovesACardAndMarksTheSideItGoesTo) {
    SheetFixture f(8);
    QTest::mousePress(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(2));
    EXPECT_TRUE(f.view.Dragging());
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Move: (003) waiting for release mouse button!"));
    MoveMouse(f.view.Area(), f.CentreOf(5));
    const QRect cell5 = f.view.CellRect(5);
    EXPECT_EQ(f.view.Marker().left(), cell5.left() + cell5.width() + 5 - 1);
    QTest::mouseRelease(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(5));
    EXPECT_EQ(f.Names().indexOf("card02.bmp"), 5);
    EXPECT_TRUE(f.doc.IsModified());
    f.WaitForThumbnails();

    QTest::mousePress(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(5));
    MoveMouse(f.view.Area(), f.CentreOf(2));
    EXPECT_EQ(f.view.Marker().left(), f.view.CellRect(2).left() - 5 - 1);
    QTest::mouseRelease(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(2));
    EXPECT_EQ(f.Names().indexOf("card02.bmp"), 2);

    // Released outside every cell: nothing changes.
    const QStringList before = f.Names();
    f.WaitForThumbnails();
    QTest::mousePress(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(1));
    QTest::mouseRelease(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
    EXPECT_EQ(f.Names(), before);
    EXPECT_FALSE(f.view.Dragging());
}

TEST(ContactView, AMoveFarDownTheAlbumKeepsTheSheetWhereItWas) {
    SheetFixture f(40);
    f.view.ScrollTo(20);
    f.WaitForThumbnails();
    QTest::mousePress(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(21));
    QTest::mouseRelease(f.view.Area(), Qt::LeftButton, Qt::ControlModifier, f.CentreOf(25));
    EXPECT_EQ(f.Names().indexOf("card21.bmp"), 25);
    EXPECT_EQ(f.view.First(), 20);
    EXPECT_EQ(f.other.hints.back(), Hint::Rebuild);
}

TEST(ContactView, ShiftDragClonesOnlyWhenAskedToAndAlwaysRebuilds) {
    SheetFixture f(4);
    f.ui.QueueAnswer(MsgAnswer::No);
    QTest::mousePress(f.view.Area(), Qt::LeftButton, Qt::ShiftModifier, f.CentreOf(0));
    QTest::mouseRelease(f.view.Area(), Qt::LeftButton, Qt::ShiftModifier, f.CentreOf(3));
    EXPECT_TRUE(f.ui.LastMessage().startsWith(QStringLiteral("Clone no copy:")));
    EXPECT_EQ(f.doc.Db().GetAt(3)->m_strName, QStringLiteral("card03.bmp"));
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.other.hints.back(), Hint::Rebuild);
    f.WaitForThumbnails();
    f.ui.QueueAnswer(MsgAnswer::Yes);
    QTest::mousePress(f.view.Area(), Qt::LeftButton, Qt::ShiftModifier, f.CentreOf(0));
    QTest::mouseRelease(f.view.Area(), Qt::LeftButton, Qt::ShiftModifier, f.CentreOf(3));
    EXPECT_EQ(f.doc.Db().GetAt(3)->m_strGraphic, f.doc.Db().GetAt(0)->m_strGraphic);
}

TEST(ContactView, PagesAndLinesMoveTheFirstCard) {
    SheetFixture f(40);
    f.view.ScrollTo(20);
    EXPECT_EQ(f.view.Shown(), 12);
    f.view.PageDown();
    EXPECT_EQ(f.view.First(), 31);
    f.view.ScrollTo(20);
    f.view.PageUp();
    EXPECT_EQ(f.view.First(), 7);
    f.view.LineUp();
    EXPECT_EQ(f.view.First(), 6);
    f.view.Top();
    f.view.Top();
    EXPECT_EQ(f.ui.Beeps(), 1);
    f.view.Bottom();
    EXPECT_EQ(f.view.First(), 39);
    f.view.LineDown();
    EXPECT_EQ(f.view.First(), 39);
}

TEST(ContactView, TheDragTimerScrollsFasterFartherBeyondTheEdge) {
    SheetFixture f(40);
    f.view.ScrollTo(10);
    for (int tick = 0; tick < 6; ++tick) f.view.DragTick(f.view.Area()->height() + 5);  // d = 0: every 6th tick
    EXPECT_EQ(f.view.First(), 11);
    for (int tick = 0; tick < 6; ++tick) f.view.DragTick(-200);  // far above: every tick
    EXPECT_EQ(f.view.First(), 5);
}

TEST(ContactView, DoubleClickMakesTheCardCurrent) {
    SheetFixture f(5);
    QTest::mouseDClick(f.view.Area(), Qt::LeftButton, {}, f.CentreOf(3));
    EXPECT_EQ(f.doc.m_nCurrent, 3);
    EXPECT_EQ(f.doc.m_strCurrentFile, f.doc.Db().GetAt(3)->m_strGraphic);
    EXPECT_EQ(f.other.hints.back(), Hint::SelectionOnly);
    EXPECT_EQ(f.tabs.tabs, std::vector<int>{MainWindowServices::ImageTab});
}

TEST(ContactView, DroppedFilesAndPaperCaptions) {
    SheetFixture f(1);
    f.view.DropFiles({f.dir.Path("b.jpg"), f.dir.Path("a.jpg")});
    EXPECT_EQ(f.doc.Db().GetCount(), 3);
    EXPECT_EQ(f.doc.Db().GetAt(0)->m_strName, f.dir.Path("a.jpg"));
    EXPECT_EQ(CContactView::PaperCaptionHeight(1, 50), 25);
    EXPECT_EQ(CContactView::PaperCaptionHeight(2, 50), 65);
    EXPECT_EQ(CContactView::PaperCellSize(3), QSize(640, 480));
    EXPECT_EQ(CContactView::CellSize(7), QSize(80, 60));
}

TEST(ContactView, ARaisedCancelRequestAsksWhetherToStopTheFill) {
    SheetFixture f(30);
    f.ui.CancelAfterSteps(1);
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.view.Execute(Cmd::ContactSize0 + 1);  // 160x120: two cells, neither in the cache yet
    ASSERT_TRUE(WaitFor([&f] { return f.view.Loader().Pending() == 0 && !f.ui.ProgressVisible(); }));
    ASSERT_FALSE(f.ui.Messages().empty());
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Cancel contact load?"));
    EXPECT_EQ(f.ui.Messages().back().icon, MsgIcon::Question);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Use Ctrl+Drag to move images, Shift+Drag to clone, for Help press F1"));
}

TEST(ContactView, TheSuperViewerFollowsTheCardUnderTheMouse) {
    SheetFixture f(3);
    f.settings.SuperViewer = 1;
    MoveMouse(f.view.Area(), f.CentreOf(1));
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Photo number: 1"));
    MoveMouse(f.view.Area(), f.CentreOf(2));
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Photo number: 2"));
    // Closed, the window comes back with a beep for the next card.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == f.doc.Db().GetAt(2)->m_strGraphic) w->close();
    MoveMouse(f.view.Area(), f.CentreOf(0));
    EXPECT_EQ(f.ui.Beeps(), 1);
}

TEST(ContactView, ArrowKeysHomeEndAndTheWheelMoveThroughTheSheet) {
    SheetFixture f(30);  // 4 columns, 3 rows: 12 cards a page
    f.view.setFocus();
    QTest::keyClick(&f.view, Qt::Key_Right);
    EXPECT_EQ(f.view.Selected(), 0);
    QTest::keyClick(&f.view, Qt::Key_Right);
    QTest::keyClick(&f.view, Qt::Key_Down);
    EXPECT_EQ(f.view.Selected(), 5);
    EXPECT_FALSE(f.view.Marker().isValid());
    // Beyond the page the sheet follows the selection.
    QTest::keyClick(&f.view, Qt::Key_Down);
    QTest::keyClick(&f.view, Qt::Key_Down);
    EXPECT_EQ(f.view.Selected(), 13);
    EXPECT_EQ(f.view.First(), 2);
    QTest::keyClick(&f.view, Qt::Key_End);
    EXPECT_EQ(f.view.Selected(), 29);
    EXPECT_GE(29, f.view.First());
    QTest::keyClick(&f.view, Qt::Key_Home);
    EXPECT_EQ(f.view.Selected(), 0);
    EXPECT_EQ(f.view.First(), 0);
    // The selected cell carries a broad frame of the highlight colour.
    f.WaitForThumbnails();
    const QRect cell = f.view.CellRect(0);
    const QImage shot = f.view.Area()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(cell.left() - 2, cell.center().y()), f.view.palette().color(QPalette::Highlight));

    QWheelEvent down(QPointF(50, 50), QPointF(f.view.Area()->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&f.view, &down);
    EXPECT_EQ(f.view.First(), 4);  // a row of four

    QTest::keyClick(&f.view, Qt::Key_Down);
    QTest::keyClick(&f.view, Qt::Key_Return);
    EXPECT_EQ(f.doc.m_nCurrent, f.view.Selected());
    EXPECT_EQ(f.tabs.tabs.back(), MainWindowServices::ImageTab);
}

// A new cell size lays the sheet out again around the selected card: it stays in view and only
// its own cell carries the frame.
TEST(ContactView, ANewCellSizeKeepsTheSelectedCardFramedAndInView) {
    SheetFixture f(30);
    f.view.setFocus();
    for (int i = 0; i < 12; ++i) QTest::keyClick(&f.view, Qt::Key_Right);
    ASSERT_EQ(f.view.Selected(), 11);
    const QRect before = f.view.CellRect(11);
    const QColor frame = f.view.palette().color(QPalette::Highlight);

    f.view.Execute(Cmd::ContactSize0 + 1);  // 160x120: two cells a page
    f.WaitForThumbnails();
    EXPECT_LE(f.view.First(), 11);
    EXPECT_GT(f.view.First() + f.view.PerPage(), 11);
    const QRect after = f.view.CellRect(11);
    ASSERT_FALSE(after.isEmpty());
    const QImage shot = f.view.Area()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(after.left() - 2, after.center().y()), frame);
    if (!after.adjusted(-4, -4, 4, 4).contains(QPoint(before.left() - 2, before.center().y()))) {
        EXPECT_NE(shot.pixelColor(before.left() - 2, before.center().y()), frame);
    }

    // So does a window of another size.
    f.view.resize(f.view.width(), 400);
    f.WaitForThumbnails();
    EXPECT_LE(f.view.First(), 11);
    EXPECT_GT(f.view.First() + f.view.PerPage(), 11);
    EXPECT_EQ(f.view.findChild<QScrollBar*>()->value(), f.view.First());
    const QImage taller = f.view.Area()->grab().toImage();
    EXPECT_EQ(taller.pixelColor(f.view.CellRect(11).left() - 2, f.view.CellRect(11).center().y()), frame);
}
