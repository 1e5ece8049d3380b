#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <vector>

// The chunks of a RIFF file as a tree, for tests that check what a writer put where.
struct RiffChunk {
    QString id;    // "RIFF", "LIST" or a chunk id
    QString type;  // the form or list type ("AVI ", "movi"), empty for a plain chunk
    qsizetype offset = 0;  // of the chunk's header
    QByteArray data;       // of a plain chunk
    std::vector<RiffChunk> children;

    // 0 past the chunk's end.
    quint32 U32(qsizetype at) const { return at + 4 <= data.size() ? qFromLittleEndian<quint32>(data.constData() + at) : 0; }
    quint16 U16(qsizetype at) const { return at + 2 <= data.size() ? qFromLittleEndian<quint16>(data.constData() + at) : 0; }
    // The first child (depth first) with ID, or nullptr.
    const RiffChunk* Find(const QString& id) const {
        for (const RiffChunk& child : children) {
            if (child.id == id || child.type == id) return &child;
            if (const RiffChunk* found = child.Find(id)) return found;
        }
        return nullptr;
    }
    int Count(const QString& id) const {
        int n = 0;
        for (const RiffChunk& child : children) n += (child.id == id) + child.Count(id);
        return n;
    }
};

// The top-level chunks of FILE, as a root without an id.
inline RiffChunk ReadRiff(const QByteArray& file, qsizetype from = 0, qsizetype to = -1) {
    RiffChunk root;
    if (to < 0) to = file.size();
    for (qsizetype at = from; at + 8 <= to;) {
        RiffChunk chunk;
        chunk.offset = at;
        chunk.id = QString::fromLatin1(file.mid(at, 4));
        const qsizetype size = qFromLittleEndian<quint32>(file.constData() + at + 4);
        const qsizetype end = std::min<qsizetype>(at + 8 + size, to);
        if (chunk.id == QLatin1String("RIFF") || chunk.id == QLatin1String("LIST")) {
            chunk.type = QString::fromLatin1(file.mid(at + 8, 4));
            chunk.children = ReadRiff(file, at + 12, end).children;
        } else {
            chunk.data = file.mid(at + 8, end - at - 8);
        }
        root.children.push_back(std::move(chunk));
        at = end + (size % 2);
    }
    return root;
}
