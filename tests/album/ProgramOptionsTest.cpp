#include "TestFiles.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Runs PROGRAM with ARGS where no window system can be reached.
ProgramRun RunWithoutDisplay(const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(program, args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

struct Program {
    const char* path;
    const char* name;
};

const Program kPrograms[] = {{ALBORA_GUI_PATH, "albora"}, {ALBORA_CLI_PATH, "albora-cli"}};

}  // namespace

TEST(ProgramOptions, HelpAndVersionGoToStdoutWithoutADisplay) {
    for (const Program& program : kPrograms) {
        for (const char* option : {"--version", "-v"}) {
            const ProgramRun run = RunWithoutDisplay(QString::fromLatin1(program.path), {QString::fromLatin1(option)});
            EXPECT_EQ(run.code, 0) << program.name << " " << option << ": " << run.err.toStdString();
            EXPECT_EQ(run.out, QByteArray(program.name) + " " ALBORA_VERSION "\n");
            EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        }
        for (const char* option : {"--help", "-h"}) {
            const ProgramRun run = RunWithoutDisplay(QString::fromLatin1(program.path), {QString::fromLatin1(option)});
            EXPECT_EQ(run.code, 0) << program.name << " " << option << ": " << run.err.toStdString();
            EXPECT_TRUE(run.out.startsWith(QByteArray("Usage: ") + program.name)) << run.out.toStdString();
            EXPECT_TRUE(run.out.contains("--version"));
        }
    }
}

TEST(ProgramOptions, UnknownOptionIsAUsageErrorOnStderr) {
    // albora reads the rest of its command line after Qt has taken its own options, on a screen.
    for (const Program& program : kPrograms) {
        const ProgramRun run = RunProgram(QString::fromLatin1(program.path), {"--no-such-option"});
        EXPECT_EQ(run.code, 2) << program.name;
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains("no-such-option")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Try '%1 --help'").arg(QString::fromLatin1(program.name))));
    }
    const ProgramRun bare = RunProgram(QStringLiteral(ALBORA_CLI_PATH), {});
    EXPECT_EQ(bare.code, 2);
    EXPECT_TRUE(bare.out.isEmpty());
    EXPECT_TRUE(bare.err.startsWith("Usage: albora-cli"));
}

// Whatever fails, and whichever part of the program says so, the message names the program first.
TEST(ProgramOptions, EveryFailureOfTheBatchProgramNamesIt) {
    ScopedTestDir dir;
    dir.Write("notes.txt", "not a picture");
    const QList<QStringList> failures = {
        {"image", "info", "missing.jpg"},
        {"image", "convert", "notes.txt", "out.png"},
        {"image", "convert", "missing.jpg", "out.xyz"},
        {"album", "show", "missing.crp"},
        {"settings", "set", "NoSuchKey", "1"},
        {"draw", "show", "missing.adw"},
        {"album", "bogus"},
    };
    for (const QStringList& args : failures) {
        const ProgramRun run = Cli(args);
        EXPECT_NE(run.code, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("albora-cli: ")) << args.join(' ').toStdString() << ": " << run.err.toStdString();
    }
}

// Each command tells its own usage; a word that is no command of the group is still refused.
TEST(ProgramOptions, EachCommandTellsItsUsage) {
    const ProgramRun render = Cli({"draw", "render", "--help"});
    EXPECT_EQ(render.code, 0) << render.err.toStdString();
    EXPECT_TRUE(render.out.startsWith("Usage:\n  draw render FILE.adw")) << render.out.toStdString();
    EXPECT_FALSE(render.out.contains("draw new"));
    const ProgramRun quick = Cli({"quick", "del", "-h"});
    EXPECT_EQ(quick.code, 0);
    EXPECT_TRUE(quick.out.contains("quick list | add DIR | del N"));
    const ProgramRun web = Cli({"web", "trip.crp", "site", "--help"});
    EXPECT_EQ(web.code, 0);
    EXPECT_TRUE(web.out.contains("  web ALBUM.crp OUTDIR"));
    const ProgramRun album = Cli({"album", "--help"});
    EXPECT_TRUE(album.out.contains("album new") && album.out.contains("album stream")) << album.out.toStdString();
    const ProgramRun bogus = Cli({"album", "bogus", "--help"});
    EXPECT_EQ(bogus.code, 2);
    EXPECT_TRUE(bogus.err.startsWith("albora-cli: ")) << bogus.err.toStdString();
}
