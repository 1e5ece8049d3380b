#include "album/CAppSettings.h"
#include "album/SettingRules.h"

#include <gtest/gtest.h>

namespace {

std::optional<QString> Check(const char* key, const char* typed) {
    const SettingRule* rule = SettingRules::Find(QString::fromLatin1(key));
    EXPECT_TRUE(rule) << key;
    return rule ? rule->Check(QString::fromLatin1(typed)) : std::nullopt;
}

TEST(SettingRules, NumbersAreWholeAndWithinTheirRange) {
    EXPECT_FALSE(Check("JPGquality", "0"));
    EXPECT_FALSE(Check("JPGquality", " 99 "));
    for (const char* refused : {"100", "-1", "", "9x", "50.5", "2147483648"})
        EXPECT_EQ(Check("JPGquality", refused), QStringLiteral("JPEG quality must be a whole number from 0 to 99."))
            << refused;
    EXPECT_EQ(Check("overlayColorG", "256"),
              QStringLiteral("The green of the croma key must be a whole number from 0 to 255."));
    EXPECT_FALSE(Check("overlayColorB", "255"));
    EXPECT_TRUE(Check("tFactor", "3"));
    EXPECT_TRUE(Check("latenciaTimer", "0"));
    EXPECT_TRUE(Check("MarXIzqBorde", "-1"));
    const SettingRule& limit = SettingRules::DescriptionLimit();
    EXPECT_FALSE(limit.Check(QStringLiteral("30000")));
    EXPECT_EQ(limit.Check(QStringLiteral("30001")),
              QStringLiteral("The description limit must be a whole number from 0 to 30000."));
}

TEST(SettingRules, FlagsChoicesAndTexts) {
    EXPECT_FALSE(Check("flgCreaDir", "1"));
    EXPECT_EQ(Check("flgCreaDir", "2"), QStringLiteral("Create a new folder by album must be 0 or 1."));
    EXPECT_FALSE(Check("GrabaFormato", "TGA format tga24"));
    EXPECT_FALSE(Check("GrabaFormato", "BMP type DIB 8-bit"));
    const auto refused = Check("GrabaFormato", "PNG");
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->startsWith(QStringLiteral("The overlay photo format must be one of: BMP type DIB 24-bit, ")));
    EXPECT_FALSE(Check("NombreFoto", "any %d pattern"));
    EXPECT_FALSE(Check("Plantilla", ""));
}

TEST(SettingRules, EveryRuleNamesARealKeyWhoseDefaultItAccepts) {
    const CAppSettings defaults;
    for (const SettingRule& rule : SettingRules::All()) {
        const std::optional<QString> value = defaults.ValueText(rule.key);
        ASSERT_TRUE(value) << rule.key.toStdString();
        // The one exception: the time unit's stored default is a factor, not a list index.
        if (rule.key == QStringLiteral("tFactor")) continue;
        EXPECT_FALSE(rule.Check(*value)) << rule.key.toStdString();
    }
    EXPECT_EQ(SettingRules::VideoBlasterFormats().size(), 14);
    EXPECT_EQ(SettingRules::BravadoFormats().size(), 4);
    EXPECT_FALSE(SettingRules::Find(QStringLiteral("AlboPath")));
}

TEST(AppSettingsByKey, ReadsAndSetsEveryKeyByName) {
    CAppSettings settings;
    const QStringList keys = CAppSettings::Keys();
    ASSERT_EQ(keys.size(), 123);
    EXPECT_EQ(keys.front(), QStringLiteral("AlboPath"));
    for (const QString& key : keys) EXPECT_TRUE(settings.ValueText(key)) << key.toStdString();
    EXPECT_EQ(settings.ValueText(QStringLiteral("JPGquality")), QStringLiteral("99"));
    EXPECT_EQ(settings.ValueText(QStringLiteral("MarHeader")), QStringLiteral("{CRPNAME}"));
    EXPECT_FALSE(settings.ValueText(QStringLiteral("jpgquality")));

    EXPECT_TRUE(settings.SetValueText(QStringLiteral("JPGquality"), QStringLiteral(" 40")));
    EXPECT_EQ(settings.JPGquality, 40);
    EXPECT_FALSE(settings.SetValueText(QStringLiteral("JPGquality"), QStringLiteral("forty")));
    EXPECT_EQ(settings.JPGquality, 40);
    EXPECT_TRUE(settings.SetValueText(QStringLiteral("Plantilla"), QStringLiteral("/planes/a.svg")));
    EXPECT_EQ(settings.Plantilla, QStringLiteral("/planes/a.svg"));
    EXPECT_FALSE(settings.SetValueText(QStringLiteral("Nothing"), QStringLiteral("1")));
}

}  // namespace
