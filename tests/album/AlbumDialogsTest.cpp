#include "TestFiles.h"
#include "album/CAppSettings.h"
#include "album/ui/AlbumInfoDialog.h"
#include "album/ui/TipDialog.h"
#include "album/ui/WelcomeDialog.h"
#include "platform/CommandIds.h"
#include "platform/HeadlessUi.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTest>
#include <QFocusEvent>
#include <gtest/gtest.h>

namespace {

QPushButton* ButtonWithText(QWidget& parent, const QString& prefix) {
    for (QPushButton* button : parent.findChildren<QPushButton*>())
        if (button->text().startsWith(prefix)) return button;
    return nullptr;
}

}  // namespace

TEST(AlbumInfoDialog, ANewDirectoryIsTakenOnlyAfterTheWarningIsAnsweredYes) {
    HeadlessUi ui;
    AlbumInfoFields fields;
    fields.directory = QStringLiteral("/old");
    fields.description = QStringLiteral("one\r\ntwo");
    AlbumInfoDialog dialog(fields, ui, nullptr);
    QPushButton* browse = ButtonWithText(dialog, QStringLiteral("..."));
    ASSERT_TRUE(browse);

    ui.QueuePath(QStringLiteral("/new"));
    ui.QueueAnswer(MsgAnswer::No);
    browse->click();
    EXPECT_EQ(dialog.Fields().directory, QStringLiteral("/old"));
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Warning:\nModify default directory may result in "
                                               "image path lost!\nAre your shore?"));
    ui.QueuePath(QStringLiteral("/new"));
    ui.QueueAnswer(MsgAnswer::Yes);
    browse->click();
    EXPECT_EQ(dialog.Fields().directory, QStringLiteral("/new"));

    // The description keeps its CR LF line breaks through the edit.
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>()->toPlainText(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(dialog.Fields().description, QStringLiteral("one\r\ntwo"));
}

TEST(WelcomeDialog, DisablesMissingCommandsBeepsAndStoresItsCheckBoxAtOnce) {
    HeadlessUi ui;
    CAppSettings settings;
    MemorySettingsStore store;
    WelcomeDialog dialog(settings, store, ui, [](int id) { return id != Cmd::Tutorial; }, {}, nullptr);
    EXPECT_FALSE(ButtonWithText(dialog, QStringLiteral("&Tutorial"))->isEnabled());

    ButtonWithText(dialog, QStringLiteral("Open las&t draw"))->click();
    EXPECT_EQ(ui.Beeps(), 1);
    EXPECT_TRUE(dialog.ChosenCommands().empty());

    dialog.findChild<QCheckBox*>()->click();
    EXPECT_EQ(settings.flgWelcomeDlg, 0);
    EXPECT_EQ(store.ReadInt("Albora", "flgWelcomeDlg"), 0);

    ButtonWithText(dialog, QStringLiteral("&Browse folders"))->click();
    EXPECT_EQ(dialog.ChosenCommands(),
              (std::vector<int>{Cmd::MaximizeImageAndLittleContact, Cmd::DiskImageBrowser}));
}

// The welcome carries the tip of the day while tips show at start-up, and goes on where the tip
// dialog leaves off.
TEST(WelcomeDialog, ShowsTheTipOfTheDayWhileTipsShowAtStartUp) {
    ScopedTestDir dir;
    dir.Write("albora.tip", "; tips\nFirst\nSecond\nThird\n");
    HeadlessUi ui;
    CAppSettings settings;
    MemorySettingsStore store;
    {
        WelcomeDialog dialog(settings, store, ui, [](int) { return true; }, dir.Path("albora.tip"), nullptr);
        EXPECT_EQ(dialog.CurrentTip(), QStringLiteral("First"));
        ButtonWithText(dialog, QStringLiteral("Ne&xt tip"))->click();
        EXPECT_EQ(dialog.CurrentTip(), QStringLiteral("Second"));
        // One check box: the welcome's own.
        ASSERT_EQ(dialog.findChildren<QCheckBox*>().size(), 1);
        EXPECT_EQ(dialog.findChild<QCheckBox*>()->text(), QStringLiteral("&Show at start-up"));
    }
    EXPECT_EQ(TipDialog(store, dir.Path("albora.tip"), nullptr).CurrentTip(), QStringLiteral("Third"));

    store.WriteInt("Tip", "StartUp", 1);
    WelcomeDialog quiet(settings, store, ui, [](int) { return true; }, dir.Path("albora.tip"), nullptr);
    EXPECT_TRUE(quiet.CurrentTip().isEmpty());
    EXPECT_FALSE(ButtonWithText(quiet, QStringLiteral("Ne&xt tip")));
}

#include "TestFiles.h"
#include "album/ui/PhotoCardDialog.h"
#include "image/CImageObject.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"
#include "sound/SoundAnnotations.h"

#include <QLabel>
#include <QLineEdit>

TEST(PhotoCardDialog, ImportsExportsAndAsksBeforeReplacingTheObject) {
    ScopedTestDir dir;
    dir.Write("in.txt", "Imported line");
    HeadlessUi ui;
    CAppSettings settings;
    MciInterpreter mci(QStringLiteral("audiotestsrc"));
    SoundPlayer player;
    SoundAnnotations sound(ui, settings, mci, player);
    CFotoObj card;
    card.m_strName = QStringLiteral("Beach");
    card.m_strDescription = QStringLiteral("Sun\r\nSea");
    card.m_strGraphic = QStringLiteral("beach.jpg");
    // The stored name is found where the album's views find it, not in the current folder.
    QDir().mkpath(dir.Path("album"));
    ASSERT_TRUE(ImageFromQImage(QImage(40, 30, QImage::Format_RGB32)).Save(dir.Path("album/beach.jpg")));
    const auto findFile = [&dir](const QString& stored) {
        return QFileInfo(stored).isAbsolute() ? stored : dir.Path(QStringLiteral("album/") + stored);
    };
    bool viewed = false;
    PhotoCardDialog dialog(card, ui, sound, findFile, [&viewed] { viewed = true; }, nullptr);
    EXPECT_FALSE(dialog.Preview()->pixmap().isNull());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Photo Card"));
    // Typing replaces the default name at once, and the description when tabbed to.
    EXPECT_EQ(dialog.NameField()->selectedText(), QStringLiteral("Beach"));
    QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(dialog.DescriptionField(), &tabbedIn);
    EXPECT_EQ(dialog.DescriptionField()->textCursor().selectedText().size(), 7);
    EXPECT_TRUE(dialog.ViewButton()->isEnabled());
    dialog.ViewButton()->click();
    EXPECT_TRUE(viewed);

    ui.QueuePath(dir.Path("in.txt"));
    dialog.ImportDescription();
    EXPECT_TRUE(dialog.DescriptionField()->toPlainText().contains(QStringLiteral("Imported line")));
    ui.QueuePath(dir.Path("out.txt"));
    dialog.ExportDescription();
    EXPECT_TRUE(ReadAll(dir.Path("out.txt")).contains("Sun\r\nSea"));
    ui.QueuePath(dir.Path("no/such/dir.txt"));
    dialog.ExportDescription();
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Fatal Error:\nIn file!"));

    ui.QueueAnswer(MsgAnswer::No);
    dialog.ChooseObject();
    EXPECT_TRUE(ui.LastMessage().startsWith(QStringLiteral("Warning!:\nOne image is on the card")));
    EXPECT_EQ(dialog.ObjectField()->text(), QStringLiteral("beach.jpg"));
    ui.QueueAnswer(MsgAnswer::Yes);
    ui.QueuePath(dir.Path("other.png"));
    dialog.ChooseObject();
    EXPECT_EQ(dialog.ObjectField()->text(), dir.Path("other.png"));
    EXPECT_FALSE(dialog.ViewButton()->isEnabled());

    dialog.NameField()->clear();
    const CFotoObj result = dialog.Result();
    EXPECT_EQ(result.m_strName, dir.Path("other.png"));
    EXPECT_TRUE(result.m_strDescription.contains(QStringLiteral("\r\n")));
}
