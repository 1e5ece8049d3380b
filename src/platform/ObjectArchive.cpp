#include "ObjectArchive.h"

#include "CodePage1252.h"

#include <QtEndian>

namespace {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kWideStringMark = 0xFFFE;
constexpr std::size_t kMaxClassNameLength = 64;
// Beyond this the index space of the format is exhausted.
constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;

}  // namespace

const ClassInfo* ClassRegistry::Find(QByteArrayView name) const {
    for (const ClassInfo* info : m_classes)
        if (info->name == name) return info;
    return nullptr;
}

ArchiveReader::ArchiveReader(QByteArrayView data, const ClassRegistry& classes)
    : m_data(data), m_classes(classes) {}

void ArchiveReader::Fail(const QString& reason) {
    if (ok()) m_error = reason;
}

bool ArchiveReader::Need(std::size_t bytes) {
    if (!ok()) return false;
    if (bytes > Remaining()) {
        Fail(QStringLiteral("unexpected end of data at byte %1").arg(m_pos));
        return false;
    }
    return true;
}

std::uint8_t ArchiveReader::ReadByte() {
    if (!Need(1)) return 0;
    return static_cast<std::uint8_t>(m_data[m_pos++]);
}

std::uint16_t ArchiveReader::ReadWord() {
    if (!Need(2)) return 0;
    const auto value = qFromLittleEndian<std::uint16_t>(m_data.data() + m_pos);
    m_pos += 2;
    return value;
}

std::uint32_t ArchiveReader::ReadDword() {
    if (!Need(4)) return 0;
    const auto value = qFromLittleEndian<std::uint32_t>(m_data.data() + m_pos);
    m_pos += 4;
    return value;
}

std::uint32_t ArchiveReader::ReadLength() {
    const std::uint8_t byteLength = ReadByte();
    if (byteLength < 0xFF) return byteLength;
    const std::uint16_t wordLength = ReadWord();
    if (wordLength < 0xFFFF) return wordLength;
    return ReadDword();
}

QString ArchiveReader::ReadString() {
    bool wide = false;
    std::uint32_t length = ReadByte();
    if (length == 0xFF) {
        length = ReadWord();
        if (length == kWideStringMark) {
            wide = true;
            length = ReadLength();
        } else if (length == 0xFFFF) {
            length = ReadDword();
        }
    }
    const std::size_t bytes = std::size_t(length) * (wide ? 2 : 1);
    if (!Need(bytes)) return {};
    const char* start = m_data.data() + m_pos;
    m_pos += bytes;
    if (!wide) return CodePage1252::Decode(QByteArrayView(start, bytes));
    QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
    for (std::uint32_t i = 0; i < length; ++i)
        text[i] = QChar(qFromLittleEndian<char16_t>(start + 2 * i));
    return text;
}

std::uint32_t ArchiveReader::ReadCount(std::size_t minBytes) {
    std::uint32_t count = ReadWord();
    if (count == 0xFFFF) count = ReadDword();
    if (ok() && minBytes > 0 && count > Remaining() / minBytes)
        Fail(QStringLiteral("count %1 larger than the data").arg(count));
    return ok() ? count : 0;
}

const ClassInfo* ArchiveReader::ReadNewClass() {
    const std::uint16_t schema = ReadWord();
    const std::uint16_t nameLength = ReadWord();
    if (!ok()) return nullptr;
    if (nameLength >= kMaxClassNameLength) {
        Fail(QStringLiteral("class name too long"));
        return nullptr;
    }
    if (!Need(nameLength)) return nullptr;
    const QByteArrayView name(m_data.data() + m_pos, nameLength);
    m_pos += nameLength;
    const ClassInfo* info = m_classes.Find(name);
    if (!info) {
        Fail(QStringLiteral("unknown class %1").arg(QString::fromLatin1(name)));
        return nullptr;
    }
    if (info->schema != schema) {
        Fail(QStringLiteral("class %1 has schema %2").arg(QString::fromLatin1(name)).arg(schema));
        return nullptr;
    }
    return info;
}

std::shared_ptr<Serializable> ArchiveReader::ReadObject() {
    m_bLastBackReference = false;
    const std::uint16_t tag = ReadWord();
    if (!ok()) return nullptr;
    std::uint32_t objectTag = 0;
    if (tag == kBigObjectTag)
        objectTag = ReadDword();
    else
        objectTag = (std::uint32_t(tag & kClassTag) << 16) | (tag & ~kClassTag);
    if (!ok()) return nullptr;

    const ClassInfo* cls = nullptr;
    if (tag == kNewClassTag) {
        cls = ReadNewClass();
        if (!cls) return nullptr;
        m_slots.push_back({cls, nullptr});
    } else if (objectTag & kBigClassTag) {
        const std::uint32_t index = objectTag & ~kBigClassTag;
        if (index == 0 || index >= m_slots.size() || !m_slots[index].cls ||
            m_slots[index].object) {
            Fail(QStringLiteral("bad class reference %1").arg(index));
            return nullptr;
        }
        cls = m_slots[index].cls;
    } else {
        if (objectTag == kNullTag) return nullptr;
        if (objectTag >= m_slots.size() || !m_slots[objectTag].object) {
            Fail(QStringLiteral("bad object reference %1").arg(objectTag));
            return nullptr;
        }
        m_bLastBackReference = true;
        return m_slots[objectTag].object;
    }

    if (m_slots.size() > kMaxMapCount) {
        Fail(QStringLiteral("too many objects"));
        return nullptr;
    }
    if (m_nesting >= kMaxNesting) {
        Fail(QStringLiteral("objects nested too deeply"));
        return nullptr;
    }
    std::shared_ptr<Serializable> object = cls->create();
    // The object takes its index before its fields are read, so they may refer back to it.
    m_slots.push_back({cls, object});
    ++m_nesting;
    object->Load(*this);
    --m_nesting;
    return ok() ? object : nullptr;
}

void ArchiveWriter::WriteByte(std::uint8_t value) { m_out.append(static_cast<char>(value)); }

void ArchiveWriter::WriteWord(std::uint16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    m_out.append(bytes, 2);
}

void ArchiveWriter::WriteDword(std::uint32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_out.append(bytes, 4);
}

void ArchiveWriter::WriteLength(std::uint32_t length) {
    if (length < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(length));
    } else if (length < kWideStringMark) {
        WriteByte(0xFF);
        WriteWord(static_cast<std::uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDword(length);
    }
}

void ArchiveWriter::WriteString(const QString& text) {
    if (const auto narrow = CodePage1252::Encode(text)) {
        WriteLength(static_cast<std::uint32_t>(narrow->size()));
        m_out.append(*narrow);
        return;
    }
    WriteByte(0xFF);
    WriteWord(kWideStringMark);
    WriteLength(static_cast<std::uint32_t>(text.size()));
    for (QChar c : text) WriteWord(c.unicode());
}

void ArchiveWriter::WriteCount(std::uint32_t count) {
    if (count < 0xFFFF) {
        WriteWord(static_cast<std::uint16_t>(count));
    } else {
        WriteWord(0xFFFF);
        WriteDword(count);
    }
}

void ArchiveWriter::WriteIndexTag(std::uint32_t index, bool isClass) {
    if (index < kBigObjectTag) {
        WriteWord(static_cast<std::uint16_t>(index | (isClass ? kClassTag : 0)));
    } else {
        WriteWord(kBigObjectTag);
        WriteDword(index | (isClass ? kBigClassTag : 0));
    }
}

void ArchiveWriter::WriteObject(const Serializable* object) {
    if (!object) {
        WriteWord(kNullTag);
        return;
    }
    if (const auto it = m_objectIndex.find(object); it != m_objectIndex.end()) {
        WriteIndexTag(it->second, false);
        return;
    }
    const ClassInfo& cls = object->GetClassInfo();
    if (const auto it = m_classIndex.find(&cls); it != m_classIndex.end()) {
        WriteIndexTag(it->second, true);
    } else {
        WriteWord(kNewClassTag);
        WriteWord(cls.schema);
        WriteWord(static_cast<std::uint16_t>(cls.name.size()));
        m_out.append(cls.name);
        m_classIndex.emplace(&cls, m_nextIndex++);
    }
    m_objectIndex.emplace(object, m_nextIndex++);
    object->Store(*this);
}
