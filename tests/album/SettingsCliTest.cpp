#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// albora-cli runs with a settings store of its own in a private XDG_CONFIG_HOME.
class SettingsCli : public ::testing::Test {
protected:
    SettingsCli() : m_previous(qgetenv("XDG_CONFIG_HOME")) { qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8()); }
    ~SettingsCli() override { qputenv("XDG_CONFIG_HOME", m_previous); }

    QByteArray StoreFile() const { return ReadAll(m_config.filePath(QStringLiteral("Marenkis Setup/Albora.ini"))); }

private:
    QTemporaryDir m_config;
    QByteArray m_previous;
};

TEST_F(SettingsCli, SetsGetsAndListsWhatTheProgramReads) {
    const ProgramRun list = Cli({"settings", "list"});
    ASSERT_EQ(list.code, 0) << list.err.toStdString();
    const QList<QByteArray> lines = list.out.trimmed().split('\n');
    EXPECT_EQ(lines.size(), 123);
    EXPECT_TRUE(lines.contains("JPGquality=99"));
    EXPECT_TRUE(lines.contains("GrabaFormato=BMP type DIB 8-bit"));

    ASSERT_EQ(Cli({"settings", "set", "JPGquality", "80"}).code, 0);
    ASSERT_EQ(Cli({"settings", "set", "GrabaFormato", "TGA format tga16"}).code, 0);
    ASSERT_EQ(Cli({"settings", "set", "MarHeader", "{CRPNAME} {CURDATE}"}).code, 0);
    EXPECT_EQ(Cli({"settings", "get", "JPGquality"}).out, "80\n");
    EXPECT_EQ(Cli({"settings", "get", "GrabaFormato"}).out, "TGA format tga16\n");
    EXPECT_EQ(Cli({"settings", "get", "MarHeader"}).out, "{CRPNAME} {CURDATE}\n");
    EXPECT_TRUE(Cli({"settings", "list"}).out.contains("\nJPGquality=80\n"));
    // Only the key set is written, not every default beside it.
    EXPECT_FALSE(StoreFile().contains("flgCreaDir"));
}

TEST_F(SettingsCli, RefusesUnknownKeysAndValuesOutOfRangeWritingNothing) {
    ASSERT_EQ(Cli({"settings", "set", "JPGquality", "70"}).code, 0);
    const QByteArray before = StoreFile();

    const ProgramRun high = Cli({"settings", "set", "JPGquality", "100"});
    EXPECT_EQ(high.code, 1);
    EXPECT_TRUE(high.err.contains("JPEG quality must be a whole number from 0 to 99.")) << high.err.toStdString();
    const ProgramRun colour = Cli({"settings", "set", "overlayColorR", "300"});
    EXPECT_EQ(colour.code, 1);
    EXPECT_EQ(Cli({"settings", "set", "GrabaFormato", "PNG"}).code, 1);
    const ProgramRun unknown = Cli({"settings", "set", "JpegQuality", "50"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.err.contains("Unknown setting 'JpegQuality'.")) << unknown.err.toStdString();
    EXPECT_EQ(Cli({"settings", "get", "JpegQuality"}).code, 1);
    // A key of the store that the options do not edit is not changed from here either.
    EXPECT_EQ(Cli({"settings", "set", "AlboPath", "/tmp/"}).code, 1);
    EXPECT_EQ(StoreFile(), before);

    EXPECT_EQ(Cli({"settings", "set", "JPGquality"}).code, 2);
    EXPECT_EQ(Cli({"settings"}).code, 2);
}

}  // namespace
