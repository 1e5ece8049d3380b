#include "TipOfTheDay.h"

#include "platform/CTime.h"
#include "platform/RegularFile.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

TipOfTheDay::TipOfTheDay(SettingsStore& store, const QString& path)
    : m_store(store) {
    if (!OpenRegularFile(path, m_file)) return;
    const QString stamp = CTime::CtimeText(QFileInfo(path).lastModified().toSecsSinceEpoch()).trimmed();
    if (stamp != m_store.ReadText(kSection, QStringLiteral("TimeStamp"), {})) {
        m_store.WriteText(kSection, QStringLiteral("TimeStamp"), stamp);
        return;
    }
    const int position = m_store.ReadInt(kSection, QStringLiteral("FilePos"), 0);
    if (position < 0 || position > m_file.size() || !m_file.seek(position)) m_bSeekFailed = true;
}

TipOfTheDay::~TipOfTheDay() {
    if (m_file.isOpen())
        m_store.WriteInt(kSection, QStringLiteral("FilePos"), static_cast<int>(m_file.pos()));
}

QString TipOfTheDay::NextTip() {
    if (!m_file.isOpen()) return QStringLiteral("Tips file does not exist in the prescribed directory");
    if (m_bSeekFailed) return QStringLiteral("Trouble reading the tips file");
    // One pass from the current position to the end and one from the start find any tip there is.
    for (int pass = 0; pass < 2; ++pass) {
        while (!m_file.atEnd()) {
            QString line = QString::fromUtf8(m_file.readLine(kMaxLineLength + 1));
            while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
            if (line.isEmpty() || line.startsWith(';')) continue;
            return line.replace('|', '\n');
        }
        m_file.seek(0);
    }
    return QStringLiteral("The tips file holds no tips");
}

bool TipOfTheDay::ShowAtStartUp(const SettingsStore& store) {
    return store.ReadInt(kSection, QStringLiteral("StartUp"), 0) == 0;
}

void TipOfTheDay::SetShowAtStartUp(bool show) {
    m_store.WriteInt(kSection, QStringLiteral("StartUp"), show ? 0 : 1);
}
