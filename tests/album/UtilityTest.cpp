#include "TestDoubles.h"
#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/UtilityDefinition.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

namespace {

struct UtilityFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    RecordingLauncher launcher;
    HintLog other;

    UtilityFixture() { doc.AddView(&other); }
    std::optional<UtilityCommand> Build(const QString& commandTemplate, std::optional<SelectedCardTexts> card = {}) {
        return BuildUtilityCommand(commandTemplate, doc, card);
    }
    bool Run(const QString& definition, std::optional<SelectedCardTexts> card = {}) {
        return RunUtility(definition, doc, card, ui, launcher, UtilityQuestion::Ask, nullptr);
    }
};

SelectedCardTexts Card(const QString& graphic, const QString& description) {
    return {QStringLiteral("Beach"), graphic, QStringLiteral("01/02/2003 04:05:06"), description};
}

}  // namespace

TEST(Utility, DefinitionRulesForMenuAndCommand) {
    const UtilityDefinition view = UtilityDefinition::Parse(QStringLiteral("&View;xdg-open {IMAGESEL};notes"));
    EXPECT_EQ(view.menuText, QStringLiteral("&View"));
    EXPECT_EQ(view.commandTemplate, QStringLiteral("xdg-open {IMAGESEL}"));
    EXPECT_TRUE(view.InMenu());
    EXPECT_TRUE(UtilityDefinition::Parse(QStringLiteral("/usr/bin/gimp")).commandTemplate.isEmpty());
    EXPECT_FALSE(UtilityDefinition::Parse(QStringLiteral("V;gimp")).InMenu());
    EXPECT_FALSE(UtilityDefinition::Parse(QString()).InMenu());
    EXPECT_FALSE(UtilityDefinition::IsEnabled(QString()));
    EXPECT_FALSE(UtilityDefinition::IsEnabled(QStringLiteral("x")));
    EXPECT_TRUE(UtilityDefinition::IsEnabled(QStringLiteral("xy")));

    CAppSettings settings;
    settings.util4 = QStringLiteral("four");
    EXPECT_EQ(*UtilitySettings(settings)[3], QStringLiteral("four"));
}

TEST(Utility, SplitsWordsBeforeExpandingSoValuesStayWhole) {
    UtilityFixture f;
    // Every word is passed, as the dialog's "path argument1 argument2..." promises.
    auto plain = f.Build(QStringLiteral("/bin/echo one {NAMESEL} {DESCSEL}"), Card(QStringLiteral("a.jpg"), QStringLiteral("x y")));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->program, QStringLiteral("/bin/echo"));
    EXPECT_EQ(plain->arguments, (QStringList{QStringLiteral("one"), QStringLiteral("Beach"), QStringLiteral("x y")}));

    auto spaced = f.Build(QStringLiteral("  \"/opt/My Tool/run\"   \"two words\" {IMAGESEL}"),
                          Card(QStringLiteral("My Photos/a.jpg"), {}));
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->program, QStringLiteral("/opt/My Tool/run"));
    EXPECT_EQ(spaced->arguments, (QStringList{QStringLiteral("two words"), f.dir.Path(QStringLiteral("My Photos/a.jpg"))}));

    const QString hostile = QStringLiteral("x; touch PWNED $(rm -rf ~) \"quoted\"");
    auto injected = f.Build(QStringLiteral("echo {DESCSEL}"), Card(QString(), hostile));
    ASSERT_TRUE(injected);
    EXPECT_EQ(injected->arguments, QStringList{hostile});

    // Without a selected card the placeholder itself is passed; without a program nothing runs.
    EXPECT_EQ(f.Build(QStringLiteral("notepad {DESCSEL}"))->arguments, QStringList{QStringLiteral("{DESCSEL}")});
    EXPECT_TRUE(f.Build(QStringLiteral("viewer"))->arguments.isEmpty());
    EXPECT_FALSE(f.Build(QStringLiteral("   ")));
    EXPECT_FALSE(f.Build(QStringLiteral("{IMAGESEL} x"), Card(QString(), QString())));
}

// A program gets the card's file as the album finds it here, never a text that reads as an option.
TEST(Utility, NamesFilesByAbsolutePaths) {
    UtilityFixture f;
    f.doc.Db().List().m_strDirectory = f.dir.Path();
    f.dir.Write(QStringLiteral("IMG_0001.jpg"), "x");
    auto windows = f.Build(QStringLiteral("viewer {IMAGESEL} --name={SELNOEX}"),
                           Card(QStringLiteral("C:\\ALBORA\\Album_0000\\IMG_0001.JPG"), {}));
    ASSERT_TRUE(windows);
    const QString found = f.dir.Path(QStringLiteral("IMG_0001.jpg"));
    EXPECT_EQ(windows->arguments, (QStringList{found, QStringLiteral("--name=") + found}));

    auto option = f.Build(QStringLiteral("rm {IMAGESEL}"), Card(QStringLiteral("-rf.jpg"), {}));
    ASSERT_TRUE(option);
    EXPECT_EQ(option->arguments, QStringList{f.dir.Path(QStringLiteral("-rf.jpg"))});

    f.settings.FastTempPath = QStringLiteral("-scratch/");
    auto folders = f.Build(QStringLiteral("tool {FASTPATH} {ALBOPATH}"));
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->arguments.value(0), f.dir.Path(QStringLiteral("-scratch/")));
    EXPECT_TRUE(QDir::isAbsolutePath(folders->arguments.value(1)));

    // A printed header keeps the card's text as it is.
    QString header = QStringLiteral("{IMAGESEL}");
    ExpandPlaceholders(header, f.doc, Card(QStringLiteral("-rf.jpg"), {}));
    EXPECT_EQ(header, QStringLiteral("-rf.jpg"));
}

TEST(Utility, EveryRunTakesOneNewImageName) {
    UtilityFixture f;
    auto twice = f.Build(QStringLiteral("convert {NEWNAME}|{newname}"));
    ASSERT_TRUE(twice);
    const QString first = f.dir.Path(QStringLiteral("IMG_0000.bmp"));
    EXPECT_EQ(twice->arguments, QStringList{first + '|' + first});
    auto split = f.Build(QStringLiteral("{NEWNAME}.sh {NEWNAME}"));
    EXPECT_EQ(split->program, f.dir.Path(QStringLiteral("IMG_0001.bmp.sh")));
    EXPECT_EQ(split->arguments, QStringList{f.dir.Path(QStringLiteral("IMG_0001.bmp"))});
    f.Build(QStringLiteral("viewer"));
    EXPECT_EQ(f.doc.NextImageFileName(), QStringLiteral("IMG_0003.bmp"));
}

TEST(Utility, AsksStartsAndTellsTheOtherViews) {
    UtilityFixture f;
    const QString file = f.dir.Path(QStringLiteral("a.jpg"));
    f.ui.QueueAnswer(MsgAnswer::No);
    EXPECT_TRUE(f.Run(QStringLiteral("Edit;gimp {IMAGESEL} --new"), Card(QStringLiteral("a.jpg"), {})));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Begin execute application?:\ngimp\n") + file + QStringLiteral(" --new"));
    EXPECT_EQ(f.ui.Messages().back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(f.launcher.started.empty());
    EXPECT_EQ(f.other.hints, std::vector<int>{Hint::ViewCurrent});

    f.ui.QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(f.Run(QStringLiteral("Edit;gimp {IMAGESEL};"), Card(QStringLiteral("a.jpg"), {})));
    ASSERT_EQ(f.launcher.started.size(), 1u);
    EXPECT_EQ(f.launcher.started[0], (QStringList{QStringLiteral("gimp"), file}));
    EXPECT_EQ(f.other.hints.size(), 2u);
}

TEST(Utility, ReportsADefinitionWithoutCommandAndAFailedStart) {
    UtilityFixture f;
    EXPECT_FALSE(f.Run(QStringLiteral("/usr/bin/gimp")));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't execute the utility: /usr/bin/gimp"));
    EXPECT_EQ(f.ui.Messages().back().icon, MsgIcon::Stop);
    EXPECT_FALSE(f.Run(QStringLiteral("Empty;")));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't execute the utility: Empty;"));
    EXPECT_TRUE(f.launcher.started.empty());

    SystemProcessLauncher system;
    const QString missing = f.dir.Path(QStringLiteral("no such tool"));
    f.ui.ClearRecord();
    const QString commandTemplate = '"' + missing + QStringLiteral("\" {NAMESEL}");
    EXPECT_FALSE(RunUtility(QStringLiteral("Gone;") + commandTemplate, f.doc, std::nullopt, f.ui, system,
                            UtilityQuestion::Skip, nullptr));
    ASSERT_EQ(f.ui.Messages().size(), 1u);
    const QString message = f.ui.LastMessage();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Error:\nExecuting:\n") + commandTemplate + QStringLiteral("\n(")))
        << message.toStdString();
    EXPECT_GT(message.size(), QStringLiteral("Error:\nExecuting:\n\n()").size() + commandTemplate.size());
    EXPECT_TRUE(f.other.hints.empty());
}

// A description that a shell would run reaches the real program as one literal argument.
TEST(Utility, HostileCardTextsNeverReachAShell) {
    UtilityFixture f;
    QDir().mkdir(QStringLiteral("My Tools"));
    const QString script = f.dir.Path(QStringLiteral("My Tools/record args"));
    f.dir.Write(QStringLiteral("My Tools/record args"), "#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.out.tmp\"\n"
                                                        "mv \"$0.out.tmp\" \"$0.out\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SystemProcessLauncher system;
    const QString description = QStringLiteral("x; touch PWNED");
    ASSERT_TRUE(RunUtility(QStringLiteral("Record;\"") + script + QStringLiteral("\" {DESCSEL} also"), f.doc,
                           Card(QString(), description), f.ui, system, UtilityQuestion::Skip, nullptr));
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(script + QStringLiteral(".out")); }));
    EXPECT_EQ(ReadAll(script + QStringLiteral(".out")), description.toUtf8() + "|also|");
    EXPECT_FALSE(QFile::exists(f.dir.Path(QStringLiteral("PWNED"))));
    EXPECT_TRUE(f.ui.Messages().empty());
}
