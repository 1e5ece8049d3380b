#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/CommandActions.h"
#include "shell/CMainFrame.h"
#include "shell/GuiSession.h"
#include "shell/UtilitiesDialog.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QMenu* MenuNamed(CMainFrame& frame, const QString& text) {
    for (QAction* action : frame.menuBar()->actions())
        if (action->text() == text) return action->menu();
    return nullptr;
}

// The texts of the menu's entries after its fixed ones, which end with a submenu.
QStringList UtilityEntries(QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (action->menu()) texts.clear();
        else if (!action->isSeparator()) texts << action->text();
    }
    return texts;
}

}  // namespace

TEST(Utilities, MenuIsRebuiltFromTheDefinitionsWheneverAMenuOpens) {
    MemorySettingsStore store;
    CAppSettings settings;
    settings.util1 = QStringLiteral("&Gimp;gimp {IMAGESEL}");
    settings.util2 = QStringLiteral("x;one letter");
    settings.util4 = QStringLiteral("View;xdg-open {IMAGESEL}");
    GuiSession session(settings, store);
    QMenu* utilities = MenuNamed(*session.frame, QStringLiteral("&Utilities"));
    ASSERT_TRUE(utilities);
    EXPECT_EQ(UtilityEntries(*utilities), (QStringList{"&Gimp", "View"}));
    EXPECT_EQ(session.frame->Actions().Action(Cmd::Utility4)->statusTip(), QStringLiteral("Open this application"));
    // The Tools toolbar's buttons are named after their utilities.
    EXPECT_EQ(session.frame->Actions().Action(Cmd::Utility1)->toolTip(), QStringLiteral("Gimp"));
    EXPECT_EQ(session.frame->Actions().Action(Cmd::Utility3)->toolTip(), QStringLiteral("Open"));

    settings.util1.clear();
    settings.util5 = QStringLiteral("Last;tool");
    settings.util3 = QStringLiteral("Third;tool");
    Q_EMIT MenuNamed(*session.frame, QStringLiteral("&File"))->aboutToShow();
    EXPECT_EQ(UtilityEntries(*utilities), (QStringList{"Third", "View", "Last"}));
    EXPECT_TRUE(session.frame->Router().Update(Cmd::Utility3).enabled);
    EXPECT_FALSE(session.frame->Router().Update(Cmd::Utility1).enabled);
}

TEST(Utilities, DialogStoresOnOkKeepsOnCancelAndPutsAChosenProgramInPlace) {
    CAppSettings settings;
    settings.util2 = QStringLiteral("Old;tool");
    {
        UtilitiesDialog dialog(settings, nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Define utilities"));
        EXPECT_EQ(dialog.Edit(1)->text(), QStringLiteral("Old;tool"));
        dialog.Edit(0)->setText(QStringLiteral("New;thing"));
        dialog.reject();
    }
    EXPECT_TRUE(settings.util1.isEmpty());

    UtilitiesDialog dialog(settings, nullptr);
    QString asked;
    dialog.chooseProgram = [&asked](const QString& current) {
        asked = current;
        return std::optional<QString>(QStringLiteral("/opt/My Tool/run"));
    };
    dialog.BrowseButton(1)->click();
    EXPECT_EQ(asked, QStringLiteral("tool"));
    EXPECT_EQ(dialog.Edit(1)->text(), QStringLiteral("\"/opt/My Tool/run\""));
    dialog.chooseProgram = [](const QString&) { return std::optional<QString>(); };
    dialog.BrowseButton(4)->click();
    EXPECT_TRUE(dialog.Edit(4)->text().isEmpty());
    dialog.Edit(4)->setText(QStringLiteral("Five;5"));
    dialog.accept();
    EXPECT_EQ(settings.util2, QStringLiteral("\"/opt/My Tool/run\""));
    EXPECT_EQ(settings.util5, QStringLiteral("Five;5"));
    EXPECT_TRUE(settings.util1.isEmpty());
}
