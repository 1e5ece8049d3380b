#include "CAviFrameImage.h"

#include "CBmpImage.h"
#include "CJpegImage.h"
#include "DibFormat.h"
#include "ImageLibrary.h"

#include <optional>

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

// Calls VISIT(id, body) for each chunk of SPAN; a LIST's body starts with its list type. A chunk
// that claims more bytes than remain is cut to what remains.
template <class Visit>
void ForEachChunk(Span span, Visit visit) {
    std::size_t pos = 0;
    while (pos + 8 <= span.size) {
        const std::uint32_t id = Dib::Get32(span.data + pos);
        const std::size_t size = std::min<std::size_t>(Dib::Get32(span.data + pos + 4), span.size - pos - 8);
        if (!visit(id, Span{span.data + pos + 8, size})) return;
        pos += 8 + size + (size & 1);
    }
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

// The first non-empty data chunk of stream INDEX ("nndb" or "nndc").
std::optional<Span> FirstFrame(Span movi, int index) {
    const char tens = char('0' + (index / 10) % 10), units = char('0' + index % 10);
    std::optional<Span> frame;
    auto visit = [&](auto& self, Span span) -> void {
        ForEachChunk(span, [&](std::uint32_t id, Span body) {
            if (id == kList && body.size >= 4 && Dib::Get32(body.data) == kRec) {
                self(self, Span{body.data + 4, body.size - 4});
                return !frame;
            }
            const char* name = reinterpret_cast<const char*>(&id);
            if (name[0] == tens && name[1] == units && (name[2] == 'd') &&
                (name[3] == 'b' || name[3] == 'c') && body.size > 0) {
                frame = body;
                return false;
            }
            return true;
        });
    };
    visit(visit, movi);
    return frame;
}

}  // namespace

bool CAviFrameImage::Decode(const QByteArray& file, CImageImpl& image) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(file.constData());
    const std::size_t size = std::size_t(file.size());
    if (size < 12 || Dib::Get32(data) != kRiff || Dib::Get32(data + 8) != kAvi) return false;
    const std::size_t riffSize = std::min<std::size_t>(Dib::Get32(data + 4), size - 8);
    if (riffSize < 4) return false;
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
    if (stream.index < 0 || !movi.data || stream.format.size < Dib::kInfoHeaderSize) return false;
    const auto frame = FirstFrame(movi, stream.index);
    if (!frame) return false;

    const Dib::InfoHeader format = Dib::InfoHeader::Parse(stream.format.data);
    const QByteArray frameBytes(reinterpret_cast<const char*>(frame->data), qsizetype(frame->size));
    if (format.compression == kMjpg || format.compression == kMjpgLower)
        return CJpegImage::Decode(frameBytes, image);
    if (format.compression != Dib::kRgb && format.compression != Dib::kBitFields) return false;
    // An uncompressed frame is a bare DIB: the stream's format (header and colour table), then
    // the frame's pixels.
    QByteArray dib(reinterpret_cast<const char*>(stream.format.data), qsizetype(stream.format.size));
    return CBmpImage::Decode(dib + frameBytes, image);
}

bool CAviFrameImage::Read(const QString& fileName) { return ReadWith(fileName, Decode); }

bool CAviFrameImage::Write(const QString&) { return false; }
