// The browsers in the running program: the image browser's tree, preview and inserts, the quick
// browser's list across close and reopen, and the media window playing a sound.
#include "FrameFixture.h"
#include "TestFiles.h"

#include "browse/QuickFolders.h"
#include "browse/ui/BrowseCommands.h"
#include "browse/ui/FolderTreeView.h"
#include "browse/ui/ImageBrowser.h"
#include "browse/ui/InsertImagesDialog.h"
#include "browse/ui/MediaWindow.h"
#include "browse/ui/QuickBrowser.h"
#include "image/CImageObject.h"
#include "platform/CommandIds.h"
#include "views/CImagePreviewCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMediaPlayer>
#include <QPushButton>
#include <QTimer>

namespace {

// Accepts the next "Insert image(s)" dialog, after letting CHANGE edit it.
void AcceptInsertDialog(std::function<void(InsertImagesDialog*)> change = {}) {
    QTimer::singleShot(0, [change] {
        auto* dialog = qobject_cast<InsertImagesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (change) change(dialog);
        dialog->accept();
    });
}

void Picture(const QString& path, int width) {
    CImageObject picture;
    picture.Create(width, 30, 24);
    picture.Save(path);
}

}  // namespace

TEST(BrowseWindows, TheImageBrowserPreviewsAFileAndPutsItOrItsFolderIntoTheAlbum) {
    ScopedTestDir dir;
    FrameFixture f;
    f.settings.flgCreaDir = 0;
    f.doc->editAlbumInfo = [](AlbumInfoFields&) { return true; };
    Picture(dir.Path("a.bmp"), 40);
    Picture(dir.Path("b.bmp"), 50);
    Picture(dir.Path("c.jpg"), 60);
    const CommandRouter& router = f.frame->Router();
    router.Execute(Cmd::DiskImageBrowser);
    ImageBrowser* browser = f.session->browse->Browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(router.Update(Cmd::DiskImageBrowser).checked);

    browser->Model().SetDrives({{dir.Path(), Drive::Kind::Fixed}});
    auto* filter = browser->findChild<QComboBox*>();
    filter->setCurrentText("*.bmp");
    ASSERT_TRUE(browser->ApplyFilter());
    FolderTreeView* tree = browser->Tree();
    tree->expand(tree->model()->index(0, 0, tree->model()->index(0, 0)));
    tree->Reveal(dir.Path("b.bmp"));
    EXPECT_EQ(tree->CurrentPath(), dir.Path("b.bmp"));
    ASSERT_TRUE(WaitFor([&] { return browser->Preview()->Loaded(); }));
    EXPECT_TRUE(browser->Preview()->Info().startsWith("50x30 pixels"));

    AcceptInsertDialog();
    browser->InsertSelected();
    ASSERT_EQ(f.doc->Db().GetCount(), 1);
    EXPECT_EQ(f.doc->Db().GetAt(0)->m_strGraphic, dir.Path("b.bmp"));

    // The folder as an album of the filter's pictures.
    f.doc->SetModifiedFlag(false);
    tree->Reveal(dir.Path());
    AcceptInsertDialog([](InsertImagesDialog* dialog) { EXPECT_EQ(dialog->Files(), "*.bmp"); });
    browser->InsertAll();
    EXPECT_EQ(f.doc->Db().GetCount(), 2);
    EXPECT_EQ(f.settings.browserMask, "*.bmp");

    filter->setCurrentText("bmp");  // no wildcard: refused, with the tree as it was
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    EXPECT_FALSE(browser->ApplyFilter());
    router.Execute(Cmd::DiskImageBrowser);
    EXPECT_FALSE(browser->isVisible());
}

TEST(BrowseWindows, TheQuickListSurvivesCloseAndReopenInOrder) {
    ScopedTestDir dir;
    const QString list = QuickFolders::ListPath();
    const QStringList before = QuickFolders::Read(list);
    FrameFixture f;
    QDir().mkpath(dir.Path("one"));
    QDir().mkpath(dir.Path("two"));
    Picture(dir.Path("two/x.jpg"), 20);
    const CommandRouter& router = f.frame->Router();
    router.Execute(Cmd::QuickBrowser);
    QuickBrowser* quick = f.session->browse->Quick();
    ASSERT_NE(quick, nullptr);
    quick->List()->clear();
    quick->List()->addItems({dir.Path("one"), dir.Path("two")});
    quick->close();
    EXPECT_EQ(QuickFolders::Read(list), (QStringList{dir.Path("one"), dir.Path("two")}));

    router.Execute(Cmd::QuickBrowser);
    quick = f.session->browse->Quick();
    ASSERT_EQ(quick->List()->count(), 2);
    EXPECT_EQ(quick->List()->item(1)->text(), dir.Path("two"));
    f.settings.flgCreaDir = 0;
    f.doc->editAlbumInfo = [](AlbumInfoFields&) { return true; };
    f.doc->SetModifiedFlag(false);
    quick->Mask()->setCurrentText("*.jpg");
    Q_EMIT quick->List()->itemDoubleClicked(quick->List()->item(1));
    EXPECT_EQ(f.settings.browserMask, "*.jpg");
    ASSERT_EQ(f.doc->Db().GetCount(), 1);
    quick->List()->setCurrentRow(0);
    quick->DeleteSelected();
    quick->close();
    EXPECT_EQ(QuickFolders::Read(list), QStringList{dir.Path("two")});
    QuickFolders::Write(list, before);
}

TEST(BrowseWindows, TheMediaWindowPlaysASound) {
    ScopedTestDir dir;
    const ProgramRun sox = RunProgram("sox", {"-n", "-r", "8000", "-c", "1", dir.Path("tone.wav"), "synth", "1", "sine", "440"});
    ASSERT_EQ(sox.code, 0) << sox.err.toStdString();
    FrameFixture f;
    MediaWindow window(dir.Path("tone.wav"), f.session->sound, *f.ui);
    window.show();
    EXPECT_EQ(window.windowTitle(), "MCI not assigned");
    window.Player()->play();
    EXPECT_TRUE(WaitFor([&] { return window.Player()->position() > 0 || window.Mode() == "Playing"; }));
    window.Player()->stop();
    EXPECT_TRUE(WaitFor([&] { return window.Mode() == "Stopped"; }));
}
