#include "album/CAppSettings.h"
#include "platform/SettingsStore.h"

#include <gtest/gtest.h>

TEST(AppSettings, AFirstStartGivesTheDefaults) {
    MemorySettingsStore store;
    CAppSettings settings;
    settings.Load(store);
    EXPECT_EQ(settings.NombreFoto, QStringLiteral("IMG_%04d"));
    EXPECT_EQ(settings.JPGquality, 99);
    EXPECT_EQ(settings.flgCreaDir, 1);
    EXPECT_EQ(settings.overlayColorB, 255);
    EXPECT_EQ(settings.configSonido,
              "set albosrec time format ms bitspersample 8 channels 1 samplespersec 11025");
    EXPECT_EQ(settings.browserMask, QStringLiteral("Internet images (*.jpg; *.jpeg; *.gif)"));
    EXPECT_EQ(settings.assistDefDir, QStringLiteral("{CRPPATH}/WEB"));
    EXPECT_TRUE(settings.FastTempPath.isEmpty());
    settings.ApplyProgramDirectory(QStringLiteral("/start/"), QStringLiteral("/cache/albora/"));
    EXPECT_EQ(settings.AlboPath, QStringLiteral("/start/"));
    EXPECT_EQ(settings.FastTempPath, QStringLiteral("/cache/albora/"));
}

// The desktop's programs come first; settings brought from Windows stay as they were stored.
TEST(AppSettings, TheDesktopsProgramsAreDefaultsAndStoredValuesWin) {
    MemorySettingsStore empty;
    CAppSettings fresh;
    fresh.Load(empty);
    EXPECT_EQ(fresh.htmlEditor, QStringLiteral("xdg-open {FILEFROMSELECTOR}"));
    EXPECT_EQ(fresh.publisher, QString());
    EXPECT_EQ(fresh.WWWBrowser, QStringLiteral("xdg-open"));

    MemorySettingsStore old;
    const QString editor =
        QStringLiteral("C:\\Program Files\\Microsoft FrontPage\\bin\\fpeditor.exe {FILEFROMSELECTOR}");
    old.WriteText(CAppSettings::kSection, QStringLiteral("htmlEditor"), editor);
    old.WriteText(CAppSettings::kSection, QStringLiteral("assistDefDir"), QStringLiteral("{CRPPATH}\\WEB"));
    old.WriteText(CAppSettings::kSection, QStringLiteral("publisher"), QStringLiteral("D:\\Wpwiz.exe"));
    CAppSettings kept;
    kept.Load(old);
    EXPECT_EQ(kept.htmlEditor, editor);
    EXPECT_EQ(kept.assistDefDir, QStringLiteral("{CRPPATH}\\WEB"));
    EXPECT_EQ(kept.publisher, QStringLiteral("D:\\Wpwiz.exe"));
    MemorySettingsStore written;
    ASSERT_TRUE(kept.Save(written));
    EXPECT_EQ(written.ReadText(CAppSettings::kSection, QStringLiteral("htmlEditor")), editor);
}

TEST(AppSettings, ValuesSurviveARestartUnderTheSameKeys) {
    MemorySettingsStore store;
    CAppSettings before;
    before.overlayColorR = 1;
    before.overlayColorG = 2;
    before.overlayColorB = 3;
    before.flgVideoBlaster = 0;
    before.util3 = QStringLiteral("gimp {FILE}");
    ASSERT_TRUE(before.Save(store));
    EXPECT_EQ(store.WriteOrder().front(), QStringLiteral("AlboPath"));
    EXPECT_EQ(store.WriteOrder().size(), 123u);
    EXPECT_EQ(store.WriteOrder().back(), QStringLiteral("PresDelayUnit"));
    EXPECT_EQ(store.ReadInt("Albora", "overlayColorG"), 2);

    CAppSettings after;
    after.Load(store);
    EXPECT_EQ(after.overlayColorR, 1);
    EXPECT_EQ(after.overlayColorB, 3);
    EXPECT_EQ(after.flgVideoBlaster, 0);
    EXPECT_EQ(after.util3, QStringLiteral("gimp {FILE}"));
}

TEST(AppSettings, NothingIsWrittenWhenTheFirstKeyCannotBe) {
    MemorySettingsStore store;
    store.SetWritable(false);
    CAppSettings settings;
    EXPECT_FALSE(settings.Save(store));
    EXPECT_TRUE(store.WriteOrder().empty());
}

TEST(AppSettings, UnreadableValuesKeepTheirDefaults) {
    MemorySettingsStore store;
    store.WriteText("Albora", "JPGquality", "high");
    CAppSettings settings;
    settings.Load(store);
    EXPECT_EQ(settings.JPGquality, 99);
}
