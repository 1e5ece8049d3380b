#include "WebUiTestSupport.h"
#include "album/CAppSettings.h"
#include "web/ui/CInternetPage.h"
#include "web/ui/CommandLineProgram.h"
#include "web/ui/InternetPropertiesSheet.h"
#include "web/WebCommandLines.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

void Press(const QDialog& sheet, QDialogButtonBox::StandardButton which) {
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

TEST(InternetProperties, OkStoresThePageAndCancelChangesNothing) {
    HeadlessUi ui;
    CAppSettings settings;
    settings.useInternalBrowser = 1;
    InternetPropertiesSheet sheet(settings, ui, nullptr);
    WhileOpen(sheet, [&] {
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Properties"));
        const auto* tabs = sheet.findChild<QTabWidget*>();
        ASSERT_EQ(tabs->count(), 1);
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("Internet"));
        EXPECT_EQ(Control<QLineEdit>(sheet, "assistDefDir")->text(),
                  QStringLiteral("{CRPPATH}/WEB"));
        EXPECT_EQ(Control<QLineEdit>(sheet, "htmlEditor")->text(), CAppSettings().htmlEditor);
        EXPECT_EQ(Control<QLineEdit>(sheet, "publisher")->text(), CAppSettings().publisher);
        EXPECT_TRUE(Control<QCheckBox>(sheet, "useInternalBrowser")->isChecked());
        Control<QLineEdit>(sheet, "assistDefDir")->setText(QStringLiteral("{CRPPATH}/site"));
        Control<QLineEdit>(sheet, "htmlEditor")
            ->setText(QStringLiteral("bluefish {FILEFROMSELECTOR}"));
        Control<QLineEdit>(sheet, "publisher")->setText(QStringLiteral("sitecopy {ASSISTDEFDIR}"));
        Control<QCheckBox>(sheet, "useInternalBrowser")->click();
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(sheet.Run());
    EXPECT_EQ(settings.assistDefDir, QStringLiteral("{CRPPATH}/site"));
    EXPECT_EQ(settings.htmlEditor, QStringLiteral("bluefish {FILEFROMSELECTOR}"));
    EXPECT_EQ(settings.publisher, QStringLiteral("sitecopy {ASSISTDEFDIR}"));
    EXPECT_EQ(settings.useInternalBrowser, 0);

    const CAppSettings before = settings;
    WhileOpen(sheet, [&] {
        EXPECT_EQ(Control<QLineEdit>(sheet, "htmlEditor")->text(),
                  QStringLiteral("bluefish {FILEFROMSELECTOR}"));
        Control<QLineEdit>(sheet, "assistDefDir")->setText(QStringLiteral("/lost"));
        Control<QLineEdit>(sheet, "htmlEditor")->setText(QStringLiteral("lost"));
        Control<QCheckBox>(sheet, "useInternalBrowser")->click();
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(sheet.Run());
    EXPECT_EQ(settings.assistDefDir, before.assistDefDir);
    EXPECT_EQ(settings.htmlEditor, before.htmlEditor);
    EXPECT_EQ(settings.useInternalBrowser, before.useInternalBrowser);
}

TEST(InternetProperties, AChosenProgramGoesBeforeTheCommandLinesPlaceholders) {
    HeadlessUi ui;
    CAppSettings settings;
    // One kept from Windows: the program chosen here replaces it.
    settings.publisher = QStringLiteral("C:\\Program Files\\Web Publish\\Wpwiz.exe {ASSISTDEFDIR}");
    CInternetPage page(ui);
    page.Load(settings);
    ui.QueuePath(QStringLiteral("/opt/Web Tools/bluefish"));
    Control<QAbstractButton>(page, "htmlEditorBrowse")->click();
    ui.QueuePath(QStringLiteral("/usr/bin/sitecopy"));
    Control<QAbstractButton>(page, "publisherBrowse")->click();
    ui.QueuePath(QString());
    Control<QAbstractButton>(page, "publisherBrowse")->click();
    page.Store(settings);
    EXPECT_EQ(settings.htmlEditor,
              QStringLiteral("\"/opt/Web Tools/bluefish\" {FILEFROMSELECTOR}"));
    EXPECT_EQ(settings.publisher, QStringLiteral("/usr/bin/sitecopy {ASSISTDEFDIR}"));
}

// Command lines kept from Windows are shown as stored, with why they will not run.
TEST(InternetProperties, AWindowsProgramIsShownAsNotFound) {
    HeadlessUi ui;
    CAppSettings settings;
    settings.htmlEditor = QStringLiteral("C:\\Program Files\\Microsoft FrontPage\\bin\\fpeditor.exe {FILEFROMSELECTOR}");
    const CAppSettings stored = settings;
    CInternetPage page(ui);
    page.Load(settings);
    const auto* editorProblem = Control<QLabel>(page, "htmlEditorProblem");
    EXPECT_FALSE(editorProblem->isHidden());
    EXPECT_EQ(editorProblem->text(),
              QStringLiteral("Not found: a Windows path: C:\\Program Files\\Microsoft FrontPage\\bin\\fpeditor.exe"));
    EXPECT_TRUE(Control<QLabel>(page, "publisherProblem")->isHidden());
    page.Store(settings);
    EXPECT_EQ(settings.htmlEditor, stored.htmlEditor);

    Control<QLineEdit>(page, "htmlEditor")->setText(QStringLiteral("bluefish {FILEFROMSELECTOR}"));
    EXPECT_TRUE(editorProblem->isHidden());
}

TEST(WindowsProgramProblem, NamesTheWholeWindowsPathOfTheProgram) {
    struct Case {
        const char* commandLine;
        const char* path;  // empty: the line may be run
    };
    const Case cases[] = {
        {"C:\\Program Files\\Web Publish\\Wpwiz.exe {ASSISTDEFDIR}", "C:\\Program Files\\Web Publish\\Wpwiz.exe"},
        {"\\NETSCAPE\\NETSCAPE.EXE HOMEPAGE.HTM", "\\NETSCAPE\\NETSCAPE.EXE"},
        {"\"D:\\Web Tools\\ed.exe\" /n {FILE}", "D:\\Web Tools\\ed.exe"},
        {"d:/tools/ed.exe {FILE}", "d:/tools/ed.exe"},
        {"xdg-open {FILEFROMSELECTOR}", ""},
        {"\"/opt/web tools/publish\" --to {ASSISTDEFDIR}", ""},
        {"sitecopy --dir={CRPPATH}\\WEB", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        const QString path = QString::fromLatin1(c.path);
        EXPECT_EQ(WindowsProgramProblem(QString::fromLatin1(c.commandLine)),
                  path.isEmpty() ? QString() : QStringLiteral("Not found: a Windows path: ") + path)
            << c.commandLine;
    }
}

TEST(WithProgram, KeepsThePlaceholderPartAndQuotesAProgramWithBlanks) {
    struct Case {
        const char* commandLine;
        const char* program;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Web Publish\\Wpwiz.exe {ASSISTDEFDIR}", "/usr/bin/sitecopy",
         "/usr/bin/sitecopy {ASSISTDEFDIR}"},
        {"editor --new {FILE} --raise {NAME}", "/bin/ed", "/bin/ed {FILE} --raise {NAME}"},
        {"editor --open=\"{FILE}\"", "/bin/ed", "/bin/ed --open=\"{FILE}\""},
        {"{FILE}", "/bin/ed", "/bin/ed {FILE}"},
        {"editor --new", "/bin/ed", "/bin/ed"},
        {"", "/my tools/ed", "\"/my tools/ed\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithProgram(QString::fromLatin1(c.commandLine), QString::fromLatin1(c.program)),
                  QString::fromLatin1(c.expected))
            << c.commandLine;
}

}  // namespace
