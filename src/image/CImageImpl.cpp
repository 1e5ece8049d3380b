#include "CImageImpl.h"

#include "DibFormat.h"
#include "ImageLibrary.h"
#include "platform/SafeFile.h"

#include <QPainter>
#include <algorithm>

namespace {

// The colours a new colour table repeats, red, green, blue.
constexpr std::uint8_t kSixteenColours[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

bool SupportedDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

CImageImpl::CImageImpl(const QString& fileName) : m_fileName(fileName) {}

CImageImpl::~CImageImpl() = default;

bool CImageImpl::Inside(int x, int y) const {
    return x >= 0 && x < m_width && y >= 0 && y < m_height;
}

void CImageImpl::Release() {
    m_dib.clear();
    m_dib.shrink_to_fit();
    m_palette.reset();
    m_bitsOffset = 0;
    m_width = m_height = m_bpp = m_rowBytes = 0;
    m_colorType = 0;
}

bool CImageImpl::Create(int width, int height, int bpp, int colorType) {
    Release();
    if (width <= 0 || height <= 0 || !SupportedDepth(bpp) ||
        std::int64_t(width) * height > ImageLibrary::MaxPixels())
        return false;
    const std::int64_t rowBytes = Dib::RowBytes(width, bpp);
    Dib::InfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = std::uint16_t(bpp);
    header.sizeImage = std::uint32_t(rowBytes * height);
    // A 1-bit picture keeps room for its two colours.
    header.clrUsed = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    std::vector<std::uint8_t> block;
    try {
        block.assign(Dib::kHeaderAndTableBytes + std::size_t(rowBytes) * height, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    header.Store(block.data());
    std::uint8_t* table = block.data() + Dib::kInfoHeaderSize;
    for (std::uint32_t i = 0; i < header.clrUsed; ++i) {
        const auto& colour = bpp == 1 ? kSixteenColours[i ? 15 : 0] : kSixteenColours[i % 16];
        table[4 * i] = colour[2];
        table[4 * i + 1] = colour[1];
        table[4 * i + 2] = colour[0];
    }
    m_dib = std::move(block);
    SetFieldsFromHeader();
    m_colorType = colorType == -1 ? (bpp <= 8 ? 0 : 2) : colorType;
    return true;
}

void CImageImpl::SetFieldsFromHeader() {
    const Dib::InfoHeader header = Dib::InfoHeader::Parse(m_dib.data());
    m_width = header.width;
    m_height = header.height;
    m_bpp = header.bitCount;
    m_rowBytes = int(Dib::RowBytes(m_width, m_bpp));
    m_bitsOffset = header.size + (header.compression == Dib::kBitFields ? 12 : header.clrUsed * 4);
}

bool CImageImpl::AdoptDib(std::vector<std::uint8_t> block) {
    Release();
    m_dib = std::move(block);
    SetFieldsFromHeader();
    m_colorType = m_bpp <= 8 ? 0 : 2;
    const int entries = TableEntries();
    if (entries > 0) {
        std::vector<PaletteEntry> colours(std::min(entries, ImagePalette::kMaxEntries));
        const std::uint8_t* table = m_dib.data() + Dib::kInfoHeaderSize;
        for (size_t i = 0; i < colours.size(); ++i)
            colours[i] = {table[4 * i + 2], table[4 * i + 1], table[4 * i], 0};
        SetPalette(ImagePalette(std::move(colours)));
    }
    return true;
}

int CImageImpl::TableEntries() const {
    if (!HasDib()) return 0;
    const Dib::InfoHeader header = Dib::InfoHeader::Parse(m_dib.data());
    return header.compression == Dib::kBitFields ? 0 : int(header.clrUsed);
}

void CImageImpl::WriteIndexTable() {
    if (!HasDib() || !m_palette) return;
    std::uint8_t* table = m_dib.data() + Dib::kInfoHeaderSize;
    const int words = std::min(m_palette->Count(), TableEntries() * 2);
    for (int i = 0; i < words; ++i) Dib::Put16(table + 2 * i, std::uint16_t(i));
}

void CImageImpl::SetPalette(ImagePalette palette) {
    m_palette = std::move(palette);
    m_colorType |= 3;
    WriteIndexTable();
}

const QString& CImageImpl::TargetName(const QString& name) {
    if (!name.isEmpty()) m_fileName = name;
    return m_fileName;
}

bool CImageImpl::ReadWith(const QString& name, bool (*decode)(const QByteArray& data, CImageImpl& image)) {
    Release();
    SetTransparentIndex(-1);
    m_readError.clear();
    const auto data = ImageLibrary::ReadFile(TargetName(name), &m_readError);
    if (data && decode(*data, *this)) return true;
    Release();
    return false;
}

bool CImageImpl::WriteWith(const QString& name, const QByteArray& encoded) {
    const QString& target = TargetName(name);
    m_writeError.clear();
    if (encoded.isEmpty()) {
        m_writeError = HasDib() ? QStringLiteral("the picture cannot be stored in this format")
                                : QStringLiteral("no picture");
        return false;
    }
    SafeFile::RemoveLeftovers(target);
    return SafeFile::Write(target, encoded, &m_writeError);
}

bool CImageImpl::Read(const QString&) { return false; }

bool CImageImpl::Write(const QString&) {
    m_writeError = QStringLiteral("Albora cannot write this type of file");
    return false;
}

// 1- and 4-bit pixels are packed from the high bits of a byte down.
int CImageImpl::GetPixelIndex(int x, int y) const {
    if (!Inside(x, y) || m_bpp > 8 || !HasDib()) return -1;
    const std::uint8_t byte = Row(y)[(std::size_t(x) * m_bpp) / 8];
    if (m_bpp == 8) return byte;
    const int shift = 8 - m_bpp - (x * m_bpp) % 8;
    return (byte >> shift) & ((1 << m_bpp) - 1);
}

bool CImageImpl::SetPixelIndex(int x, int y, int index) {
    if (!Inside(x, y) || m_bpp > 8 || !HasDib()) return false;
    std::uint8_t& byte = Row(y)[(std::size_t(x) * m_bpp) / 8];
    if (m_bpp == 8) {
        byte = std::uint8_t(index);
        return true;
    }
    const int shift = 8 - m_bpp - (x * m_bpp) % 8;
    const int mask = ((1 << m_bpp) - 1) << shift;
    byte = std::uint8_t((byte & ~mask) | ((index << shift) & mask));
    return true;
}

bool CImageImpl::IndexColor(int index, PaletteEntry& color) const {
    if (m_palette) return m_palette->Entry(index, color);
    if (index < 0 || index >= std::min(TableEntries(), 256)) return false;
    const std::uint8_t* quad = m_dib.data() + Dib::kInfoHeaderSize + 4 * index;
    color = {quad[2], quad[1], quad[0], 0};
    return true;
}

bool CImageImpl::GetPixelColor(int x, int y, std::uint8_t& red, std::uint8_t& green,
                               std::uint8_t& blue) const {
    if (!Inside(x, y) || !HasDib()) return false;
    if (m_palette || m_bpp <= 8) {
        // Pictures of 8 bits or less without a palette take their colours from the colour table.
        PaletteEntry color;
        if (!IndexColor(GetPixelIndex(x, y), color)) return false;
        red = color.red;
        green = color.green;
        blue = color.blue;
        return true;
    }
    const std::uint8_t* p = Row(y) + (std::size_t(x) * m_bpp) / 8;
    if (m_bpp == 16) {
        const int v = Dib::Get16(p);
        red = std::uint8_t(((v >> 10) & 31) * 255 / 31);
        green = std::uint8_t(((v >> 5) & 31) * 255 / 31);
        blue = std::uint8_t((v & 31) * 255 / 31);
        return true;
    }
    blue = p[0];
    green = p[1];
    red = p[2];
    return true;
}

bool CImageImpl::SetPixelColor(int x, int y, std::uint8_t red, std::uint8_t green,
                               std::uint8_t blue) {
    if (!Inside(x, y) || !HasDib()) return false;
    if (m_colorType & 1) {
        if (!m_palette) return false;
        return SetPixelIndex(x, y, m_palette->NearestIndex(red, green, blue));
    }
    if (m_bpp <= 8) {
        // Without a palette the nearest colour of the colour table is stored.
        const int entries = std::min(TableEntries(), 256);
        std::vector<PaletteEntry> table(entries);
        for (int i = 0; i < entries; ++i) IndexColor(i, table[i]);
        return SetPixelIndex(x, y, ImagePalette(std::move(table)).NearestIndex(red, green, blue));
    }
    if (m_bpp == 16) return false;
    std::uint8_t* p = Row(y) + (std::size_t(x) * m_bpp) / 8;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
    return true;
}

void CImageImpl::SetPaletteFromArrays(int count, const std::uint8_t* red,
                                      const std::uint8_t* green, const std::uint8_t* blue) {
    if (m_palette || count <= 0 || !red) return;
    if (!green) green = red;
    if (!blue) blue = green;
    std::vector<PaletteEntry> entries(std::min(count, ImagePalette::kMaxEntries));
    for (size_t i = 0; i < entries.size(); ++i) entries[i] = {red[i], green[i], blue[i], 0};
    SetPalette(ImagePalette(std::move(entries)));
}

void CImageImpl::SetPaletteFromTriples(int count, const std::uint8_t* rgb) {
    if (m_palette) {
        ImageLibrary::ShowMessage(QStringLiteral("CImageImpl::imagePalette already exists!"));
        m_palette.reset();
    }
    if (count <= 0 || !rgb) return;
    std::vector<PaletteEntry> entries(std::min(count, ImagePalette::kMaxEntries));
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0};
    SetPalette(ImagePalette(std::move(entries)));
}

void CImageImpl::SetPaletteFromObject(const ImagePalette& palette) { SetPalette(palette); }

void CImageImpl::MakeGreyPalette(int count) {
    if (count <= 0) return;
    std::vector<std::uint8_t> grey(std::min(count, ImagePalette::kMaxEntries));
    for (size_t i = 0; i < grey.size(); ++i) grey[i] = std::uint8_t((i * 256) / count);
    SetPaletteFromArrays(int(grey.size()), grey.data());
}

void CImageImpl::Transfer(CImageImpl& from) {
    Release();
    m_dib = std::move(from.m_dib);
    m_bitsOffset = from.m_bitsOffset;
    m_transparentIndex = from.m_transparentIndex;
    m_palette = std::move(from.m_palette);
    m_width = from.m_width;
    m_height = from.m_height;
    m_bpp = from.m_bpp;
    m_colorType = from.m_colorType;
    m_rowBytes = from.m_rowBytes;
    from.Release();
}

void CImageImpl::CopyFrom(const CImageImpl& other) {
    Release();
    m_dib = other.m_dib;
    m_bitsOffset = other.m_bitsOffset;
    m_transparentIndex = other.m_transparentIndex;
    m_palette = other.m_palette;
    m_width = other.m_width;
    m_height = other.m_height;
    m_bpp = other.m_bpp;
    m_colorType = other.m_colorType;
    m_rowBytes = other.m_rowBytes;
}

void CImageImpl::IndexRow(int y, std::uint8_t* out) const {
    const std::uint8_t* row = Row(y);
    switch (m_bpp) {
        case 8: std::copy(row, row + m_width, out); break;
        case 4:
            for (int x = 0; x < m_width; ++x)
                out[x] = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
            break;
        case 1:
            for (int x = 0; x < m_width; ++x) out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
            break;
        default: std::fill(out, out + m_width, 0); break;
    }
}

void CImageImpl::BgrRow(int y, std::uint8_t* out) const {
    const std::uint8_t* row = Row(y);
    if (m_bpp == 24) {
        std::copy(row, row + 3 * m_width, out);
    } else if (m_bpp == 32) {
        for (int x = 0; x < m_width; ++x, row += 4, out += 3) {
            out[0] = row[0];
            out[1] = row[1];
            out[2] = row[2];
        }
    } else if (m_bpp == 16) {
        for (int x = 0; x < m_width; ++x, out += 3) {
            std::uint8_t r, g, b;
            GetPixelColor(x, y, r, g, b);
            out[0] = b;
            out[1] = g;
            out[2] = r;
        }
    } else {
        std::uint8_t lut[256][3] = {};
        for (int i = 0; i < 256; ++i) {
            PaletteEntry c;
            if (IndexColor(i, c)) lut[i][0] = c.blue, lut[i][1] = c.green, lut[i][2] = c.red;
        }
        std::vector<std::uint8_t> indices(m_width);
        IndexRow(y, indices.data());
        for (int x = 0; x < m_width; ++x, out += 3) std::copy(lut[indices[x]], lut[indices[x]] + 3, out);
    }
}

QImage CImageImpl::MakeImage() const {
    if (!HasDib()) return {};
    QImage image;
    if (m_bpp <= 8) {
        image = QImage(m_width, m_height, QImage::Format_Indexed8);
        QList<QRgb> colours(256, qRgb(0, 0, 0));
        for (int i = 0; i < 256; ++i) {
            PaletteEntry c;
            if (IndexColor(i, c)) colours[i] = qRgb(c.red, c.green, c.blue);
        }
        if (m_transparentIndex >= 0 && m_transparentIndex < 256)
            colours[m_transparentIndex] = qRgba(0, 0, 0, 0);
        image.setColorTable(colours);
        for (int y = 0; y < m_height; ++y) IndexRow(m_height - 1 - y, image.scanLine(y));
        return image;
    }
    const QImage::Format format = m_bpp == 24   ? QImage::Format_BGR888
                                  : m_bpp == 32 ? QImage::Format_RGB32
                                                : QImage::Format_RGB555;
    image = QImage(m_width, m_height, format);
    const std::size_t bytes = std::min<std::size_t>(image.bytesPerLine(), m_rowBytes);
    for (int y = 0; y < m_height; ++y) std::copy_n(Row(m_height - 1 - y), bytes, image.scanLine(y));
    return image;
}

bool CImageImpl::Draw(QPainter* dc, int xDest, int yDest, int width, int height, int xSrc,
                      int ySrc) const {
    if (!HasDib()) return false;
    if (!dc) return true;
    if (width == -1) width = m_width;
    if (height == -1) height = m_height;
    dc->drawImage(QPoint(xDest, yDest), MakeImage(), QRect(xSrc, ySrc, width, height));
    return true;
}

bool CImageImpl::Stretch(QPainter* dc, int xDest, int yDest, int destWidth, int destHeight,
                         int xSrc, int ySrc, int srcWidth, int srcHeight) const {
    if (!HasDib()) return false;
    if (!dc) return true;
    if (destWidth == -1) destWidth = m_width;
    if (destHeight == -1) destHeight = m_height;
    if (srcWidth == -1) srcWidth = m_width - xSrc;
    if (srcHeight == -1) srcHeight = m_height - ySrc;
    dc->save();
    dc->setRenderHint(QPainter::SmoothPixmapTransform, false);
    dc->drawImage(QRect(xDest, yDest, destWidth, destHeight), MakeImage(),
                  QRect(xSrc, ySrc, srcWidth, srcHeight));
    dc->restore();
    return true;
}
