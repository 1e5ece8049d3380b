#include "CFotoObj.h"

#include "platform/CTime.h"

const ClassInfo CFotoObj::kClass{"CFotoObj", 0, [] { return std::make_unique<CFotoObj>(); }};

CFotoObj::CFotoObj() : m_time(CTime::NowStamp()) {}

CFotoObj::CFotoObj(const CFotoObj& other)
    : Serializable(),
      m_strName(other.m_strName),
      m_strDescription(other.m_strDescription),
      m_strGraphic(other.m_strGraphic),
      m_time(other.m_time) {}

CFotoObj& CFotoObj::operator=(const CFotoObj& other) {
    m_strName = other.m_strName;
    m_strDescription = other.m_strDescription;
    m_strGraphic = other.m_strGraphic;
    m_time = other.m_time;
    return *this;
}

void CFotoObj::Store(ArchiveWriter& ar) const {
    ar.WriteString(m_strName);
    ar.WriteString(m_strDescription);
    ar.WriteString(m_strGraphic);
    ar.WriteDword(m_time);
    for (const QString& reserved : m_strReserved) ar.WriteString(reserved);
}

void CFotoObj::Load(ArchiveReader& ar) {
    m_strName = ar.ReadString();
    m_strDescription = ar.ReadString();
    m_strGraphic = ar.ReadString();
    m_time = ar.ReadDword();
    for (QString& reserved : m_strReserved) reserved = ar.ReadString();
}

QString CompanionFileName(const QString& graphic, const QString& extension) {
    qsizetype start = 0;
    while (start < graphic.size() && graphic[start] == '.') ++start;
    const qsizetype dot = graphic.indexOf('.', start);
    return (dot < 0 ? graphic : graphic.left(dot)) + extension;
}
