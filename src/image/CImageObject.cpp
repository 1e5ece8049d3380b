#include "CImageObject.h"

#include "CAviFrameImage.h"
#include "CBmpImage.h"
#include "CGifImage.h"
#include "CJpegImage.h"
#include "CPngImage.h"

CImageObject::CImageObject() = default;

CImageObject::CImageObject(const QString& fileName, int type) { Load(fileName, type); }

CImageObject::CImageObject(CImageObject&&) noexcept = default;
CImageObject& CImageObject::operator=(CImageObject&&) noexcept = default;
CImageObject::~CImageObject() = default;

CImageObject CImageObject::BlankLike(const CImageObject& other) {
    CImageObject blank;
    blank.m_fileName = other.m_fileName;
    if (!blank.CreateImplementation(other.m_fileName, other.m_type) || !other.m_impl) return blank;
    blank.m_impl->Create(other.GetWidth(), other.GetHeight(), other.GetBitsPerPixel(),
                         other.GetColorType());
    if (const ImagePalette* palette = other.GetPalette()) blank.m_impl->SetPaletteFromObject(*palette);
    return blank;
}

CImageObject CImageObject::Clone() const {
    CImageObject copy;
    copy.m_fileName = m_fileName;
    if (!m_impl || !copy.CreateImplementation(m_fileName, m_type == IMAGE_NONE ? IMAGE_BMP : m_type)) return copy;
    copy.m_impl->CopyFrom(*m_impl);
    return copy;
}

void CImageObject::AdoptPicture(CImageObject&& other) {
    if (m_impl && other.m_impl) m_impl->Transfer(*other.m_impl);
}

std::unique_ptr<CImageImpl> CImageObject::MakeImplementation(const QString& fileName, int type) {
    switch (type) {
        case IMAGE_BMP: return std::make_unique<CBmpImage>(fileName);
        case IMAGE_JPEG: return std::make_unique<CJpegImage>(fileName);
        case IMAGE_GIF: return std::make_unique<CGifImage>(fileName);
        case IMAGE_PNG: return std::make_unique<CPngImage>(fileName);
        case IMAGE_AVI: return std::make_unique<CAviFrameImage>(fileName);
        default: return nullptr;  // IMAGE_XPM has no implementation
    }
}

bool CImageObject::CreateImplementation(const QString& fileName, int type) {
    m_impl = MakeImplementation(fileName, type);
    m_type = m_impl ? type : IMAGE_NONE;
    return m_impl != nullptr;
}

bool CImageObject::Create(int width, int height, int bpp, int colorType) {
    if (!m_impl) {
        m_fileName.clear();
        CreateImplementation({}, IMAGE_BMP);
    }
    return m_impl->Create(width, height, bpp, colorType);
}

bool CImageObject::Draw(QPainter* dc, int xDest, int yDest, int width, int height, int xSrc,
                        int ySrc) const {
    return m_impl && m_impl->Draw(dc, xDest, yDest, width, height, xSrc, ySrc);
}

bool CImageObject::Stretch(QPainter* dc, int xDest, int yDest, int destWidth, int destHeight,
                           int xSrc, int ySrc, int srcWidth, int srcHeight) const {
    return m_impl && m_impl->Stretch(dc, xDest, yDest, destWidth, destHeight, xSrc, ySrc,
                                     srcWidth, srcHeight);
}

void CImageObject::SetPaletteFromArrays(int count, const std::uint8_t* red,
                                        const std::uint8_t* green, const std::uint8_t* blue) {
    if (m_impl) m_impl->SetPaletteFromArrays(count, red, green, blue);
}

void CImageObject::SetPaletteFromTriples(int count, const std::uint8_t* rgb) {
    if (m_impl) m_impl->SetPaletteFromTriples(count, rgb);
}

void CImageObject::SetPaletteFromObject(const ImagePalette& palette) {
    if (m_impl) m_impl->SetPaletteFromObject(palette);
}

bool CImageObject::Load(const QString& fileName, int type) {
    m_fileName = fileName;
    if (type == -1) type = ImageTypeFromFileName(fileName);
    if ((!m_impl || type != m_type) && !CreateImplementation(fileName, type)) return false;
    return m_impl->Read(fileName);
}

bool CImageObject::Save(const QString& fileName, int type) {
    if (!m_impl) return false;
    m_fileName = fileName;
    if (type == -1) type = ImageTypeFromFileName(fileName);
    if (type != m_type) {
        std::unique_ptr<CImageImpl> converted = MakeImplementation(fileName, type);
        if (!converted) return m_impl->CImageImpl::Write(fileName);  // which gives the reason
        converted->Transfer(*m_impl);
        m_impl = std::move(converted);
        m_type = type;
    }
    return m_impl->Write(fileName);
}

QImage CImageObject::MakeBitmap() const { return m_impl ? m_impl->MakeImage() : QImage(); }

CImageObject ImageFromQImage(const QImage& source) {
    CImageObject image;
    if (source.isNull()) return image;
    const int width = source.width(), height = source.height();
    if (source.format() == QImage::Format_Indexed8) {
        if (!image.Create(width, height, 8, -1)) return image;
        const QList<QRgb> table = source.colorTable();
        std::vector<std::uint8_t> rgb;
        for (QRgb c : table) rgb.insert(rgb.end(), {std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c))});
        if (!table.isEmpty()) image.SetPaletteFromTriples(int(table.size()), rgb.data());
        for (int y = 0; y < height; ++y)
            std::copy_n(source.constScanLine(y), width, image.GetImplementation()->Row(height - 1 - y));
        return image;
    }
    if (!image.Create(width, height, 24, -1)) return image;
    const QImage bgr = source.convertToFormat(QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        std::copy_n(bgr.constScanLine(y), std::size_t(width) * 3, image.GetImplementation()->Row(height - 1 - y));
    return image;
}
