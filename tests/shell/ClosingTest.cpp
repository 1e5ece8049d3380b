// How the program ends: the questions about unsaved work, asked in real message boxes, and the end
// of the process with the main window.
#include "DialogAnswers.h"
#include "FrameFixture.h"
#include "TestFiles.h"
#include "platform/CommandIds.h"
#include "platform/widgets/CommandActions.h"
#include "web/ui/CHTMLViewS.h"

#include <QToolBar>
#include <QWebEngineView>

namespace {

constexpr int kWebTab = 4;

// Answers the coming message boxes in turn with ANSWERS, keeping their texts in ASKED.
void AnswerMessages(std::vector<QMessageBox::StandardButton> answers, QStringList& asked) {
    if (answers.empty()) return;
    OnNext<QMessageBox>([answers, &asked](QMessageBox* box) {
        asked << box->text();
        AnswerMessages({answers.begin() + 1, answers.end()}, asked);
        box->button(answers.front())->click();
    });
}

// A main window over two cards, on the first, whose drawing has a change.
struct ChangedDrawing : FrameFixture {
    ScopedTestDir dir;
    DrawAnnotation& draw = session->draw;

    ChangedDrawing() {
        AddCards(2);
        doc->GoTop();
        Change();
    }
    void Change() { draw.Edits().Add(std::make_shared<CDrawRect>(PageRect{0, 10, 10, 0})); }
};

}  // namespace

// Ctrl+Q, closing the window and File > New ask about a changed drawing first and then about the
// album; Cancel, or a Yes whose save fails, keeps the program running with the drawing.
TEST(Closing, AChangedDrawingIsAskedAboutBeforeTheAlbum) {
    ChangedDrawing f;
    EXPECT_EQ(f.draw.Page().annotationPath, "IMG_0000.adw");
    EXPECT_TRUE(WaitFor([&] { return f.frame->isWindowModified(); }, 2000));
    f.doc->SetModifiedFlag();

    QStringList asked;
    AnswerMessages({QMessageBox::Cancel}, asked);
    QAction* exit = f.frame->Actions().Action(Cmd::AppExit);
    EXPECT_EQ(exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    f.frame->Actions().Refresh();
    exit->trigger();
    EXPECT_EQ(asked, QStringList{"Save draw anotation ?:\nIMG_0000.adw"});
    EXPECT_TRUE(f.frame->isVisible());

    f.draw.Page().annotationPath = f.dir.Path("no/such/folder/IMG_0000.adw");
    asked.clear();
    AnswerMessages({QMessageBox::Yes, QMessageBox::Ok}, asked);
    EXPECT_FALSE(f.frame->close());
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[1].startsWith("Error:\nCan't save draw anotation!")) << asked[1].toStdString();
    EXPECT_EQ(f.draw.Page().objects.size(), 1u);

    asked.clear();
    AnswerMessages({QMessageBox::No, QMessageBox::Cancel}, asked);
    EXPECT_FALSE(f.frame->close());
    EXPECT_EQ(asked, (QStringList{"Save draw anotation ?:\n" + f.dir.Path("no/such/folder/IMG_0000.adw"),
                                  "Save changes to Untitled?"}));
    EXPECT_TRUE(f.frame->isWindowModified());  // the album is still changed

    f.draw.Page().annotationPath = "IMG_0000.adw";
    f.Change();
    asked.clear();
    AnswerMessages({QMessageBox::Yes, QMessageBox::No}, asked);
    EXPECT_TRUE(f.frame->close());
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(QFile::exists(f.dir.Path("IMG_0000.adw")));
}

// Moving to another card (Ctrl+PgDown) with a changed drawing: Cancel stays on the card in the
// document and in the draw view alike.
TEST(Closing, CancelKeepsTheCardWhoseDrawingChanged) {
    ChangedDrawing f;
    QStringList asked;
    AnswerMessages({QMessageBox::Cancel}, asked);
    f.frame->Actions().Refresh();
    f.frame->Actions().Action(Cmd::GoNext)->trigger();
    EXPECT_EQ(asked, QStringList{"Save draw anotation ?:\nIMG_0000.adw"});
    EXPECT_EQ(f.doc->m_nCurrent, 0);
    EXPECT_EQ(f.draw.Page().annotationPath, "IMG_0000.adw");
    EXPECT_EQ(f.draw.Page().objects.size(), 1u);

    AnswerMessages({QMessageBox::No}, asked);
    f.frame->Actions().Action(Cmd::GoNext)->trigger();
    EXPECT_EQ(f.doc->m_nCurrent, 1);
    EXPECT_EQ(f.draw.Page().annotationPath, "IMG_0001.adw");
    EXPECT_TRUE(f.draw.Page().objects.empty());
}

// The program ends with its main window. Showing the web site makes the main window's native
// window anew, after which a floating toolbar no longer counted as one of its secondary windows
// and kept the program running with nothing to show.
TEST(Closing, ExitEndsTheProgramWhenAToolbarFloatsAfterTheWebSiteWasShown) {
    FrameFixture f;
    QToolBar* bar = f.frame->Toolbars().front();
    // What dragging a toolbar off the window makes of it.
    bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    bar->move(f.frame->geometry().bottomRight() + QPoint(20, 20));
    bar->show();
    ASSERT_TRUE(bar->isFloating());
    f.frame->ShowTab(kWebTab);
    ASSERT_TRUE(WaitFor([&] { return f.session->webView->findChild<QWebEngineView*>() != nullptr; }));
    QTest::qWait(500);

    QTimer::singleShot(0, f.frame, [&] { f.frame->Router().Execute(Cmd::AppExit); });
    QTimer stillRunning;
    stillRunning.setSingleShot(true);
    QObject::connect(&stillRunning, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stillRunning.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(f.frame->isVisible());
}

// Showing the web site makes the main window's native window anew: the placement saved at the
// close must still be the window's, maximised or not, so that it does not move at each start.
TEST(Closing, ThePlacementOutlivesTheWebSiteTab) {
    for (const bool maximized : {false, true}) {
        QString saved;
        {
            FrameFixture f(QStringLiteral("0,1,-1,-1,-1,-1,30,40,630,440"));
            if (maximized) f.frame->showMaximized();
            QTest::qWait(100);
            f.frame->ShowTab(kWebTab);
            ASSERT_TRUE(WaitFor([&] { return f.session->webView->findChild<QWebEngineView*>() != nullptr; }));
            QTest::qWait(500);
            EXPECT_TRUE(f.frame->close());
            saved = f.store.ReadText("Settings", "WindowPos").value_or(QString());
        }
        EXPECT_EQ(saved, maximized ? QStringLiteral("2,3,-1,-1,-1,-1,30,40,630,440") : QStringLiteral("0,1,-1,-1,-1,-1,30,40,630,440"));
    }
}
