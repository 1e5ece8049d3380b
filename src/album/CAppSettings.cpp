#include "CAppSettings.h"

#include "platform/SettingsStore.h"

void CAppSettings::Load(const SettingsStore& store) {
#define ALBORA_READ_INT(field, key, fallback) \
    field = store.ReadInt(kSection, QStringLiteral(key), field);
#define ALBORA_READ_TEXT(field, key, fallback) \
    field = store.ReadText(kSection, QStringLiteral(key), field);
    ALBORA_SETTINGS(ALBORA_READ_INT, ALBORA_READ_TEXT)
#undef ALBORA_READ_INT
#undef ALBORA_READ_TEXT
}

bool CAppSettings::Save(SettingsStore& store) const {
    store.WriteText(kSection, QStringLiteral("AlboPath"), AlboPath);
    if (!store.Flush()) return false;
#define ALBORA_WRITE_INT(field, key, fallback) store.WriteInt(kSection, QStringLiteral(key), field);
#define ALBORA_WRITE_TEXT(field, key, fallback) \
    store.WriteText(kSection, QStringLiteral(key), field);
    ALBORA_SETTINGS(ALBORA_WRITE_INT, ALBORA_WRITE_TEXT)
#undef ALBORA_WRITE_INT
#undef ALBORA_WRITE_TEXT
    return store.Flush();
}

void CAppSettings::ApplyProgramDirectory(const QString& programDirectory, const QString& scratchDirectory) {
    AlboPath = programDirectory;
    if (FastTempPath.isEmpty()) FastTempPath = scratchDirectory;
}
