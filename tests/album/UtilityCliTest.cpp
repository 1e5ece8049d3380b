#include "TestFiles.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

// The user's utility definitions where albora-cli finds them, for the life of the object.
class UtilitySettingsScope {
public:
    explicit UtilitySettingsScope(const QStringList& definitions) : m_previous(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        QSettings store(m_config.filePath(QStringLiteral("Marenkis Setup/Albora.ini")), QSettings::IniFormat);
        for (qsizetype i = 0; i < definitions.size(); ++i)
            store.setValue(QStringLiteral("Albora/util%1").arg(i + 1), definitions[i]);
    }
    ~UtilitySettingsScope() { qputenv("XDG_CONFIG_HOME", m_previous); }

private:
    QTemporaryDir m_config;
    QByteArray m_previous;
};

}  // namespace

TEST(UtilityCli, DryRunPrintsTheExpandedProgramAndArgument) {
    ScopedTestDir dir;
    UtilitySettingsScope settings({QStringLiteral("Open;\"/opt/My Tool/run\" {IMAGESEL} more;ignored"),
                                   QStringLiteral("Tell;echo {DESCSEL}"), QStringLiteral("No command")});
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "a.crp", "My Photos/a.jpg", "--description", "x; touch PWNED"}).code, 0);

    const ProgramRun open = Cli({"utility", "a.crp", "1", "--card", "1", "--dry-run"});
    EXPECT_EQ(open.code, 0) << open.err.toStdString();
    EXPECT_EQ(open.out, "/opt/My Tool/run\n" + dir.Path(QStringLiteral("My Photos/a.jpg")).toUtf8() + "\nmore\n");
    EXPECT_EQ(Cli({"utility", "a.crp", "2", "--card", "1", "--dry-run"}).out, QByteArray("echo\nx; touch PWNED\n"));
    EXPECT_EQ(Cli({"utility", "a.crp", "2", "--dry-run"}).out, QByteArray("echo\n{DESCSEL}\n"));

    const ProgramRun broken = Cli({"utility", "a.crp", "3", "--dry-run"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("Error:\nCan't execute the utility: No command")));
    EXPECT_EQ(Cli({"utility", "a.crp", "1", "--card", "2", "--dry-run"}).code, 1);
    EXPECT_EQ(Cli({"utility", "a.crp", "6"}).code, 2);
    EXPECT_EQ(Cli({"utility", "a.crp"}).code, 2);
    EXPECT_FALSE(QFile::exists(dir.Path(QStringLiteral("PWNED"))));
}

// Every word reaches the program, and a card's file never reads as one of its options.
TEST(UtilityCli, PassesEveryWordAndTheCardFileFoundHere) {
    ScopedTestDir dir;
    UtilitySettingsScope settings({QStringLiteral("Echo;/bin/echo one {NAMESEL} {DESCSEL}"), QStringLiteral("Remove;rm {IMAGESEL}")});
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    ASSERT_EQ(Cli({"album", "add", "a.crp", "-rf.jpg", "--name", "Beach", "--description", "sand and sea"}).code, 0);
    EXPECT_EQ(Cli({"utility", "a.crp", "1", "--card", "1", "--dry-run"}).out, QByteArray("/bin/echo\none\nBeach\nsand and sea\n"));
    EXPECT_EQ(Cli({"utility", "a.crp", "2", "--card", "1", "--dry-run"}).out,
              "rm\n" + dir.Path(QStringLiteral("-rf.jpg")).toUtf8() + '\n');
}

TEST(UtilityCli, StartsTheProgramOrReportsWhyItCouldNot) {
    ScopedTestDir dir;
    UtilitySettingsScope settings({QStringLiteral("Touch;touch {CRPNAME}.done"), QStringLiteral("Gone;/nonexistent/tool x")});
    ASSERT_EQ(Cli({"album", "new", "a.crp", "--name", "Trip"}).code, 0);
    EXPECT_EQ(Cli({"utility", "a.crp", "1"}).code, 0);
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(dir.Path(QStringLiteral("Trip.done"))); }));
    const ProgramRun gone = Cli({"utility", "a.crp", "2"});
    EXPECT_EQ(gone.code, 1);
    EXPECT_TRUE(gone.err.contains(QStringLiteral("Error:\nExecuting:\n/nonexistent/tool x\n("))) << gone.err.toStdString();
}
