#pragma once

#include <QStringList>

class SettingsStore;

// The four most recently used albums, newest first, kept in the settings section
// "Recent File List" as "File1" to "File4". An album that becomes the newest of the run is told
// to the desktop's recent files too.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    void Load(const SettingsStore& store);
    void Save(SettingsStore& store) const;
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Files() const { return m_files; }

private:
    QStringList m_files;
    QString m_toldToDesktop;  // the album told last, so a title's every update is not told again
};
