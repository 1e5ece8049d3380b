#include "SettingsStore.h"

#include <QSettings>

namespace {

class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore()
        : m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Marenkis Setup"),
                     QStringLiteral("Albora")) {}

    std::optional<int> ReadInt(const QString& section, const QString& key) const override {
        const QVariant value = m_settings.value(Path(section, key));
        bool ok = false;
        const int n = value.toInt(&ok);
        return ok ? std::optional<int>(n) : std::nullopt;
    }
    std::optional<QString> ReadText(const QString& section, const QString& key) const override {
        const QVariant value = m_settings.value(Path(section, key));
        return value.isValid() ? std::optional<QString>(value.toString()) : std::nullopt;
    }
    void WriteInt(const QString& section, const QString& key, int value) override {
        m_settings.setValue(Path(section, key), value);
    }
    void WriteText(const QString& section, const QString& key, const QString& value) override {
        m_settings.setValue(Path(section, key), value);
    }
    bool Flush() override {
        m_settings.sync();
        return m_settings.status() == QSettings::NoError && m_settings.isWritable();
    }

private:
    static QString Path(const QString& section, const QString& key) { return section + '/' + key; }
    QSettings m_settings;
};

}  // namespace

std::unique_ptr<SettingsStore> MakeUserSettingsStore() { return std::make_unique<QtSettingsStore>(); }

std::optional<int> MemorySettingsStore::ReadInt(const QString& section, const QString& key) const {
    const auto it = m_values.find({section, key});
    if (it == m_values.end()) return std::nullopt;
    bool ok = false;
    const int n = it->second.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<QString> MemorySettingsStore::ReadText(const QString& section,
                                                     const QString& key) const {
    const auto it = m_values.find({section, key});
    return it == m_values.end() ? std::nullopt : std::optional<QString>(it->second);
}

void MemorySettingsStore::WriteInt(const QString& section, const QString& key, int value) {
    WriteText(section, key, QString::number(value));
}

void MemorySettingsStore::WriteText(const QString& section, const QString& key,
                                    const QString& value) {
    if (!m_bWritable) return;
    const auto [it, inserted] = m_values.insert_or_assign({section, key}, value);
    if (inserted) m_writeOrder.push_back(key);
}
