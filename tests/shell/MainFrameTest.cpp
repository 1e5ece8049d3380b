#include "DialogAnswers.h"
#include "FrameFixture.h"
#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/CImageObject.h"
#include "image/ImageLibrary.h"
#include "platform/CommandIds.h"
#include "platform/MainWindowServices.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/CommandActions.h"
#include "platform/widgets/QtUiServices.h"
#include "album/ui/CAlboraView.h"
#include "album/ui/CardListModel.h"
#include "album/ui/WelcomeDialog.h"
#include "platform/ProgramPaths.h"
#include "shell/CMainFrame.h"
#include "shell/GuiSession.h"
#include "shell/StatusBarWithProgress.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class TabLog : public QLabel, public View {
public:
    void OnUpdate(View*, int, void*) override {}
    void OnTabActivation(bool shown, View* other) override { events.push_back({shown, other}); }
    std::vector<std::pair<bool, View*>> events;
};

// The class names of the modal dialogs the start-up shows with ALBUM, each closed as it comes;
// the tip, if any, the welcome dialog showed is kept in TIP.
QStringList StartUpDialogs(FrameFixture& f, const QString& album, QString* tip = nullptr) {
    QStringList dialogs;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* top = QApplication::activeModalWidget();
        if (!top || !top->isVisible()) return;
        dialogs << QString::fromLatin1(top->metaObject()->className());
        if (auto* welcome = qobject_cast<WelcomeDialog*>(top); welcome && tip) *tip = welcome->CurrentTip();
        top->close();
    });
    closer.start();
    f.session->StartUp(album);
    return dialogs;
}

// Where the desktop was asked to open a file.
class OpenedFiles : public QObject {
    Q_OBJECT

public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList paths;

public Q_SLOTS:
    void Open(const QUrl& url) { paths << url.toLocalFile(); }
};

}  // namespace

TEST(MainFrame, ShowsTheAlbumOnTheListTabWithTheCommandsOfItsState) {
    FrameFixture f;
    EXPECT_EQ(f.frame->windowTitle(), QStringLiteral("Untitled[*] - Albora"));
    // A first start takes four fifths of the screen's free area each way, in its middle.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(f.frame->size(), QSize(screen.width() * 4 / 5, screen.height() * 4 / 5));
    EXPECT_EQ(f.frame->frameGeometry().center(), screen.center());
    auto* tabs = f.frame->findChild<QTabWidget*>();
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral(" List "));
    EXPECT_EQ(f.frame->ActiveView(), static_cast<View*>(f.session->list));

    f.AddCards(5);
    f.doc->GoTop();
    CardListModel* model = f.session->list->Model();
    ASSERT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->data(model->index(4, 1), Qt::DisplayRole).toString(), QStringLiteral("IMG_0004.jpg"));
    EXPECT_EQ(f.frame->StatusBar()->PaneText(0), QStringLiteral("5 items listed"));

    const CommandRouter& router = f.frame->Router();
    EXPECT_TRUE(router.Update(Cmd::GoBottom).enabled);
    EXPECT_FALSE(router.Update(Cmd::FileSave).enabled);
    EXPECT_TRUE(router.Update(Cmd::CardAdd).enabled);  // the list view answers
    EXPECT_TRUE(router.Update(Cmd::ViewCurrentImage).enabled);  // card 0 is selected
    EXPECT_FALSE(router.Update(Cmd::EditCut).enabled);  // nobody cuts yet
    EXPECT_TRUE(router.Update(Cmd::ToolbarFiles).checked);

    EXPECT_EQ(tabs->tabText(1), QStringLiteral(" Image "));

    if (const QString shot = qEnvironmentVariable("ALBORA_SCREENSHOT"); !shot.isEmpty())
        f.frame->grab().save(shot);
    const QImage picture = f.frame->grab().toImage();
    EXPECT_FALSE(picture.isNull());
    f.frame->Router().Execute(Cmd::ToolbarFiles);
    EXPECT_FALSE(router.Update(Cmd::ToolbarFiles).checked);
}

TEST(MainFrame, ShowTabTellsTheHiddenAndTheShownView) {
    FrameFixture f;
    auto* list = new TabLog;
    auto* image = new TabLog;
    const int first = f.frame->findChild<QTabWidget*>()->count();
    f.frame->AddView(list, list, QStringLiteral(" List "));
    f.frame->AddView(image, image, QStringLiteral(" Image "));
    f.frame->ShowTab(first);
    f.frame->ShowTab(first + 1);
    f.frame->ShowTab(first + 1);  // already in front: nothing
    f.frame->ShowTab(7);  // no such tab: nothing
    ASSERT_EQ(list->events.size(), 2u);
    EXPECT_EQ(list->events[0], std::make_pair(true, static_cast<View*>(f.session->list)));
    EXPECT_EQ(list->events[1], std::make_pair(false, static_cast<View*>(image)));
    ASSERT_EQ(image->events.size(), 1u);
    EXPECT_EQ(image->events[0], std::make_pair(true, static_cast<View*>(list)));
    EXPECT_EQ(f.frame->ActiveView(), image);
}

TEST(MainFrame, ClosingKeepsPlacementAndRecentAlbums) {
    ScopedTestDir dir;
    QString saved;
    {
        FrameFixture f(QStringLiteral("0,1,-1,-1,-1,-1,30,40,630,440"));
        EXPECT_EQ(f.frame->geometry().size(), QSize(600, 400));
        f.doc->SetPathName(dir.Path("x.crp"));
        ASSERT_TRUE(f.doc->FileSave());
        f.frame->showMaximized();
        QTest::qWait(50);
        EXPECT_TRUE(f.frame->close());
        saved = f.store.ReadText("Settings", "WindowPos").value_or(QString());
        EXPECT_EQ(f.store.ReadText("Recent File List", "File1"), dir.Path("x.crp"));
    }
    EXPECT_TRUE(saved.startsWith(QStringLiteral("2,3,"))) << saved.toStdString();

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
    f.ui->SetStatusTextF(0, "%d cards", 3);
    EXPECT_EQ(f.frame->StatusBar()->PaneText(0), QStringLiteral("3 cards"));
    f.ui->SetStatusText(0, QString(400, 'y'));
    EXPECT_EQ(f.frame->StatusBar()->PaneText(0).size(), 255);
    f.ui->ProgressBegin(0, 3, 1);
    f.ui->ProgressStep();
    EXPECT_FALSE(f.ui->CancelRequested());
    f.ui->ProgressEnd();
}

// A question whose Yes cannot be undone (erasing a card's picture) has No as its default button.
TEST(MainFrame, AQuestionThatErasesDefaultsToNo) {
    FrameFixture f;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    OnNext<QMessageBox>([&](QMessageBox* box) {
        defaultButton = box->standardButton(box->defaultButton());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(f.ui->MessageBox("Erase?", MsgButtons::YesNoDefaultNo, MsgIcon::Exclamation), MsgAnswer::No);
    EXPECT_EQ(defaultButton, QMessageBox::No);
}

// After File > New and File > Open every tab and menu comes up on the new album, whatever the
// tabs showed of the old one.
TEST(MainFrame, EveryTabAndMenuComesUpAfterNewAndOpen) {
    ScopedTestDir dir;
    FrameFixture f;
    f.settings.flgCreaDir = 0;
    f.doc->editAlbumInfo = [](AlbumInfoFields&) { return true; };
    for (int i = 0; i < 6; ++i) {
        CImageObject picture;
        picture.Create(40, 30, 24, 2);
        picture.Save(dir.Path(QStringLiteral("p%1.bmp").arg(i)));
    }
    f.AddCards(0);
    for (int i = 0; i < 6; ++i) f.doc->AddFileAsCard(QStringLiteral("p%1.bmp").arg(i));
    f.doc->SetPathName(dir.Path("six.crp"));
    ASSERT_TRUE(f.doc->FileSave());
    auto* tabs = f.frame->findChild<QTabWidget*>();
    const auto visitEverything = [&] {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            f.frame->ShowTab(tab);
            QTest::qWait(50);
        }
        for (QAction* action : f.frame->menuBar()->actions())
            if (QMenu* menu = action->menu()) Q_EMIT menu->aboutToShow();
        f.frame->ShowTab(MainWindowServices::ListTab);
    };
    visitEverything();
    ASSERT_TRUE(f.doc->FileNew());
    EXPECT_EQ(f.doc->Db().GetCount(), 0);
    visitEverything();
    f.doc->SetModifiedFlag(false);
    ASSERT_TRUE(f.doc->FileOpen(dir.Path("six.crp")));
    visitEverything();
    EXPECT_EQ(f.session->list->Model()->rowCount(), 6);
}

// After the start-up the keyboard is in the card list, and a new album nobody changed closes
// without a question.
TEST(MainFrame, StartUpLeavesTheKeyboardInTheListAndAnUntouchedAlbumClosesQuietly) {
    ScopedTestDir dir;
    FrameFixture f;
    f.settings.flgCreaDir = 0;
    f.settings.flgWelcomeDlg = 0;
    f.store.WriteInt("Tip", "StartUp", 1);  // no tip of the day
    f.doc->editAlbumInfo = [](AlbumInfoFields&) { return true; };
    f.session->StartUp({});
    QApplication::setActiveWindow(f.frame);
    EXPECT_TRUE(WaitFor([&] { return f.session->list->List()->hasFocus(); }, 2000));
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_TRUE(f.frame->close());  // no question was asked, or the headless run would hang here
}

// A first start shows the welcome with the tip inside it, and nothing else: the album it starts
// with is not asked about and leaves no folder behind.
TEST(MainFrame, AFirstStartShowsOnlyTheWelcomeWithTheTipOfTheDay) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    FrameFixture f;
    const QString programDir = ProgramPaths::ProgramDirectory();
    const QStringList before = QDir(programDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QString tip;
    EXPECT_EQ(StartUpDialogs(f, {}, &tip), QStringList{"WelcomeDialog"});
    EXPECT_FALSE(tip.isEmpty());
    EXPECT_FALSE(f.doc->IsModified());
    EXPECT_EQ(QDir(programDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(f.frame->close());
}

// An album named on the command line is what the user came for: no welcome. Without the welcome
// the tip of the day still shows as its setting says.
TEST(MainFrame, AnAlbumOnTheCommandLineOpensWithoutTheWelcome) {
    ScopedTestDir dir;
    ProgramPaths::CaptureProgramDirectory();
    {
        FrameFixture f;
        f.store.WriteInt("Tip", "StartUp", 1);
        f.doc->SetPathName(dir.Path("trip.crp"));
        ASSERT_TRUE(f.doc->FileSave());
        EXPECT_EQ(StartUpDialogs(f, dir.Path("trip.crp")), QStringList{});
        EXPECT_EQ(f.doc->GetPathName(), dir.Path("trip.crp"));
    }
    FrameFixture f;
    f.settings.flgWelcomeDlg = 0;
    EXPECT_EQ(StartUpDialogs(f, {}), QStringList{"TipDialog"});
}

// The welcome's "Tutorial..." opens the manual's getting-started page, or its contents while the
// manual has no such page.
TEST(MainFrame, TheTutorialOpensTheManualsGettingStartedPage) {
    FrameFixture f;
    OpenedFiles opened;
    ASSERT_TRUE(f.frame->Router().Update(Cmd::Tutorial).enabled);
    f.frame->Router().Execute(Cmd::Tutorial);
    const QString page = ProgramPaths::FindShippedFile(QStringLiteral("manual/getting-started.html"));
    const QString expected =
        page.isEmpty() ? ProgramPaths::FindShippedFile(QStringLiteral("manual/index.html")) : page;
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(opened.paths, QStringList{expected});
    f.frame->Router().Execute(Cmd::HelpTopics);
    EXPECT_EQ(opened.paths.back(), ProgramPaths::FindShippedFile(QStringLiteral("manual/index.html")));
}

// Utilities > Presentations > Begin wants a card and opens the presentation's setup.
TEST(MainFrame, PresentationsBeginFromTheUtilitiesMenu) {
    FrameFixture f;
    QMenu* utilities = nullptr;
    for (QAction* action : f.frame->menuBar()->actions())
        if (action->text() == QStringLiteral("&Utilities")) utilities = action->menu();
    ASSERT_TRUE(utilities);
    QStringList texts;
    QMenu* presentations = nullptr;
    for (QAction* action : utilities->actions()) {
        if (action->isSeparator()) continue;
        texts << action->text();
        if (action->menu() && action->text() == QStringLiteral("&Presentations")) presentations = action->menu();
    }
    EXPECT_EQ(texts, (QStringList{"&Internet", "&Make movie from album...", "Make MPEG movie from AVI...", "&Presentations"}));
    ASSERT_TRUE(presentations);
    QAction* begin = presentations->actions().value(0);
    ASSERT_TRUE(begin);
    EXPECT_EQ(begin->text(), QStringLiteral("&Begin"));
    EXPECT_EQ(begin->shortcut(), QKeySequence(QStringLiteral("Ctrl+F5")));
    EXPECT_EQ(begin->statusTip(), QStringLiteral("Execute the cyclic slide show of current images"));

    const CommandRouter& router = f.frame->Router();
    EXPECT_FALSE(router.Update(Cmd::BeginPresentation).enabled);
    f.AddCards(2);
    EXPECT_TRUE(router.Update(Cmd::BeginPresentation).enabled);
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = dialog->windowTitle();
            dialog->close();
        }
    });
    f.frame->Actions().Refresh();
    begin->trigger();
    EXPECT_EQ(opened, QStringLiteral("Presentations setup"));
}

TEST(MainFrame, GeneralOptionsEditsTheProgramsSettings) {
    FrameFixture f;
    QTimer::singleShot(0, [&] {
        QWidget* sheet = QApplication::activeModalWidget();
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("General Options"));
        sheet->findChild<QLineEdit*>(QStringLiteral("JPGquality"))->setText(QStringLiteral("55"));
        static_cast<QDialog*>(sheet)->accept();
    });
    f.frame->Router().Execute(Cmd::GeneralOptions);
    EXPECT_EQ(f.settings.JPGquality, 55);
    EXPECT_EQ(ImageLibrary::JpegQuality(), 55);
}

namespace {

// The letter Alt reaches in TEXT, lower case; none for "&&" or a text without one.
QChar AccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
        ++i;
    }
    return {};
}

void CollectSharedAccessKeys(const QString& where, const QList<QAction*>& actions, QStringList& shared) {
    QMap<QChar, QString> owners;
    for (QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) continue;
        if (const QChar key = AccessKey(action->text()); !key.isNull()) {
            if (owners.contains(key)) shared << where + QStringLiteral(": ") + owners[key] + QStringLiteral(" / ") + action->text();
            owners[key] = action->text();
        }
        if (QMenu* menu = action->menu()) CollectSharedAccessKeys(action->text(), menu->actions(), shared);
    }
}

}  // namespace

// Alt and a letter must reach one entry: a shared letter only cycles between them, so the entry
// the user meant may never open.
TEST(MainFrame, NoTwoEntriesOfOneMenuShareAnAccessKey) {
    FrameFixture f;
    auto* tabs = f.frame->findChild<QTabWidget*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        // Each tab shows its own entries.
        f.frame->ShowTab(tab);
        for (QAction* action : f.frame->menuBar()->actions())
            if (QMenu* menu = action->menu()) Q_EMIT menu->aboutToShow();
        QStringList shared;
        CollectSharedAccessKeys(QStringLiteral("menu bar"), f.frame->menuBar()->actions(), shared);
        EXPECT_TRUE(shared.isEmpty()) << tabs->tabText(tab).toStdString() << '\n' << shared.join(QLatin1Char('\n')).toStdString();
    }
}

#include "MainFrameTest.moc"
