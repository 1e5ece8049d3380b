#pragma once

// The tagged binary object archive of the album file, the draw-annotation file and the draw
// clipboard format (the layout of Microsoft's MFC CArchive object serialization): little-endian
// integers, length-prefixed texts, counts, and objects introduced by their class name and schema,
// with classes and objects sharing one index space for back-references.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class ArchiveReader;
class ArchiveWriter;
class Serializable;

// A class that can appear in an archive: its stored name, its schema and how to make one.
struct ClassInfo {
    QByteArray name;
    std::uint16_t schema;
    std::function<std::unique_ptr<Serializable>()> create;
};

class Serializable {
public:
    virtual ~Serializable() = default;
    virtual const ClassInfo& GetClassInfo() const = 0;
    virtual void Store(ArchiveWriter& ar) const = 0;
    // Reads the fields; a short or bad stream leaves the reader failed, which the caller checks.
    virtual void Load(ArchiveReader& ar) = 0;
};

// The classes a reader accepts, looked up by their exact stored name.
class ClassRegistry {
public:
    void Register(const ClassInfo& info) { m_classes.push_back(&info); }
    const ClassInfo* Find(QByteArrayView name) const;

private:
    std::vector<const ClassInfo*> m_classes;
};

// Reads an archive from memory. Every read checks the bytes that remain; the first failure makes
// the reader fail for good, after which reads return zero values and no objects, so a caller
// checks ok() once at the end and bounds its loops by it.
class ArchiveReader {
public:
    static constexpr int kMaxNesting = 200;

    ArchiveReader(QByteArrayView data, const ClassRegistry& classes);
    // The reader keeps a view of the bytes: they must outlive it.
    ArchiveReader(QByteArray&&, const ClassRegistry&) = delete;

    bool ok() const { return m_error.isEmpty(); }
    const QString& Error() const { return m_error; }
    void Fail(const QString& reason);
    std::size_t Remaining() const { return m_data.size() - m_pos; }

    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    std::uint32_t ReadDword();
    std::int32_t ReadLong() { return static_cast<std::int32_t>(ReadDword()); }
    QString ReadString();
    // A count of elements that each take at least MINBYTES bytes; fails when the bytes that
    // remain cannot hold that many.
    std::uint32_t ReadCount(std::size_t minBytes);

    // An object reference: a new object, a back-reference, or none (null, also on failure).
    std::shared_ptr<Serializable> ReadObject();
    // ReadObject that fails unless the object is null or a T.
    template <class T>
    std::shared_ptr<T> ReadObjectAs() {
        std::shared_ptr<Serializable> object = ReadObject();
        if (!object) return nullptr;
        auto typed = std::dynamic_pointer_cast<T>(object);
        if (!typed) Fail(QStringLiteral("unexpected class %1").arg(object->GetClassInfo().name));
        return typed;
    }
    // Whether the last object read was a back-reference to an earlier one.
    bool LastWasBackReference() const { return m_bLastBackReference; }

private:
    bool Need(std::size_t bytes);
    std::uint32_t ReadLength();
    const ClassInfo* ReadNewClass();

    QByteArrayView m_data;
    std::size_t m_pos = 0;
    const ClassRegistry& m_classes;
    QString m_error;
    // Index 0 is "no object"; a slot holds a class or an object.
    struct Slot {
        const ClassInfo* cls = nullptr;
        std::shared_ptr<Serializable> object;
    };
    std::vector<Slot> m_slots = std::vector<Slot>(1);
    int m_nesting = 0;
    bool m_bLastBackReference = false;
};

// Writes an archive into memory.
class ArchiveWriter {
public:
    explicit ArchiveWriter(QByteArray& out) : m_out(out) {}

    void WriteByte(std::uint8_t value);
    void WriteWord(std::uint16_t value);
    void WriteDword(std::uint32_t value);
    void WriteLong(std::int32_t value) { WriteDword(static_cast<std::uint32_t>(value)); }
    // Windows-1252 when every character has a byte there, the wide form otherwise.
    void WriteString(const QString& text);
    void WriteCount(std::uint32_t count);
    void WriteObject(const Serializable* object);

private:
    void WriteLength(std::uint32_t length);
    void WriteIndexTag(std::uint32_t index, bool isClass);

    QByteArray& m_out;
    std::unordered_map<const ClassInfo*, std::uint32_t> m_classIndex;
    std::unordered_map<const Serializable*, std::uint32_t> m_objectIndex;
    std::uint32_t m_nextIndex = 1;
};
