#include "CAviFrameImage.h"

#include "CBmpImage.h"
#include "CJpegImage.h"
#include "DibFormat.h"
#include "ImageInfo.h"
#include "ImageLibrary.h"
#include "platform/RegularFile.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>
#include <utility>

// The layout follows Microsoft's AVI RIFF File Reference: RIFF "AVI " holds LIST "hdrl" (with a
// LIST "strl" per stream: "strh" then "strf") and LIST "movi" with the data chunks "nndb" and
// "nndc" of stream nn, possibly grouped in LIST "rec ".

namespace {

constexpr std::uint32_t FourCc(const char (&text)[5]) {
    return std::uint32_t(std::uint8_t(text[0])) | (std::uint32_t(std::uint8_t(text[1])) << 8) |
           (std::uint32_t(std::uint8_t(text[2])) << 16) | (std::uint32_t(std::uint8_t(text[3])) << 24);
}

constexpr std::uint32_t kRiff = FourCc("RIFF"), kAvi = FourCc("AVI "), kList = FourCc("LIST");
constexpr std::uint32_t kHdrl = FourCc("hdrl"), kStrl = FourCc("strl"), kStrh = FourCc("strh");
constexpr std::uint32_t kStrf = FourCc("strf"), kMovi = FourCc("movi"), kRec = FourCc("rec ");
constexpr std::uint32_t kVids = FourCc("vids");
constexpr std::uint32_t kMjpg = FourCc("MJPG"), kMjpgLower = FourCc("mjpg");

struct Span {
    const std::uint8_t* data;
    std::size_t size;
};

struct Chunk {
    std::uint32_t id;
    Span body;  // a LIST's body starts with its list type
};

// Takes the first chunk off REST. A chunk that claims more bytes than remain is cut to what
// remains.
std::optional<Chunk> TakeChunk(Span& rest) {
    if (rest.size < 8) return std::nullopt;
    const Chunk chunk{Dib::Get32(rest.data),
                      Span{rest.data + 8, std::min<std::size_t>(Dib::Get32(rest.data + 4), rest.size - 8)}};
    const std::size_t step = std::min(rest.size, 8 + chunk.body.size + (chunk.body.size & 1));
    rest = Span{rest.data + step, rest.size - step};
    return chunk;
}

// Calls VISIT(id, body) for each chunk of SPAN until it returns false.
template <class Visit>
void ForEachChunk(Span span, Visit visit) {
    while (const auto chunk = TakeChunk(span))
        if (!visit(chunk->id, chunk->body)) return;
}

struct VideoStream {
    int index = -1;
    QByteArray format;  // the "strf" chunk: a DIB header and colour table
};

VideoStream FindVideoStream(Span hdrl) {
    VideoStream found;
    int index = 0;
    ForEachChunk(hdrl, [&](std::uint32_t id, Span body) {
        if (id != kList || body.size < 4 || Dib::Get32(body.data) != kStrl) return true;
        bool video = false;
        Span format{nullptr, 0};
        ForEachChunk(Span{body.data + 4, body.size - 4}, [&](std::uint32_t inner, Span chunk) {
            if (inner == kStrh && chunk.size >= 4) video = Dib::Get32(chunk.data) == kVids;
            if (inner == kStrf) format = chunk;
            return true;
        });
        if (video && format.data) {
            found = {index, QByteArray(reinterpret_cast<const char*>(format.data), qsizetype(format.size))};
            return false;
        }
        ++index;
        return true;
    });
    return found;
}

// A chunk of a file found by its header; its body is read only when asked for.
struct ChunkAt {
    std::uint32_t id = 0;
    std::uint32_t listType = 0;  // for a LIST
    qint64 body = 0;             // where the body starts
    qint64 size = 0;             // the body's size, cut to what its parent holds
    qint64 next = 0;             // where the chunk after it starts
};

// Movies run to gigabytes: the reader seeks from header to header and reads only the stream
// headers and the one frame it decodes.
class RiffFile {
public:
    explicit RiffFile(QIODevice& device) : m_device(device) {}

    qint64 Size() const { return m_device.size(); }

    // The chunk whose header starts at POS in a parent ending at END.
    std::optional<ChunkAt> HeaderAt(qint64 pos, qint64 end) {
        if (end - pos < 8 || !m_device.seek(pos)) return std::nullopt;
        std::uint8_t header[12];
        const qint64 got = m_device.read(reinterpret_cast<char*>(header), std::min<qint64>(12, end - pos));
        if (got < 8) return std::nullopt;
        ChunkAt chunk;
        chunk.id = Dib::Get32(header);
        chunk.body = pos + 8;
        chunk.size = std::min<qint64>(Dib::Get32(header + 4), end - chunk.body);
        if (chunk.id == kList && got == 12 && chunk.size >= 4) chunk.listType = Dib::Get32(header + 8);
        chunk.next = std::min(end, chunk.body + chunk.size + (chunk.size & 1));
        return chunk;
    }

    QByteArray Read(qint64 pos, qint64 size) {
        QByteArray bytes;
        if (size > 0 && m_device.seek(pos)) bytes = m_device.read(size);
        return bytes;
    }

private:
    QIODevice& m_device;
};

// Stream headers are a few kilobytes; a larger "hdrl" is not read.
constexpr qint64 kMaxHeaderListBytes = qint64(16) << 20;
// No frame Albora decodes is larger than its largest picture.
constexpr qint64 kMaxFrameBytes = qint64(1) << 30;

// "movi" holds its data chunks directly or in "rec " lists, one level deep; deeper nesting
// than this is refused rather than followed.
constexpr std::size_t kMaxListDepth = 8;

// The first non-empty data chunk of stream INDEX ("nndb" or "nndc") in the "movi" list between
// BEGIN and END, or nullopt when there is none; REASON then says so when lists nest deeper than
// kMaxListDepth.
std::optional<ChunkAt> FirstFrame(RiffFile& file, qint64 begin, qint64 end, int index, QString& reason) {
    const char tens = char('0' + (index / 10) % 10), units = char('0' + index % 10);
    // Where the next chunk of each list being walked starts and where the list ends, the
    // innermost last.
    std::vector<std::pair<qint64, qint64>> open{{begin, end}};
    while (!open.empty()) {
        auto& [at, listEnd] = open.back();
        const auto chunk = file.HeaderAt(at, listEnd);
        if (!chunk) {
            open.pop_back();
            continue;
        }
        at = chunk->next;
        if (chunk->listType == kRec) {
            if (open.size() >= kMaxListDepth) {
                reason = QStringLiteral("lists nested too deep in AVI");
                return std::nullopt;
            }
            open.emplace_back(chunk->body + 4, chunk->body + chunk->size);
            continue;
        }
        const char* name = reinterpret_cast<const char*>(&chunk->id);
        if (name[0] == tens && name[1] == units && name[2] == 'd' && (name[3] == 'b' || name[3] == 'c') &&
            chunk->size > 0)
            return chunk;
    }
    return std::nullopt;
}

// The kind of video a stream compressed with FOURCC holds, for telling why it cannot be read.
QString VideoKind(std::uint32_t fourCc) {
    const QByteArray text(reinterpret_cast<const char*>(&fourCc), 4), upper = text.toUpper();
    for (const char* mpeg4 : {"XVID", "DIVX", "DX50", "FMP4", "MP4V", "M4S2", "MP42", "MP43"})
        if (upper == mpeg4) return QStringLiteral("MPEG-4");
    for (const char* h264 : {"H264", "X264", "AVC1"})
        if (upper == h264) return QStringLiteral("H.264");
    const bool printable = std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
    return printable ? QStringLiteral("\"%1\"").arg(QString::fromLatin1(text).trimmed())
                     : QStringLiteral("compression %1").arg(fourCc);
}

// The bytes of an uncompressed frame the decoder needs: none when the picture is too large to
// be made at all, so a forged size allocates nothing and the decoder names the limit.
qint64 UncompressedFrameBytes(const Dib::InfoHeader& format) {
    const std::int64_t height = std::abs(std::int64_t(format.height));
    if (format.width <= 0 || !ImageLibrary::PixelLimitRefusal(format.width, height).isEmpty()) return 0;
    return Dib::RowBytes(format.width, format.bitCount) * height;
}

// The first video frame as a file of its own: a JPEG for Motion-JPEG, a bare DIB (the stream's
// format, header and colour table, then the frame's pixels) for uncompressed video. Nullopt
// with REASON when there is none Albora can decode.
std::optional<std::pair<int, QByteArray>> FrameFile(QIODevice& device, QString& reason) {
    const auto refuse = [&reason](const QString& why) {
        reason = why;
        return std::nullopt;
    };
    RiffFile file(device);
    const QByteArray start = file.Read(0, 12);
    const auto* header = reinterpret_cast<const std::uint8_t*>(start.constData());
    if (start.size() < 12 || Dib::Get32(header) != kRiff || Dib::Get32(header + 8) != kAvi)
        return refuse(QStringLiteral("not an AVI file"));
    const qint64 riffEnd = std::min<qint64>(8 + qint64(Dib::Get32(header + 4)), file.Size());
    if (riffEnd < 12) return refuse(QStringLiteral("truncated file"));

    VideoStream stream;
    std::optional<ChunkAt> movi;
    bool headerSeen = false;
    for (auto chunk = file.HeaderAt(12, riffEnd); chunk && !(headerSeen && movi); chunk = file.HeaderAt(chunk->next, riffEnd)) {
        if (chunk->listType == kHdrl && !headerSeen) {
            if (chunk->size > kMaxHeaderListBytes) return refuse(QStringLiteral("AVI header too large"));
            const QByteArray hdrl = file.Read(chunk->body + 4, chunk->size - 4);
            stream = FindVideoStream(Span{reinterpret_cast<const std::uint8_t*>(hdrl.constData()), std::size_t(hdrl.size())});
            headerSeen = true;
        }
        if (chunk->listType == kMovi && !movi) movi = chunk;
    }
    if (stream.index < 0 || stream.format.size() < qsizetype(Dib::kInfoHeaderSize))
        return refuse(QStringLiteral("no video in AVI"));
    QString why = QStringLiteral("no video frame in AVI");
    const auto frame = movi ? FirstFrame(file, movi->body + 4, movi->body + movi->size, stream.index, why) : std::nullopt;
    if (!frame) return refuse(why);

    const Dib::InfoHeader format = Dib::InfoHeader::Parse(reinterpret_cast<const std::uint8_t*>(stream.format.constData()));
    if (format.compression == kMjpg || format.compression == kMjpgLower) {
        if (frame->size > kMaxFrameBytes) return refuse(QStringLiteral("video frame too large"));
        return std::pair{IMAGE_JPEG, file.Read(frame->body, frame->size)};
    }
    if (format.compression != Dib::kRgb && format.compression != Dib::kBitFields)
        return refuse(QStringLiteral("%1 video in AVI").arg(VideoKind(format.compression)));
    const qint64 pixels = std::min(frame->size, UncompressedFrameBytes(format));
    return std::pair{IMAGE_BMP, stream.format + file.Read(frame->body, pixels)};
}

std::optional<std::pair<int, QByteArray>> FrameFile(const QByteArray& bytes, QString& reason) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return FrameFile(buffer, reason);
}

bool DecodeFrame(const std::optional<std::pair<int, QByteArray>>& frame, const QString& reason, CImageImpl& image) {
    if (!frame) {
        image.SetReadError(reason);
        return false;
    }
    return frame->first == IMAGE_JPEG ? CJpegImage::Decode(frame->second, image)
                                      : CBmpImage::Decode(frame->second, image);
}

bool FrameHeader(const std::optional<std::pair<int, QByteArray>>& frame, ImageInfo& info, QString& reason) {
    if (!frame) return false;
    return frame->first == IMAGE_JPEG ? CJpegImage::ReadHeader(frame->second, info, reason)
                                      : CBmpImage::ReadHeader(frame->second, info, reason);
}

}  // namespace

bool CAviFrameImage::Decode(const QByteArray& file, CImageImpl& image) {
    QString reason;
    const auto frame = FrameFile(file, reason);
    return DecodeFrame(frame, reason, image);
}

bool CAviFrameImage::ReadHeader(const QByteArray& file, ImageInfo& info, QString& reason) {
    return FrameHeader(FrameFile(file, reason), info, reason);
}

bool CAviFrameImage::ReadFileHeader(const QString& fileName, ImageInfo& info, QString& reason) {
    QFile file;
    if (!OpenRegularFile(fileName, file, &reason)) return false;
    return FrameHeader(FrameFile(file, reason), info, reason);
}

bool CAviFrameImage::Read(const QString& fileName) {
    Release();
    SetTransparentIndex(-1);
    SetReadError({});
    QFile file;
    QString reason;
    if (OpenRegularFile(TargetName(fileName), file, &reason)) {
        const auto frame = FrameFile(file, reason);
        if (DecodeFrame(frame, reason, *this)) return true;
    } else {
        SetReadError(reason);
    }
    Release();
    return false;
}
