#include "JpegExif.h"

#include <QSet>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr std::uint16_t kOrientation = 0x0112;
constexpr std::uint16_t kExifIfd = 0x8769;
constexpr std::uint16_t kGpsIfd = 0x8825;
constexpr std::uint16_t kInteropIfd = 0xA005;
// Names and numbers that tell whose camera it was, and the maker's notes that repeat them.
const QSet<std::uint16_t> kOwnerTags = {0x013B /* artist */,       0x8298 /* copyright */,
                                       0xC62F /* camera serial */, 0x927C /* maker note */,
                                       0xA430 /* owner */,         0xA431 /* body serial */,
                                       0xA435 /* lens serial */,   0xA420 /* unique id */};
const QByteArray kExifHeader("Exif\0\0", 6);
const QByteArray kXmpHeader("http://ns.adobe.com/xap/1.0/\0", 29);
constexpr int kMaxIfds = 16;

// The TIFF structure inside an EXIF segment, edited in place within its bounds.
class TiffEditor {
public:
    explicit TiffEditor(QByteArray& tiff) : m_tiff(tiff) {}

    bool Edit(const ExifPolicy& policy) {
        if (m_tiff.size() < 8) return false;
        if (m_tiff.startsWith("II"))
            m_little = true;
        else if (!m_tiff.startsWith("MM"))
            return false;
        if (Read16(2) != 42) return false;
        std::optional<std::uint32_t> ifd = Read32(4);
        // IFD0, then IFD1 (the embedded thumbnail's) after it.
        for (int i = 0; i < 2 && ifd && *ifd; ++i) {
            if (!EditIfd(*ifd, policy)) return false;
            ifd = NextIfd(*ifd);
        }
        return true;
    }

private:
    std::optional<std::uint16_t> Read16(qsizetype at) const {
        if (at < 0 || at + 2 > m_tiff.size()) return std::nullopt;
        const auto b = [&](qsizetype i) { return std::uint16_t(std::uint8_t(m_tiff[at + i])); };
        return m_little ? std::uint16_t(b(0) | b(1) << 8) : std::uint16_t(b(0) << 8 | b(1));
    }
    std::optional<std::uint32_t> Read32(qsizetype at) const {
        const auto hi = Read16(at + (m_little ? 2 : 0)), lo = Read16(at + (m_little ? 0 : 2));
        if (!hi || !lo) return std::nullopt;
        return std::uint32_t(*hi) << 16 | *lo;
    }
    void Write16(qsizetype at, std::uint16_t v) {
        m_tiff[at + (m_little ? 0 : 1)] = char(v & 0xFF);
        m_tiff[at + (m_little ? 1 : 0)] = char(v >> 8);
    }
    void Zero(qsizetype at, qsizetype n) {
        if (at >= 0 && at < m_tiff.size() && n > 0)
            std::fill_n(m_tiff.begin() + at, std::min(n, m_tiff.size() - at), '\0');
    }
    std::optional<std::uint32_t> NextIfd(std::uint32_t ifd) const {
        const auto count = Read16(ifd);
        return count ? Read32(ifd + 2 + qsizetype(*count) * 12) : std::nullopt;
    }
    // Bytes the value of the entry at ENTRY takes; 0 for an unknown type.
    std::uint64_t ValueBytes(qsizetype entry) const {
        static constexpr int kTypeBytes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
        const std::uint16_t type = Read16(entry + 2).value_or(0);
        return type < 13 ? std::uint64_t(kTypeBytes[type]) * Read32(entry + 4).value_or(0) : 0;
    }
    // Overwrites the value of the entry at ENTRY where it lies outside the entry, then the
    // entry itself.
    void Erase(qsizetype entry) {
        const std::uint64_t bytes = ValueBytes(entry);
        if (bytes > 4) Zero(Read32(entry + 8).value_or(0), qsizetype(std::min<std::uint64_t>(bytes, m_tiff.size())));
        Zero(entry, 12);
    }
    // Every entry of the IFD at AT, with the values of those outside it, overwritten.
    bool EraseIfd(std::uint32_t at) {
        const auto count = Read16(at);
        if (!count || at + 6 + qsizetype(*count) * 12 > m_tiff.size() || !Enter(at)) return false;
        for (int i = 0; i < *count; ++i) Erase(at + 2 + i * 12);
        Zero(at, 6 + qsizetype(*count) * 12);
        return true;
    }
    bool Enter(std::uint32_t ifd) {
        if (m_seen.contains(ifd) || m_seen.size() >= kMaxIfds) return false;
        m_seen.insert(ifd);
        return true;
    }

    bool EditIfd(std::uint32_t at, const ExifPolicy& policy) {
        const auto count = Read16(at);
        if (!count || at + 6 + qsizetype(*count) * 12 > m_tiff.size() || !Enter(at)) return false;
        int kept = 0;
        for (int i = 0; i < *count; ++i) {
            const qsizetype entry = at + 2 + i * 12;
            const std::uint16_t tag = *Read16(entry);
            bool drop = false;
            if (tag == kOrientation && policy.upright)
                Write16(entry + 8, 1);
            else if (tag == kExifIfd || tag == kInteropIfd) {
                if (!EditIfd(*Read32(entry + 8), policy)) return false;
            } else if (!policy.keepLocationAndOwner && tag == kGpsIfd) {
                if (!EraseIfd(*Read32(entry + 8))) return false;
                drop = true;
            } else {
                drop = !policy.keepLocationAndOwner && kOwnerTags.contains(tag);
            }
            if (drop) {
                Erase(entry);
                continue;
            }
            // Kept entries close up, so the IFD stays sorted and whole; its end keeps its place.
            const qsizetype to = at + 2 + kept++ * 12;
            if (to != entry) {
                m_tiff.replace(to, 12, m_tiff.mid(entry, 12));
                Zero(entry, 12);
            }
        }
        if (kept != *count) {
            const qsizetype nextAt = at + 2 + qsizetype(*count) * 12;
            const QByteArray next = m_tiff.mid(nextAt, 4);
            Zero(nextAt, 4);
            Write16(at, std::uint16_t(kept));
            m_tiff.replace(at + 2 + kept * 12, 4, next);
        }
        return true;
    }

    QByteArray& m_tiff;
    bool m_little = false;
    QSet<std::uint32_t> m_seen;
};

// One segment of a JPEG: its marker, and where it starts and ends in the file.
struct Segment {
    std::uint8_t marker;
    qsizetype start, end;
};

// The segments before the first scan; nullopt when they cannot be walked. PICTURE is where the
// scan starts.
std::optional<std::vector<Segment>> LeadingSegments(const QByteArray& jpeg, qsizetype& picture) {
    if (!jpeg.startsWith("\xFF\xD8")) return std::nullopt;
    std::vector<Segment> segments;
    qsizetype at = 2;
    for (;;) {
        while (at + 1 < jpeg.size() && std::uint8_t(jpeg[at]) == 0xFF && std::uint8_t(jpeg[at + 1]) == 0xFF) ++at;
        if (at + 4 > jpeg.size() || std::uint8_t(jpeg[at]) != 0xFF) return std::nullopt;
        const std::uint8_t marker = std::uint8_t(jpeg[at + 1]);
        if (marker == 0xDA) break;
        const qsizetype length = std::uint8_t(jpeg[at + 2]) << 8 | std::uint8_t(jpeg[at + 3]);
        if (length < 2 || at + 2 + length > jpeg.size()) return std::nullopt;
        segments.push_back({marker, at, at + 2 + length});
        at += 2 + length;
    }
    picture = at;
    return segments;
}

bool IsExif(const QByteArray& jpeg, const Segment& s) {
    return s.marker == 0xE1 && QByteArrayView(jpeg).sliced(s.start + 4, s.end - s.start - 4).startsWith(kExifHeader);
}

// The segment S edited as POLICY says; empty when it goes.
QByteArray Edited(const QByteArray& jpeg, const Segment& s, const ExifPolicy& policy) {
    const QByteArray segment = jpeg.mid(s.start, s.end - s.start);
    if (IsExif(jpeg, s)) {
        QByteArray tiff = segment.mid(4 + kExifHeader.size());
        if (!TiffEditor(tiff).Edit(policy)) return {};
        return segment.left(4 + kExifHeader.size()) + tiff;
    }
    if (policy.keepLocationAndOwner) return segment;
    const bool xmp = s.marker == 0xE1 && segment.mid(4).startsWith(kXmpHeader);
    const bool iptc = s.marker == 0xED;
    return xmp || iptc ? QByteArray() : segment;
}

}  // namespace

QByteArray PublishableJpeg(const QByteArray& jpeg, const ExifPolicy& policy) {
    if (policy.keepLocationAndOwner && !policy.upright) return jpeg;
    qsizetype picture = 0;
    const auto segments = LeadingSegments(jpeg, picture);
    if (!segments) return {};
    QByteArray out = jpeg.left(2);
    for (const Segment& s : *segments) out += Edited(jpeg, s, policy);
    return out.append(QByteArrayView(jpeg).sliced(picture));
}

QByteArray PublishableExifSegment(const QByteArray& jpeg, const ExifPolicy& policy) {
    qsizetype picture = 0;
    const auto segments = LeadingSegments(jpeg, picture);
    if (!segments) return {};
    for (const Segment& s : *segments)
        if (IsExif(jpeg, s)) return Edited(jpeg, s, policy);
    return {};
}

QByteArray WithSegment(const QByteArray& encoded, const QByteArray& segment) {
    qsizetype picture = 0;
    const auto segments = LeadingSegments(encoded, picture);
    if (segment.isEmpty() || !segments) return encoded;
    // After a JFIF header, which must come first.
    const qsizetype at = !segments->empty() && segments->front().marker == 0xE0 ? segments->front().end : 2;
    return encoded.left(at) + segment + encoded.mid(at);
}
