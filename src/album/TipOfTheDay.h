#pragma once

#include <QFile>
#include <QString>

class SettingsStore;

// The tips of "albora.tip": one tip a line, ";" lines and empty lines skipped, "|" a line break.
// The read position and the file's time stamp are kept in the settings section "Tip", so each
// start goes on with the next tip until the file changes.
class TipOfTheDay {
public:
    static constexpr int kMaxLineLength = 1000;
    static inline const QString kSection = QStringLiteral("Tip");

    TipOfTheDay(SettingsStore& store, const QString& path);
    // Stores the read position.
    ~TipOfTheDay();

    // The next tip, or the message that says why there is none.
    QString NextTip();

    // Whether tips show at start-up ("StartUp" 0, the default).
    static bool ShowAtStartUp(const SettingsStore& store);
    void SetShowAtStartUp(bool show);

private:
    SettingsStore& m_store;
    QFile m_file;
    bool m_bSeekFailed = false;
};
