#include "AviMovieWriter.h"

#include "image/CImageObject.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Room kept in each stream header for the index of the RIFF parts: 256 parts of 1 GiB.
constexpr int kMaxParts = 256;
constexpr quint32 kKeyFrame = 0x10;  // AVIIF_KEYFRAME
constexpr quint32 kHasIndex = 0x10, kInterleaved = 0x100;
constexpr int kDmlhBytes = 248;

constexpr quint32 FourCC(const char (&code)[5]) {
    return quint32(quint8(code[0])) | quint32(quint8(code[1])) << 8 | quint32(quint8(code[2])) << 16 |
           quint32(quint8(code[3])) << 24;
}

void Put16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xFF)).append(char(value >> 8 & 0xFF));
}
void Put32(QByteArray& out, quint32 value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void Put64(QByteArray& out, quint64 value) {
    Put32(out, quint32(value));
    Put32(out, quint32(value >> 32));
}

QByteArray Chunk(quint32 id, const QByteArray& data) {
    QByteArray out;
    Put32(out, id);
    Put32(out, quint32(data.size()));
    out += data;
    if (data.size() % 2) out.append('\0');
    return out;
}
QByteArray List(quint32 type, const QByteArray& data) {
    QByteArray body;
    Put32(body, type);
    return Chunk(FourCC("LIST"), body + data);
}
// A chunk of SIZE bytes of nothing, holding a place for what only the end of the movie tells.
QByteArray Junk(qsizetype size) { return Chunk(FourCC("JUNK"), QByteArray(size, '\0')); }

// The bitmap header of a frame, its sizes worked out from width, height and depth (a DIB's own
// image size and colour count may both be 0), followed by its colour table.
QByteArray FrameFormat(const CImageObject& picture) {
    const CImageImpl& dib = *picture.GetImplementation();
    const int entries = dib.GetBitsPerPixel() <= 8 ? dib.TableEntries() : 0;
    const qint64 rowBytes = (qint64(picture.GetWidth()) * dib.GetBitsPerPixel() + 31) / 32 * 4;
    QByteArray header;
    Put32(header, 40);
    Put32(header, quint32(picture.GetWidth()));
    Put32(header, quint32(picture.GetHeight()));
    Put16(header, 1);
    Put16(header, quint32(dib.GetBitsPerPixel()));
    Put32(header, 0);  // BI_RGB
    Put32(header, quint32(rowBytes * picture.GetHeight()));
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, quint32(entries));
    Put32(header, 0);
    // The colours themselves: while a picture has a palette its own table holds indices.
    for (int i = 0; i < entries; ++i) {
        PaletteEntry colour{};
        dib.IndexColor(i, colour);
        header.append(char(colour.blue)).append(char(colour.green)).append(char(colour.red)).append('\0');
    }
    return header;
}

// A super index ("indx") of ENTRIES, or as much nothing while the movie has one RIFF part.
QByteArray SuperIndex(quint32 chunkId, const std::vector<std::pair<qint64, std::pair<quint32, quint32>>>& entries) {
    constexpr qsizetype kBytes = 24 + 16 * kMaxParts;
    if (entries.empty()) return Junk(kBytes);
    QByteArray data;
    Put16(data, 4);  // longs per entry
    data.append(char(0)).append(char(0));  // sub type, AVI_INDEX_OF_INDEXES
    Put32(data, quint32(entries.size()));
    Put32(data, chunkId);
    Put32(data, 0);
    Put32(data, 0);
    Put32(data, 0);
    for (const auto& [offset, sizeAndDuration] : entries) {
        Put64(data, quint64(offset));
        Put32(data, sizeAndDuration.first);
        Put32(data, sizeAndDuration.second);
    }
    data.append(QByteArray(kBytes - data.size(), '\0'));
    return Chunk(FourCC("indx"), data);
}

}  // namespace

AviMovieWriter::AviMovieWriter(const QString& path) : AviMovieWriter(path, Options()) {}

AviMovieWriter::AviMovieWriter(const QString& path, Options options)
    : path(path), m_options(options), m_file(path) {}

AviMovieWriter::~AviMovieWriter() {
    if (m_file.isOpen()) m_file.cancelWriting();
}

bool AviMovieWriter::Fail(const QString& reason) {
    usable = false;
    m_error = reason;
    if (m_file.isOpen()) m_file.cancelWriting();
    return false;
}

bool AviMovieWriter::Write(QByteArrayView bytes) {
    errno = 0;
    if (m_file.write(bytes.data(), bytes.size()) == bytes.size()) return true;
    // The system's own words: the file's error string can lose them in its buffering.
    return Fail(errno ? QString::fromLocal8Bit(std::strerror(errno)) : m_file.errorString());
}

bool AviMovieWriter::AddFrame(const CImageObject& picture, int periods, QByteArrayView audio) {
    if (!usable || !picture.IsValid() || periods < 1) return false;
    const QByteArray format = FrameFormat(picture);
    if (frameCount > 0 && format != m_format) {
        m_error = QStringLiteral("the picture's size, depth or palette differs from the first one's");
        return false;
    }
    if (frameCount == 0 && !Begin(picture)) return false;
    const qint64 groupBytes = 8 + m_frameBytes + 8 * qint64(periods) +
                              (m_options.audio ? 8 + qint64(periods) * m_options.audio->BytesPerSecond() / kRate + 8 : 0);
    if (!MakeRoomFor(groupBytes)) return false;
    const CImageImpl& dib = *picture.GetImplementation();
    const QByteArrayView bits(reinterpret_cast<const char*>(dib.GetBits()), m_frameBytes);
    if (!WriteChunk(FourCC("00db"), bits, true)) return false;
    if (m_options.audio && !WriteAudio(periods, audio)) return false;
    for (int held = 1; held < periods; ++held)
        if (!WriteChunk(FourCC("00db"), {}, false)) return false;
    m_periods += periods;
    ++frameCount;
    return true;
}

bool AviMovieWriter::Begin(const CImageObject& picture) {
    frameWidth = picture.GetWidth();
    frameHeight = picture.GetHeight();
    frameBitsPerPixel = picture.GetBitsPerPixel();
    m_format = FrameFormat(picture);
    m_frameBytes = (qint64(frameWidth) * picture.GetBitsPerPixel() + 31) / 32 * 4 * frameHeight;
    if (m_frameBytes > picture.GetImplementation()->GetRowBytes() * qint64(frameHeight))
        return Fail(QStringLiteral("the picture holds fewer bytes than its size needs"));
    if (!m_file.open(QIODevice::WriteOnly)) return Fail(m_file.errorString());
    return Write(Headers()) && StartSegment();
}

bool AviMovieWriter::StartSegment() {
    m_segment = Segment();
    m_segment.riffStart = m_firstSegment ? 0 : m_file.pos();
    QByteArray start;
    if (!m_firstSegment) {
        Put32(start, FourCC("RIFF"));
        Put32(start, 0);
        Put32(start, FourCC("AVIX"));
    }
    m_segment.moviStart = m_file.pos() + start.size();
    Put32(start, FourCC("LIST"));
    Put32(start, 0);
    Put32(start, FourCC("movi"));
    return Write(start);
}

bool AviMovieWriter::WriteChunk(quint32 chunkId, QByteArrayView data, bool key) {
    std::vector<IndexEntry>& index = chunkId == FourCC("01wb") ? m_segment.audio : m_segment.video;
    index.push_back({chunkId, m_file.pos(), quint32(data.size()), key});
    QByteArray header;
    Put32(header, chunkId);
    Put32(header, quint32(data.size()));
    return Write(header) && Write(data) && (data.size() % 2 == 0 || Write(QByteArrayView("\0", 1)));
}

bool AviMovieWriter::WriteAudio(int periods, QByteArrayView audio) {
    // Samples are counted from the start, so the track never drifts from the pictures.
    const AviAudioFormat& format = *m_options.audio;
    const qint64 due = (m_periods + periods) * format.sampleRate / kRate;
    const qint64 bytes = (due - m_audioSamplesDue) * format.BlockAlign();
    m_audioSamplesDue = due;
    QByteArray data = audio.first(std::min<qint64>(audio.size(), bytes) / format.BlockAlign() * format.BlockAlign()).toByteArray();
    data.append(QByteArray(bytes - data.size(), '\0'));
    m_audioBytes += bytes;
    return WriteChunk(FourCC("01wb"), data, true);
}

bool AviMovieWriter::MakeRoomFor(qint64 bytes) {
    // What closing the part adds: its standard indexes, and the old index in the first part.
    const qint64 entries = qint64(m_segment.video.size() + m_segment.audio.size()) + bytes / 8;
    const qint64 closing = 64 + entries * 8 + (m_firstSegment ? entries * 16 : 0);
    if (m_segment.video.empty() || m_file.pos() - m_segment.riffStart + bytes + closing <= m_options.riffLimit)
        return true;
    if (m_videoSuper.size() + 1 >= kMaxParts) return Fail(QStringLiteral("the movie is too long for one AVI file"));
    return CloseSegment(false) && StartSegment();
}

bool AviMovieWriter::CloseSegment(bool last) {
    const bool openDml = !m_firstSegment || !last;
    if (openDml) {
        // A standard index per stream, offsets from the part's "movi" list.
        const qint64 base = m_segment.moviStart + 8;
        const auto standardIndex = [&](const char (&id)[5], quint32 chunkId, const std::vector<IndexEntry>& entries,
                                       std::vector<SuperIndexEntry>& super, quint32 duration) {
            if (entries.empty()) return true;
            QByteArray data;
            Put16(data, 2);
            data.append(char(0)).append(char(1));  // AVI_INDEX_OF_CHUNKS
            Put32(data, quint32(entries.size()));
            Put32(data, chunkId);
            Put64(data, quint64(base));
            Put32(data, 0);
            for (const IndexEntry& entry : entries) {
                Put32(data, quint32(entry.offset + 8 - base));
                Put32(data, entry.size | (entry.key ? 0 : 0x80000000u));
            }
            super.push_back({m_file.pos(), quint32(8 + data.size()), duration});
            return Write(Chunk(FourCC(id), data));
        };
        qint64 audioBytes = 0;
        for (const IndexEntry& entry : m_segment.audio) audioBytes += entry.size;
        const quint32 audioBlocks = m_options.audio ? quint32(audioBytes / m_options.audio->BlockAlign()) : 0;
        if (!standardIndex("ix00", FourCC("00db"), m_segment.video, m_videoSuper, quint32(m_segment.video.size())) ||
            !standardIndex("ix01", FourCC("01wb"), m_segment.audio, m_audioSuper, audioBlocks))
            return false;
    }
    const qint64 end = m_file.pos();
    const auto patch = [&](qint64 at, quint32 value) {
        QByteArray bytes;
        Put32(bytes, value);
        return m_file.seek(at) ? Write(bytes) : Fail(m_file.errorString());
    };
    if (!patch(m_segment.moviStart + 4, quint32(end - m_segment.moviStart - 8)) || !m_file.seek(end))
        return Fail(m_file.errorString());
    if (m_firstSegment) {
        // The old index of the first part, in file order, offsets from its "movi" list.
        std::vector<IndexEntry> all = m_segment.video;
        all.insert(all.end(), m_segment.audio.begin(), m_segment.audio.end());
        std::sort(all.begin(), all.end(), [](const IndexEntry& a, const IndexEntry& b) { return a.offset < b.offset; });
        QByteArray data;
        for (const IndexEntry& entry : all) {
            Put32(data, entry.chunkId);
            Put32(data, entry.key ? kKeyFrame : 0);
            Put32(data, quint32(entry.offset - (m_segment.moviStart + 8)));
            Put32(data, entry.size);
        }
        if (!Write(Chunk(FourCC("idx1"), data))) return false;
        m_firstSegmentFrames = quint32(m_segment.video.size());
    }
    const qint64 riffEnd = m_file.pos();
    if (m_firstSegment) m_firstRiffSize = quint32(riffEnd - 8);
    if (!patch(m_segment.riffStart + 4, quint32(riffEnd - m_segment.riffStart - 8)) || !m_file.seek(riffEnd))
        return Fail(m_file.errorString());
    m_firstSegment = false;
    return true;
}

bool AviMovieWriter::Finish() {
    if (!usable || frameCount == 0) {
        if (m_error.isEmpty()) m_error = QStringLiteral("no frame was written");
        return Fail(m_error);
    }
    if (!CloseSegment(true) || !m_file.seek(0) || !Write(Headers())) return usable ? Fail(m_file.errorString()) : false;
    if (!m_file.commit()) return Fail(m_file.errorString());
    return true;
}

QByteArray AviMovieWriter::Headers() const {
    const std::optional<AviAudioFormat>& audio = m_options.audio;
    const quint32 framePeriodBytes = quint32(m_frameBytes);
    const auto super = [](const std::vector<SuperIndexEntry>& entries) {
        std::vector<std::pair<qint64, std::pair<quint32, quint32>>> out;
        for (const SuperIndexEntry& e : entries) out.push_back({e.offset, {e.size, e.duration}});
        return out;
    };

    QByteArray avih;
    Put32(avih, 1000000 / kRate);  // microseconds a frame period
    Put32(avih, quint32(m_frameBytes * kRate + (audio ? audio->BytesPerSecond() : 0)));
    Put32(avih, 0);
    Put32(avih, kHasIndex | (audio ? kInterleaved : 0));
    Put32(avih, m_firstSegment ? 0 : m_firstSegmentFrames);
    Put32(avih, 0);
    Put32(avih, audio ? 2 : 1);
    Put32(avih, framePeriodBytes + 8);
    Put32(avih, quint32(frameWidth));
    Put32(avih, quint32(frameHeight));
    avih.append(QByteArray(16, '\0'));

    QByteArray strh;
    Put32(strh, FourCC("vids"));
    Put32(strh, 0);  // handler
    Put32(strh, 0);
    Put32(strh, 0);
    Put32(strh, 0);
    Put32(strh, 1);      // scale
    Put32(strh, kRate);  // rate
    Put32(strh, 0);
    Put32(strh, quint32(m_periods));
    Put32(strh, framePeriodBytes);
    Put32(strh, 0);  // quality
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, quint32(frameWidth));
    Put16(strh, quint32(frameHeight));
    QByteArray hdrl = Chunk(FourCC("avih"), avih);
    hdrl += List(FourCC("strl"), Chunk(FourCC("strh"), strh) + Chunk(FourCC("strf"), m_format) +
                                     SuperIndex(FourCC("00db"), super(m_videoSuper)));
    if (audio) {
        QByteArray strhAudio;
        Put32(strhAudio, FourCC("auds"));
        Put32(strhAudio, 0);
        Put32(strhAudio, 0);
        Put32(strhAudio, 0);
        Put32(strhAudio, 0);
        Put32(strhAudio, quint32(audio->BlockAlign()));
        Put32(strhAudio, quint32(audio->BytesPerSecond()));
        Put32(strhAudio, 0);
        Put32(strhAudio, quint32(m_audioBytes / audio->BlockAlign()));
        Put32(strhAudio, quint32(audio->BytesPerSecond()));
        Put32(strhAudio, 0);
        Put32(strhAudio, quint32(audio->BlockAlign()));
        strhAudio.append(QByteArray(8, '\0'));
        QByteArray wave;
        Put16(wave, 1);  // PCM
        Put16(wave, quint32(audio->channels));
        Put32(wave, quint32(audio->sampleRate));
        Put32(wave, quint32(audio->BytesPerSecond()));
        Put16(wave, quint32(audio->BlockAlign()));
        Put16(wave, 16);
        Put16(wave, 0);
        hdrl += List(FourCC("strl"), Chunk(FourCC("strh"), strhAudio) + Chunk(FourCC("strf"), wave) +
                                         SuperIndex(FourCC("01wb"), super(m_audioSuper)));
    }
    if (m_videoSuper.empty()) {
        hdrl += Junk(4 + 8 + kDmlhBytes);
    } else {
        QByteArray dmlh;
        Put32(dmlh, quint32(m_periods));
        dmlh.append(QByteArray(kDmlhBytes - 4, '\0'));
        hdrl += List(FourCC("odml"), Chunk(FourCC("dmlh"), dmlh));
    }
    QByteArray out;
    Put32(out, FourCC("RIFF"));
    Put32(out, m_firstRiffSize);
    Put32(out, FourCC("AVI "));
    out += List(FourCC("hdrl"), hdrl);
    return out;
}
