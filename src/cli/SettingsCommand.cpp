// albora-cli settings: the user's settings store as the GUI reads it at start-up, changed only
// within the ranges of the options sheet.
#include "CliContext.h"

#include "album/SettingRules.h"

namespace {

int List(CliContext& context, const CAppSettings& settings) {
    for (const QString& key : CAppSettings::Keys())
        context.out << key << '=' << settings.ValueText(key).value_or(QString()) << '\n';
    return kExitOk;
}

int Get(CliContext& context, const CAppSettings& settings, const QString& key) {
    const std::optional<QString> value = settings.ValueText(key);
    if (!value) return context.Fail(QStringLiteral("Unknown setting '%1'.").arg(key));
    context.out << *value << '\n';
    return kExitOk;
}

// Writes only KEY, so that a change leaves every other stored value as it was.
int Set(CliContext& context, SettingsStore& store, const QString& key, const QString& value) {
    if (!CAppSettings::Keys().contains(key)) return context.Fail(QStringLiteral("Unknown setting '%1'.").arg(key));
    const SettingRule* rule = SettingRules::Find(key);
    if (!rule)
        return context.Fail(QStringLiteral("The setting '%1' is not one of the General Options; "
                                           "albora-cli does not change it.")
                                .arg(key));
    if (const std::optional<QString> refusal = rule->Check(value)) return context.Fail(*refusal);
    if (rule->kind == SettingRule::Kind::Number)
        store.WriteInt(CAppSettings::kSection, key, value.trimmed().toInt());
    else
        store.WriteText(CAppSettings::kSection, key, value);
    if (!store.Flush()) return context.Fail(QStringLiteral("Error:\nCan't write the settings!"));
    return kExitOk;
}

}  // namespace

int RunSettingsCommand(CliContext& context, const QStringList& args) {
    const QString command = args.value(0);
    const std::unique_ptr<SettingsStore> store = MakeUserSettingsStore();
    CAppSettings settings;
    settings.Load(*store);
    if (command == QStringLiteral("list") && args.size() == 1) return List(context, settings);
    if (command == QStringLiteral("get") && args.size() == 2) return Get(context, settings, args[1]);
    if (command == QStringLiteral("set") && args.size() == 3) return Set(context, *store, args[1], args[2]);
    return context.Usage(QStringLiteral("settings takes list, get KEY or set KEY VALUE"));
}
