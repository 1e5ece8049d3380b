#include "WebUiTestSupport.h"

#include "TestDoubles.h"
#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/SettingsStore.h"
#include "web/HtmlWizardSettings.h"
#include "web/WizardChoices.h"
#include "web/ui/CHTMLViewS.h"
#include "web/ui/WebCommands.h"

#include "image/CImageObject.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QUrl>
#include <QWizard>

namespace {

// The main window's services as a record of what the commands asked of them.
class WebWindow : public MainWindowServices {
public:
    void ShowTab(int tab) override { tabs.push_back(tab); }
    QString GetWebLocation() const override { return location; }
    void NavigateWeb(const QString& url) override { navigated.push_back(url); }
    std::vector<int> tabs;
    QStringList navigated;
    QString location;
};

class FailingLauncher : public RecordingLauncher {
public:
    bool StartDetached(const QString& program, const QStringList& args) override {
        RecordingLauncher::StartDetached(program, args);
        return false;
    }
};

// A saved album in a folder whose name has a blank, with one card.
struct WebCommandsFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    RecordingLauncher launcher;
    WebWindow window;
    QString album = dir.Path(QStringLiteral("my album"));
    QString site = album + QStringLiteral("/WEB");

    WebCommandsFixture() {
        QDir().mkpath(album);
        doc.SetPathName(album + QStringLiteral("/a.crp"));
        doc.Db().List().m_strDirectory = album;
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = QStringLiteral("a.jpg");
        doc.Db().List().AddTail(card);
    }
    WebCommands Commands(ProcessLauncher& with) { return WebCommands(doc, settings, {ui, with, window, nullptr}); }
    void MakeSite() const {
        QDir().mkpath(site);
        dir.Write(QStringLiteral("my album/WEB/index.htm"), "<!DOCTYPE html><title>t</title>");
    }
};

}  // namespace

TEST(WebCommands, ExploreAndPublishWaitForTheSiteAndTheAssistantForACard) {
    WebCommandsFixture f;
    f.settings.publisher = QStringLiteral("sitecopy {ASSISTDEFDIR}");
    WebCommands commands = f.Commands(f.launcher);
    EXPECT_TRUE(commands.Update(Cmd::HtmlAssistant).enabled);
    EXPECT_TRUE(commands.Update(Cmd::HtmlEdit).enabled);
    for (int id : {Cmd::ExploreWebPage, Cmd::ExploreHtmlDir, Cmd::Publish}) EXPECT_FALSE(commands.Update(id).enabled) << id;
    f.MakeSite();
    for (int id : {Cmd::ExploreWebPage, Cmd::ExploreHtmlDir, Cmd::Publish}) EXPECT_TRUE(commands.Update(id).enabled) << id;
    f.doc.Db().List().RemoveAt(0);
    EXPECT_FALSE(commands.Update(Cmd::HtmlAssistant).enabled);

    // An album not saved yet has no site.
    f.doc.SetPathName({});
    EXPECT_FALSE(commands.Update(Cmd::ExploreWebPage).enabled);
}

TEST(WebCommands, ExploreOpensTheDesktopsBrowserOrTheWebSiteTab) {
    WebCommandsFixture f;
    f.MakeSite();
    WebCommands commands = f.Commands(f.launcher);
    commands.Execute(Cmd::ExploreWebPage);
    commands.Execute(Cmd::ExploreHtmlDir);
    ASSERT_EQ(f.launcher.started.size(), 2u);
    EXPECT_EQ(f.launcher.started[0], (QStringList{"xdg-open", f.site + "/index.htm"}));
    EXPECT_EQ(f.launcher.started[1], (QStringList{"xdg-open", f.site}));

    f.settings.useInternalBrowser = 1;
    commands.Execute(Cmd::ExploreWebPage);
    EXPECT_EQ(f.launcher.started.size(), 2u);
    EXPECT_EQ(f.window.tabs, std::vector<int>{MainWindowServices::WebTab});
    EXPECT_EQ(f.window.navigated, QStringList{QUrl::fromLocalFile(f.site + "/index.htm").toString()});
}

// Command lines are split before placeholders are filled in, so a name with blanks stays one
// argument and no file name can add one.
TEST(WebCommands, EditAndPublishStartTheirProgramsWithArgumentLists) {
    WebCommandsFixture f;
    f.MakeSite();
    WebCommands commands = f.Commands(f.launcher);
    f.settings.publisher = QStringLiteral("\"/opt/web tools/publish\" --to {ASSISTDEFDIR} --log {crppath}/log");
    commands.Execute(Cmd::Publish);
    f.settings.htmlEditor = QStringLiteral("/usr/bin/editor --new {FILEFROMSELECTOR}");
    f.window.location = QUrl::fromLocalFile(f.site + "/page 1.htm --evil").toString();
    commands.Execute(Cmd::HtmlEdit);
    ASSERT_EQ(f.launcher.started.size(), 2u);
    EXPECT_EQ(f.launcher.started[0], (QStringList{"/opt/web tools/publish", "--to", f.site, "--log", f.album + "/log"}));
    EXPECT_EQ(f.launcher.started[1], (QStringList{"/usr/bin/editor", "--new", f.site + "/page 1.htm --evil"}));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Remember:\rEvery time the Internet Assistant create a page it "
                                                 "overwrites the changes you made to:\r") +
                                      f.site + "/page 1.htm --evil");

    // Without a page in view the user picks the file, or nothing starts.
    f.window.location.clear();
    f.ui.QueuePath(f.site + "/index.htm");
    f.ui.QueuePath(QString());
    commands.Execute(Cmd::HtmlEdit);
    commands.Execute(Cmd::HtmlEdit);
    ASSERT_EQ(f.launcher.started.size(), 3u);
    EXPECT_EQ(f.launcher.started[2], (QStringList{"/usr/bin/editor", "--new", f.site + "/index.htm"}));

    FailingLauncher failing;
    WebCommands failingCommands = f.Commands(failing);
    failingCommands.Execute(Cmd::Publish);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't start: /opt/web tools/publish"));
}

// Out of the box the desktop opens the page to edit, and Publish waits for a program of the
// user's; command lines kept from Windows are never run, and say why.
TEST(WebCommands, TheDesktopsChoicesByDefaultAndWindowsPathsNeverRun) {
    WebCommandsFixture f;
    f.MakeSite();
    WebCommands commands = f.Commands(f.launcher);
    EXPECT_FALSE(commands.Update(Cmd::Publish).enabled);
    f.settings.publisher = QStringLiteral("  ");
    EXPECT_FALSE(commands.Update(Cmd::Publish).enabled);
    f.window.location = QUrl::fromLocalFile(f.site + "/index.htm").toString();
    commands.Execute(Cmd::HtmlEdit);
    ASSERT_EQ(f.launcher.started.size(), 1u);
    EXPECT_EQ(f.launcher.started[0], (QStringList{"xdg-open", f.site + "/index.htm"}));

    f.settings.htmlEditor = QStringLiteral("C:\\Program Files\\Microsoft FrontPage\\bin\\fpeditor.exe {FILEFROMSELECTOR}");
    f.settings.publisher = QStringLiteral("C:\\Program Files\\Web Publish\\Wpwiz.exe {ASSISTDEFDIR}");
    EXPECT_TRUE(commands.Update(Cmd::Publish).enabled);
    commands.Execute(Cmd::HtmlEdit);
    EXPECT_EQ(f.ui.LastMessage(),
              QStringLiteral("Error:\nNot found: a Windows path: C:\\Program Files\\Microsoft FrontPage\\bin\\fpeditor.exe"));
    commands.Execute(Cmd::Publish);
    EXPECT_EQ(f.ui.LastMessage(),
              QStringLiteral("Error:\nNot found: a Windows path: C:\\Program Files\\Web Publish\\Wpwiz.exe"));
    EXPECT_EQ(f.launcher.started.size(), 1u);
    EXPECT_EQ(f.settings.publisher, QStringLiteral("C:\\Program Files\\Web Publish\\Wpwiz.exe {ASSISTDEFDIR}"));

    // A program that cannot be started says the system's reason.
    struct MissingLauncher : FailingLauncher {
        QString StartError() const override { return QStringLiteral("No such file or directory"); }
    } missing;
    f.settings.publisher = QStringLiteral("sitecopy {ASSISTDEFDIR}");
    f.Commands(missing).Execute(Cmd::Publish);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't start: sitecopy\nNo such file or directory"));
}

TEST(WebCommands, TheAssistantMakesTheSiteWhereItsFirstPageSaysAndTheTabShowsIt) {
    WebCommandsFixture f;
    CImageObject picture;
    ASSERT_TRUE(picture.Create(8, 6, 24));
    ASSERT_TRUE(picture.Save(f.album + "/a.jpg"));
    f.settings.assistDefDir = QStringLiteral("{CRPPATH}\\site\\out");
    WebCommands commands = f.Commands(f.launcher);
    QString offered;
    QTimer::singleShot(0, [&] {
        auto* wizard = qobject_cast<QWizard*>(QApplication::activeModalWidget());
        ASSERT_TRUE(wizard);
        offered = wizard->findChild<QLineEdit*>()->text();
        while (wizard->button(QWizard::NextButton)->isVisible()) wizard->button(QWizard::NextButton)->click();
        wizard->button(QWizard::FinishButton)->click();
    });
    commands.Execute(Cmd::HtmlAssistant);
    EXPECT_EQ(offered, f.album + "/site/out");
    EXPECT_TRUE(QFileInfo::exists(f.album + "/site/out/index.htm"));
    EXPECT_EQ(f.window.tabs, std::vector<int>{MainWindowServices::WebTab});
    EXPECT_EQ(f.window.navigated, QStringList{QUrl::fromLocalFile(f.album + "/site/out/index.htm").toString()});
}

// What the assistant was told outlives the program; settings written before it was kept give the
// assistant's first values.
TEST(WebCommands, TheAssistantsChoicesOutliveTheProgram) {
    WebCommandsFixture f;
    CImageObject picture;
    ASSERT_TRUE(picture.Create(8, 6, 24));
    ASSERT_TRUE(picture.Save(f.album + "/a.jpg"));
    MemorySettingsStore store;
    f.settings.Load(store);
    const auto run = [&f](CAppSettings& settings, std::function<void(QWizard&)> act) {
        WebCommands commands(f.doc, settings, {f.ui, f.launcher, f.window, nullptr});
        QTimer::singleShot(0, [act] {
            auto* wizard = qobject_cast<QWizard*>(QApplication::activeModalWidget());
            ASSERT_TRUE(wizard);
            act(*wizard);
            if (wizard->isVisible()) wizard->reject();
        });
        commands.Execute(Cmd::HtmlAssistant);
    };
    run(f.settings, [](QWizard& wizard) {
        EXPECT_FALSE(Control<QCheckBox>(wizard, "includeFileSize")->isChecked());
        Control<QCheckBox>(wizard, "includeFileSize")->setChecked(true);
        Control<QCheckBox>(wizard, "includeImageName")->setChecked(false);
        Control<QComboBox>(wizard, "thumbnailBox")->setCurrentText(QStringLiteral("100x75"));
        Control<QComboBox>(wizard, "styleSet")->setCurrentText(QStringLiteral("Formal"));
        Control<QLineEdit>(wizard, "email")->setText(QStringLiteral("ana@example.org"));
        while (wizard.button(QWizard::NextButton)->isVisible()) wizard.button(QWizard::NextButton)->click();
        wizard.button(QWizard::FinishButton)->click();
    });
    EXPECT_TRUE(QFileInfo::exists(f.site + "/index.htm"));
    ASSERT_TRUE(f.settings.Save(store));

    CAppSettings restarted;
    restarted.Load(store);
    run(restarted, [](QWizard& wizard) {
        EXPECT_TRUE(Control<QCheckBox>(wizard, "includeFileSize")->isChecked());
        EXPECT_FALSE(Control<QCheckBox>(wizard, "includeImageName")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(wizard, "includeDescription")->isChecked());
        EXPECT_EQ(Control<QComboBox>(wizard, "thumbnailBox")->currentText(), QStringLiteral("100x75"));
        EXPECT_EQ(Control<QComboBox>(wizard, "styleSet")->currentText(), QStringLiteral("Formal"));
        EXPECT_EQ(Control<QLineEdit>(wizard, "email")->text(), QStringLiteral("ana@example.org"));
    });

    HtmlWizardSettings first;
    RecallWizardChoices(CAppSettings(), first);
    HtmlWizardSettings expected;
    EXPECT_EQ(first, expected);
}

// The tab shows the album's site, or the page that says there is none, once it is first seen.
TEST(WebSiteTab, ShowsTheSiteOrThePageForAnAlbumWithout) {
    WebCommandsFixture f;
    CHTMLViewS view(f.doc, f.settings);
    EXPECT_EQ(view.Location().fileName(), QStringLiteral("noweb.htm"));
    f.MakeSite();
    view.OnUpdate(nullptr, 0, nullptr);
    EXPECT_EQ(view.Location(), QUrl::fromLocalFile(f.site + "/index.htm"));
    QSignalSpy loaded(&view, &CHTMLViewS::loadFinished);
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(loaded.front().front().toBool());
    EXPECT_EQ(view.Location(), QUrl::fromLocalFile(f.site + "/index.htm"));

    f.doc.SetPathName({});
    view.OnUpdate(nullptr, 0, nullptr);
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_EQ(view.Location().fileName(), QStringLiteral("noweb.htm"));
}
