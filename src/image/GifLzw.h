#pragma once

// The LZW coder of the GIF format (CompuServe's GIF89a document): variable-length codes of
// up to 12 bits, packed least significant bit first into data sub-blocks of at most 255 bytes.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <functional>

// The bytes of a GIF file, read one at a time; -1 past the end.
class GifByteSource {
public:
    GifByteSource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    int Next() { return m_pos < m_size ? m_data[m_pos++] : -1; }
    bool Read(std::uint8_t* out, std::size_t count);
    bool Skip(std::size_t count);
    std::size_t Remaining() const { return m_size - m_pos; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

namespace GifLzw {

constexpr int kBadCodeSize = -20;

// Receives each decoded line (its pixels and their count); a negative answer stops decoding.
using LineWriter = std::function<int(const std::uint8_t* pixels, int count)>;

// Decodes one image's data (the code size byte and the sub-blocks) in lines of LINE_WIDTH
// pixels. A partial last line is passed with the pixels it has. Returns 0 or a negative code.
int Decode(GifByteSource& source, int lineWidth, const LineWriter& writeLine);

// Encodes PIXELS (one index byte each) as sub-blocks of at most 254 bytes, starting with 9-bit
// codes, and appends them to OUT (without the code size byte and the block terminator).
void Encode(const std::uint8_t* pixels, std::size_t count, QByteArray& out);

}  // namespace GifLzw
