// The settings reached by key name, for the options sheet's controls and `albora-cli settings`.
#include "CAppSettings.h"

QStringList CAppSettings::Keys() {
    QStringList keys;
#define ALBORA_KEY(field, name, fallback) keys.append(QStringLiteral(name));
    ALBORA_SETTINGS(ALBORA_KEY, ALBORA_KEY)
#undef ALBORA_KEY
    return keys;
}

std::optional<QString> CAppSettings::ValueText(const QString& key) const {
#define ALBORA_INT_VALUE(field, name, fallback) \
    if (key == QLatin1String(name)) return QString::number(field);
#define ALBORA_TEXT_VALUE(field, name, fallback) \
    if (key == QLatin1String(name)) return field;
    ALBORA_SETTINGS(ALBORA_INT_VALUE, ALBORA_TEXT_VALUE)
#undef ALBORA_INT_VALUE
#undef ALBORA_TEXT_VALUE
    return std::nullopt;
}

bool CAppSettings::SetValueText(const QString& key, const QString& text) {
    bool ok = false;
#define ALBORA_SET_INT(field, name, fallback)            \
    if (key == QLatin1String(name)) {                 \
        const int value = text.trimmed().toInt(&ok);    \
        if (ok) field = value;                          \
        return ok;                                      \
    }
#define ALBORA_SET_TEXT(field, name, fallback) \
    if (key == QLatin1String(name)) {       \
        field = text;                         \
        return true;                          \
    }
    ALBORA_SETTINGS(ALBORA_SET_INT, ALBORA_SET_TEXT)
#undef ALBORA_SET_INT
#undef ALBORA_SET_TEXT
    return false;
}
