#include "platform/SettingsStore.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SettingsStore, UserStoreLivesUnderXdgConfigHomeAndKeepsValues) {
    QTemporaryDir home;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    {
        auto store = MakeUserSettingsStore();
        store->WriteInt("Albora", "overlayColorR", 12);
        store->WriteText("Settings", "WindowPos", "0,1,-1,-1,-1,-1,0,0,640,480");
        EXPECT_TRUE(store->Flush());
    }
    auto store = MakeUserSettingsStore();
    EXPECT_EQ(store->ReadInt("Albora", "overlayColorR"), 12);
    EXPECT_EQ(store->ReadText("Settings", "WindowPos"), "0,1,-1,-1,-1,-1,0,0,640,480");
    EXPECT_FALSE(store->ReadInt("Albora", "missing"));
    EXPECT_TRUE(QFile::exists(home.filePath("Marenkis Setup/Albora.ini")));
    qputenv("XDG_CONFIG_HOME", old);
}
