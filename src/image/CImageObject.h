#pragma once

#include "CImageImpl.h"
#include "ImageLibrary.h"

#include <memory>

// The handle through which the program loads, holds, converts, draws and saves a picture. It owns
// one implementation of the subclass of its file type; saving under another type converts.
class CImageObject {
public:
    CImageObject();
    // Loads FILENAME (type -1: from the extension).
    explicit CImageObject(const QString& fileName, int type = -1);
    // An empty picture of OTHER's name, type, size, depth, colour type and palette, as the
    // destination of a transform; the pixels are not copied.
    static CImageObject BlankLike(const CImageObject& other);
    // A copy of the picture, pixels and all, of the same type.
    CImageObject Clone() const;
    // Takes OTHER's picture, keeping this object's file name and type; OTHER is left empty.
    void AdoptPicture(CImageObject&& other);
    CImageObject(CImageObject&&) noexcept;
    CImageObject& operator=(CImageObject&&) noexcept;
    ~CImageObject();

    int GetRowBytes() const { return m_impl ? m_impl->GetRowBytes() : 0; }
    int GetWidth() const { return m_impl ? m_impl->GetWidth() : 0; }
    int GetHeight() const { return m_impl ? m_impl->GetHeight() : 0; }
    int GetBitsPerPixel() const { return m_impl ? m_impl->GetBitsPerPixel() : 0; }
    int GetColorType() const { return m_impl ? m_impl->GetColorType() : 0; }
    bool Inside(int x, int y) const { return m_impl && m_impl->Inside(x, y); }
    bool Create(int width, int height, int bpp, int colorType = -1);
    bool CreateImplementation(const QString& fileName, int type);
    bool Draw(QPainter* dc, int xDest, int yDest, int width = -1, int height = -1, int xSrc = 0,
              int ySrc = 0) const;
    bool Stretch(QPainter* dc, int xDest, int yDest, int destWidth = -1, int destHeight = -1,
                 int xSrc = 0, int ySrc = 0, int srcWidth = -1, int srcHeight = -1) const;
    int GetPixelIndex(int x, int y) const { return m_impl ? m_impl->GetPixelIndex(x, y) : -1; }
    bool GetPixelColor(int x, int y, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const {
        return m_impl && m_impl->GetPixelColor(x, y, r, g, b);
    }
    bool SetPixelIndex(int x, int y, int index) { return m_impl && m_impl->SetPixelIndex(x, y, index); }
    bool SetPixelColor(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return m_impl && m_impl->SetPixelColor(x, y, r, g, b);
    }
    void SetPaletteFromArrays(int count, const std::uint8_t* red, const std::uint8_t* green = nullptr,
                              const std::uint8_t* blue = nullptr);
    void SetPaletteFromTriples(int count, const std::uint8_t* rgb);
    void SetPaletteFromObject(const ImagePalette& palette);
    const ImagePalette* GetPalette() const { return m_impl ? m_impl->GetPalette() : nullptr; }
    bool IsValid() const { return m_impl && m_impl->HasDib(); }
    CImageImpl* GetImplementation() const { return m_impl.get(); }
    std::uint8_t* GetBits() { return m_impl ? m_impl->GetBits() : nullptr; }
    const std::uint8_t* GetBits() const { return m_impl ? m_impl->GetBits() : nullptr; }

    bool Load(const QString& fileName, int type = -1);
    // Why the last Load gave no picture, when the reader knows ("2-bit BMP", "truncated file").
    QString ReadError() const { return m_impl ? m_impl->ReadError() : QString(); }
    bool Save(const QString& fileName, int type = -1);
    // Why the last Save failed ("No space left on device"); the old file is then unchanged.
    QString WriteError() const { return m_impl ? m_impl->WriteError() : QString(); }
    // The picture as a QImage, top row first; null without a picture.
    QImage MakeBitmap() const;

    int Type() const { return m_type; }
    const QString& FileName() const { return m_fileName; }

private:
    static std::unique_ptr<CImageImpl> MakeImplementation(const QString& fileName, int type);

    int m_type = IMAGE_NONE;
    QString m_fileName;
    std::unique_ptr<CImageImpl> m_impl;
};

// A picture made from a QImage: 8-bit with its colour table for indexed images, 24-bit otherwise
// (alpha dropped). Invalid for a null image.
CImageObject ImageFromQImage(const QImage& image);
