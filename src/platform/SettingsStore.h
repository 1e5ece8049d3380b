#pragma once

#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The per-user key/value store of the program's settings: sections of named integers and texts.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<int> ReadInt(const QString& section, const QString& key) const = 0;
    virtual std::optional<QString> ReadText(const QString& section, const QString& key) const = 0;
    virtual void WriteInt(const QString& section, const QString& key, int value) = 0;
    virtual void WriteText(const QString& section, const QString& key, const QString& value) = 0;
    // Makes the writes so far durable; false when the store cannot be written.
    virtual bool Flush() = 0;

    int ReadInt(const QString& section, const QString& key, int fallback) const {
        return ReadInt(section, key).value_or(fallback);
    }
    QString ReadText(const QString& section, const QString& key, const QString& fallback) const {
        return ReadText(section, key).value_or(fallback);
    }
};

// The store of the running program: an INI file of the organisation "Marenkis Setup" and the
// application "Albora" under XDG_CONFIG_HOME.
std::unique_ptr<SettingsStore> MakeUserSettingsStore();

// A store in memory, for tests and the batch program.
class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<int> ReadInt(const QString& section, const QString& key) const override;
    std::optional<QString> ReadText(const QString& section, const QString& key) const override;
    void WriteInt(const QString& section, const QString& key, int value) override;
    void WriteText(const QString& section, const QString& key, const QString& value) override;
    bool Flush() override { return m_bWritable; }

    void SetWritable(bool writable) { m_bWritable = writable; }
    // The keys in the order they were first written.
    const std::vector<QString>& WriteOrder() const { return m_writeOrder; }

private:
    std::map<std::pair<QString, QString>, QString> m_values;
    std::vector<QString> m_writeOrder;
    bool m_bWritable = true;
};
