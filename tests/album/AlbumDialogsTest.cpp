#include "album/CAppSettings.h"
#include "album/ui/AlbumInfoDialog.h"
#include "album/ui/WelcomeDialog.h"
#include "platform/CommandIds.h"
#include "platform/HeadlessUi.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
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
    WelcomeDialog dialog(settings, store, ui, [](int id) { return id != Cmd::Tutorial; }, nullptr);
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
