#pragma once

#include "ImagePalette.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

// One picture in memory as a packed device-independent bitmap: a 40-byte header, a colour table
// and the pixel rows, bottom row first, 24-bit pixels blue, green, red, rows padded to 32 bits.
// While the picture has a palette the colour table holds the indices 0..N-1 instead of colours.
// Each file format is a subclass with its own Read and Write.
class CImageImpl {
public:
    explicit CImageImpl(const QString& fileName = {});
    virtual ~CImageImpl();
    CImageImpl(const CImageImpl&) = delete;
    CImageImpl& operator=(const CImageImpl&) = delete;

    virtual bool Inside(int x, int y) const;
    // A new zeroed picture; colorType -1 means 0 up to 8 bits per pixel and 2 above.
    virtual bool Create(int width, int height, int bpp, int colorType);
    // x, y in DIB rows: y = 0 is the bottom row. 1- and 4-bit pixels are their own bits of a byte.
    virtual int GetPixelIndex(int x, int y) const;
    virtual bool GetPixelColor(int x, int y, std::uint8_t& red, std::uint8_t& green,
                               std::uint8_t& blue) const;
    virtual bool SetPixelIndex(int x, int y, int index);
    virtual bool SetPixelColor(int x, int y, std::uint8_t red, std::uint8_t green,
                               std::uint8_t blue);
    // An empty name means the stored one; another name replaces it first.
    virtual bool Read(const QString& fileName);
    virtual bool Write(const QString& fileName);

    // Copies the picture 1:1; WIDTH and HEIGHT -1 mean the picture's. Source coordinates count
    // from the top left of the picture. A null painter draws nothing and succeeds.
    bool Draw(QPainter* dc, int xDest, int yDest, int width = -1, int height = -1, int xSrc = 0,
              int ySrc = 0) const;
    // Scales by dropping or repeating pixels (never blending); pixels of the transparent index
    // leave the destination as it was.
    bool Stretch(QPainter* dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                 int ySrc, int srcWidth, int srcHeight) const;

    // GREEN defaults to RED and BLUE to GREEN. Nothing changes while a palette is present.
    void SetPaletteFromArrays(int count, const std::uint8_t* red,
                              const std::uint8_t* green = nullptr,
                              const std::uint8_t* blue = nullptr);
    void SetPaletteFromTriples(int count, const std::uint8_t* rgb);
    void SetPaletteFromObject(const ImagePalette& palette);
    void MakeGreyPalette(int count);
    const ImagePalette* GetPalette() const { return m_palette ? &*m_palette : nullptr; }

    // Takes over FROM's picture; FROM is left empty.
    void Transfer(CImageImpl& from);
    // Becomes a copy of OTHER's picture (block, palette, transparent index, fields).
    void CopyFrom(const CImageImpl& other);
    // The picture as a QImage (top row first); null when there is none.
    QImage MakeImage() const;

    bool HasDib() const { return !m_dib.empty(); }
    const std::vector<std::uint8_t>& DibBlock() const { return m_dib; }
    std::uint8_t* GetBits() { return HasDib() ? m_dib.data() + m_bitsOffset : nullptr; }
    const std::uint8_t* GetBits() const { return HasDib() ? m_dib.data() + m_bitsOffset : nullptr; }
    // DIB row Y (0 = bottom).
    std::uint8_t* Row(int y) { return GetBits() + std::size_t(y) * m_rowBytes; }
    const std::uint8_t* Row(int y) const { return GetBits() + std::size_t(y) * m_rowBytes; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_bpp; }
    int GetColorType() const { return m_colorType; }
    int GetRowBytes() const { return m_rowBytes; }
    int TransparentIndex() const { return m_transparentIndex; }
    void SetTransparentIndex(int index) { m_transparentIndex = index; }
    const QString& FileName() const { return m_fileName; }
    // Entries of the DIB colour table (biClrUsed).
    int TableEntries() const;

    // The colour of index I: the palette's entry, or the DIB colour table's without a palette.
    bool IndexColor(int index, PaletteEntry& color) const;
    // The pixels of DIB row Y as one index byte each (1-, 4- and 8-bit pictures).
    void IndexRow(int y, std::uint8_t* out) const;
    // The pixels of DIB row Y as blue, green, red triples, whatever the depth.
    void BgrRow(int y, std::uint8_t* out) const;

    // Why the last Read failed, in a few words ("truncated file", "2-bit BMP"); empty after a
    // successful read or when no reason is known. Decoders set it where they refuse a file.
    const QString& ReadError() const { return m_readError; }
    void SetReadError(const QString& reason) { m_readError = reason; }
    // Why the last Write failed: the system's reason ("No space left on device") or the
    // writer's; empty after a successful write.
    const QString& WriteError() const { return m_writeError; }
    void SetWriteError(const QString& reason) { m_writeError = reason; }

    // Adopts BLOCK, a packed DIB whose 40-byte header is filled in and whose pixels start after
    // its colour table; builds the palette from the table when it has one.
    bool AdoptDib(std::vector<std::uint8_t> block);

protected:
    // The name to read or write: NAME when given (and stored), else the stored one.
    const QString& TargetName(const QString& name);
    // Read for a codec: the whole file through DECODE; the picture is empty when that fails.
    bool ReadWith(const QString& name, bool (*decode)(const QByteArray& data, CImageImpl& image));
    // Write for a codec: ENCODED (empty for failure) goes to a temporary file beside the target,
    // is flushed and then renamed over it, so a failed write keeps the old file.
    bool WriteWith(const QString& name, const QByteArray& encoded);
    // Forgets the picture; a reader calls it before it starts.
    void Release();

    QString m_fileName;

private:
    void SetFieldsFromHeader();
    void WriteIndexTable();
    void SetPalette(ImagePalette palette);

    std::vector<std::uint8_t> m_dib;
    std::size_t m_bitsOffset = 0;
    int m_width = 0;
    int m_height = 0;
    int m_bpp = 0;
    int m_colorType = 0;
    int m_rowBytes = 0;
    int m_transparentIndex = -1;
    std::optional<ImagePalette> m_palette;
    QString m_readError;
    QString m_writeError;
};
