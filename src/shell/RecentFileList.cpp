#include "RecentFileList.h"

#include "DesktopRecentFiles.h"

#include "platform/SettingsStore.h"

namespace {
const QString kSection = QStringLiteral("Recent File List");
QString Key(int i) { return QStringLiteral("File%1").arg(i + 1); }
}  // namespace

void RecentFileList::Load(const SettingsStore& store) {
    m_files.clear();
    for (int i = 0; i < kSize; ++i) {
        const QString path = store.ReadText(kSection, Key(i), {});
        if (!path.isEmpty()) m_files << path;
    }
}

void RecentFileList::Save(SettingsStore& store) const {
    for (int i = 0; i < kSize; ++i) store.WriteText(kSection, Key(i), m_files.value(i));
}

void RecentFileList::Add(const QString& path) {
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kSize) m_files.removeLast();
    if (path == m_toldToDesktop) return;
    m_toldToDesktop = path;
    AddToDesktopRecentFiles(path);
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < m_files.size()) m_files.removeAt(index);
}
