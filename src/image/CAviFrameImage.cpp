#include "CAviFrameImage.h"

#include "CBmpImage.h"
#include "CJpegImage.h"
#include "DibFormat.h"
#include "ImageLibrary.h"

#include <algorithm>
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
    Span format{nullptr, 0};
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
            found = {index, format};
            return false;
        }
        ++index;
        return true;
    });
    return found;
}

// "movi" holds its data chunks directly or in "rec " lists, one level deep; deeper nesting
// than this is refused rather than followed.
constexpr std::size_t kMaxListDepth = 8;

// The first non-empty data chunk of stream INDEX ("nndb" or "nndc"), or nullopt when there is
// none; REASON then says so when lists nest deeper than kMaxListDepth.
std::optional<Span> FirstFrame(Span movi, int index, QString& reason) {
    const char tens = char('0' + (index / 10) % 10), units = char('0' + index % 10);
    // What remains of each list being walked, the innermost last.
    std::vector<Span> open{movi};
    while (!open.empty()) {
        const auto chunk = TakeChunk(open.back());
        if (!chunk) {
            open.pop_back();
            continue;
        }
        const auto [id, body] = *chunk;
        if (id == kList && body.size >= 4 && Dib::Get32(body.data) == kRec) {
            if (open.size() >= kMaxListDepth) {
                reason = QStringLiteral("lists nested too deep in AVI");
                return std::nullopt;
            }
            open.push_back(Span{body.data + 4, body.size - 4});
            continue;
        }
        const char* name = reinterpret_cast<const char*>(&id);
        if (name[0] == tens && name[1] == units && name[2] == 'd' && (name[3] == 'b' || name[3] == 'c') &&
            body.size > 0)
            return body;
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

}  // namespace

namespace {

// The first video frame as a file of its own: a JPEG for Motion-JPEG, a bare DIB (the stream's
// format, header and colour table, then the frame's pixels) for uncompressed video. Nullopt
// with REASON when there is none Albora can decode.
std::optional<std::pair<int, QByteArray>> FrameFile(const QByteArray& file, QString& reason) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(file.constData());
    const std::size_t size = std::size_t(file.size());
    const auto refuse = [&reason](const QString& why) {
        reason = why;
        return std::nullopt;
    };
    if (size < 12 || Dib::Get32(data) != kRiff || Dib::Get32(data + 8) != kAvi)
        return refuse(QStringLiteral("not an AVI file"));
    const std::size_t riffSize = std::min<std::size_t>(Dib::Get32(data + 4), size - 8);
    if (riffSize < 4) return refuse(QStringLiteral("truncated file"));
    const Span riff{data + 12, riffSize - 4};

    VideoStream stream;
    Span movi{nullptr, 0};
    ForEachChunk(riff, [&](std::uint32_t id, Span body) {
        if (id != kList || body.size < 4) return true;
        const Span inner{body.data + 4, body.size - 4};
        if (Dib::Get32(body.data) == kHdrl) stream = FindVideoStream(inner);
        if (Dib::Get32(body.data) == kMovi) movi = inner;
        return true;
    });
    if (stream.index < 0 || stream.format.size < Dib::kInfoHeaderSize) return refuse(QStringLiteral("no video in AVI"));
    QString why = QStringLiteral("no video frame in AVI");
    const auto frame = movi.data ? FirstFrame(movi, stream.index, why) : std::nullopt;
    if (!frame) return refuse(why);

    const Dib::InfoHeader format = Dib::InfoHeader::Parse(stream.format.data);
    const QByteArray frameBytes(reinterpret_cast<const char*>(frame->data), qsizetype(frame->size));
    if (format.compression == kMjpg || format.compression == kMjpgLower) return std::pair{IMAGE_JPEG, frameBytes};
    if (format.compression != Dib::kRgb && format.compression != Dib::kBitFields)
        return refuse(QStringLiteral("%1 video in AVI").arg(VideoKind(format.compression)));
    const QByteArray dib(reinterpret_cast<const char*>(stream.format.data), qsizetype(stream.format.size));
    return std::pair{IMAGE_BMP, dib + frameBytes};
}

}  // namespace

bool CAviFrameImage::Decode(const QByteArray& file, CImageImpl& image) {
    QString reason;
    const auto frame = FrameFile(file, reason);
    if (!frame) {
        image.SetReadError(reason);
        return false;
    }
    return frame->first == IMAGE_JPEG ? CJpegImage::Decode(frame->second, image)
                                      : CBmpImage::Decode(frame->second, image);
}

bool CAviFrameImage::ReadHeader(const QByteArray& file, ImageInfo& info, QString& reason) {
    const auto frame = FrameFile(file, reason);
    if (!frame) return false;
    return frame->first == IMAGE_JPEG ? CJpegImage::ReadHeader(frame->second, info, reason)
                                      : CBmpImage::ReadHeader(frame->second, info, reason);
}

bool CAviFrameImage::Read(const QString& fileName) { return ReadWith(fileName, Decode); }
