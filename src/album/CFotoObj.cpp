#include "CFotoObj.h"

#include "platform/CTime.h"

#include <QFile>
#include <algorithm>

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

namespace {

// TEXT cut before its first "." from FROM on, leading dots skipped, with EXTENSION.
QString CutAtFirstDot(const QString& text, qsizetype from, const QString& extension) {
    while (from < text.size() && text[from] == '.') ++from;
    const qsizetype dot = text.indexOf('.', from);
    return (dot < 0 ? text : text.left(dot)) + extension;
}

}  // namespace

QString CompanionFileName(const QString& graphic, const QString& extension) {
    const qsizetype separator = std::max(graphic.lastIndexOf('/'), graphic.lastIndexOf('\\'));
    return CutAtFirstDot(graphic, separator + 1, extension);
}

QString LegacyCompanionFileName(const QString& graphic, const QString& extension) {
    return CutAtFirstDot(graphic, 0, extension);
}

QString ExistingSoundFile(const QString& graphic) {
    for (const QString& name : {SoundFileName(graphic), LegacyCompanionFileName(graphic, QStringLiteral(".wav"))}) {
        const QString stem = name.left(name.size() - 4);
        for (const char* extension : {".wav", ".WAV"})
            if (QFile::exists(stem + QLatin1String(extension))) return stem + QLatin1String(extension);
    }
    return {};
}
