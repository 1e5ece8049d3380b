#include "ScanAssembler.h"

#include <algorithm>
#include <cstring>

namespace {

// Room for a backend's line padding; more is taken for a broken announcement.
constexpr int kMaxPadding = 1 << 16;

int Channels(ScanFrameFormat::Kind kind) { return kind == ScanFrameFormat::Rgb ? 3 : 1; }

std::int64_t PackedBytes(int pixels, int channels, int depth) {
    return (std::int64_t(pixels) * channels * depth + 7) / 8;
}

// SANE sends 16-bit samples in the machine's byte order; the DIB keeps the high byte.
inline std::uint8_t Sample16(const std::uint8_t* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return std::uint8_t(v >> 8);
}

// One sample of a frame as a byte; 1-bit samples are SANE's "set is black".
inline std::uint8_t Sample(const std::uint8_t* line, int index, int depth) {
    if (depth == 8) return line[index];
    if (depth == 16) return Sample16(line + 2 * index);
    return (line[index >> 3] & (0x80 >> (index & 7))) ? 0 : 255;
}

// Writes COUNT samples, every STEP bytes from DST, from samples STRIDE apart in LINE.
void Spread(std::uint8_t* dst, int step, const std::uint8_t* line, int first, int stride, int count, int depth) {
    if (depth == 8) {
        const std::uint8_t* src = line + first;
        for (int i = 0; i < count; ++i, dst += step, src += stride) *dst = *src;
        return;
    }
    for (int i = 0, s = first; i < count; ++i, dst += step, s += stride) *dst = Sample(line, s, depth);
}

// SANE's RGB to the DIB's BGR. Apart, the two lines let the compiler work on many pixels at once.
void SwapRedAndBlue(std::uint8_t* __restrict out, const std::uint8_t* __restrict in, int pixels) {
    for (std::size_t i = 0, n = std::size_t(pixels) * 3; i < n; i += 3) {
        out[i] = in[i + 2];
        out[i + 1] = in[i + 1];
        out[i + 2] = in[i];
    }
}

}  // namespace

bool ScanAssembler::Refuse(const QString& reason) {
    m_error = reason;
    return false;
}

bool ScanAssembler::BeginFrame(const ScanFrameFormat& f) {
    if (m_complete) return Refuse(QStringLiteral("The page has ended."));
    if (f.pixelsPerLine <= 0 || f.lines == 0 || f.lines < -1 || f.bytesPerLine <= 0)
        return Refuse(QStringLiteral("The scanner announced an empty picture."));
    if (f.depth != 1 && f.depth != 8 && f.depth != 16)
        return Refuse(QStringLiteral("The scanner sends %1 bits per sample, which is not supported.").arg(f.depth));
    const std::int64_t packed = PackedBytes(f.pixelsPerLine, Channels(f.kind), f.depth);
    if (f.bytesPerLine < packed || f.bytesPerLine - packed > kMaxPadding)
        return Refuse(QStringLiteral("The scanner announced %1 bytes for a line of %2 pixels.")
                          .arg(f.bytesPerLine)
                          .arg(f.pixelsPerLine));
    const QString refusal = ImageLibrary::PixelLimitRefusal(f.pixelsPerLine, std::max(f.lines, 1));
    if (!refusal.isEmpty()) return Refuse(refusal);

    const bool onePass = f.kind == ScanFrameFormat::Grey || f.kind == ScanFrameFormat::Rgb;
    if (!m_begun) {
        m_colour = f.kind != ScanFrameFormat::Grey;
        m_lineart = !m_colour && f.depth == 1;
        m_width = f.pixelsPerLine;
        m_height = f.lines;
        const int bpp = m_colour ? 24 : m_lineart ? 1 : 8;
        m_rowBytes = int((std::int64_t(m_width) * bpp + 31) / 32 * 4);
        // A known height is assembled straight into the picture; an unknown one grows by lines.
        m_direct = m_height > 0;
        if (m_direct && !CreatePicture(m_picture, m_height)) return false;
        m_begun = true;
    } else if (onePass || f.pixelsPerLine != m_width || (f.lines != -1 && f.lines != m_height) || !m_colour) {
        return Refuse(QStringLiteral("The scanner changed the picture between its colour passes."));
    }
    m_format = f;
    m_line = 0;
    m_pending.clear();
    m_pending.reserve(std::size_t(f.bytesPerLine));
    return true;
}

bool ScanAssembler::GrowTo(int lines) {
    if (std::size_t(lines) * m_rowBytes <= m_rows.size()) return true;
    const QString refusal = ImageLibrary::PixelLimitRefusal(m_width, lines);
    if (!refusal.isEmpty()) return Refuse(refusal);
    m_rows.resize(std::size_t(lines) * m_rowBytes, 0);
    return true;
}

bool ScanAssembler::Add(const std::uint8_t* data, std::size_t size) {
    if (!m_begun || m_complete) return true;
    const std::size_t bpl = std::size_t(m_format.bytesPerLine);
    while (size > 0) {
        if (m_height > 0 && m_line >= m_height) return true;  // more than announced: dropped
        const std::uint8_t* line = data;
        if (m_pending.empty() && size >= bpl) {
            data += bpl;
            size -= bpl;
        } else {
            const std::size_t take = std::min(size, bpl - m_pending.size());
            m_pending.insert(m_pending.end(), data, data + take);
            data += take;
            size -= take;
            if (m_pending.size() < bpl) return true;
            line = m_pending.data();
        }
        if (m_height < 0 && !GrowTo(m_line + 1)) return false;
        StoreLine(line);
        m_pending.clear();
    }
    return true;
}

void ScanAssembler::StoreLine(const std::uint8_t* line) {
    std::uint8_t* row = Row(m_line);
    const int w = m_width;
    const int depth = m_format.depth;
    switch (m_format.kind) {
    case ScanFrameFormat::Grey:
        if (m_lineart) {
            // DIB index 0 is black, so SANE's set bits turn over.
            const int bytes = (w + 7) / 8;
            for (int i = 0; i < bytes; ++i) row[i] = std::uint8_t(~line[i]);
        } else {
            Spread(row, 1, line, 0, 1, w, depth);
        }
        break;
    case ScanFrameFormat::Rgb:
        if (depth == 8) {
            SwapRedAndBlue(row, line, w);
        } else {
            for (int c = 0; c < 3; ++c) Spread(row + 2 - c, 3, line, c, 3, w, depth);
        }
        break;
    case ScanFrameFormat::Red: Spread(row + 2, 3, line, 0, 1, w, depth); break;
    case ScanFrameFormat::Green: Spread(row + 1, 3, line, 0, 1, w, depth); break;
    case ScanFrameFormat::Blue: Spread(row, 3, line, 0, 1, w, depth); break;
    }
    ++m_line;
    m_maxLines = std::max(m_maxLines, m_line);
}

void ScanAssembler::EndFrame() {
    if (!m_begun) return;
    if (m_height < 0) m_height = m_maxLines;  // a later pass may not give more
    if (m_format.lastFrame) m_complete = true;
}

int ScanAssembler::ExpectedLines() const { return m_height > 0 ? m_height : m_maxLines; }

bool ScanAssembler::CreatePicture(CImageObject& picture, int lines) {
    const int bpp = m_colour ? 24 : m_lineart ? 1 : 8;
    if (!picture.Create(m_width, lines, bpp)) return Refuse(QStringLiteral("Not enough memory for the scanned picture."));
    CImageImpl& dib = *picture.GetImplementation();
    if (bpp == 8) dib.MakeGreyPalette(256);
    if (bpp == 1) {
        static const std::uint8_t blackWhite[6] = {0, 0, 0, 255, 255, 255};
        dib.SetPaletteFromTriples(2, blackWhite);
    }
    return true;
}

std::uint8_t* ScanAssembler::Row(int line) {
    if (m_direct) return m_picture.GetImplementation()->Row(m_height - 1 - line);
    return m_rows.data() + std::size_t(line) * m_rowBytes;
}

CImageObject ScanAssembler::Take() {
    if (m_maxLines == 0) {
        Refuse(QStringLiteral("The scanner sent no picture."));
        return {};
    }
    if (m_direct && m_maxLines == m_height) return std::move(m_picture);
    // Fewer lines than announced, or an unknown height: the lines that came, top first.
    CImageObject picture;
    if (!CreatePicture(picture, m_maxLines)) return {};
    CImageImpl& dib = *picture.GetImplementation();
    const std::size_t bytes = std::size_t(std::min(m_rowBytes, dib.GetRowBytes()));
    for (int y = 0; y < m_maxLines; ++y)
        std::memcpy(dib.Row(m_maxLines - 1 - y), Row(y), bytes);
    return picture;
}
