#include "GifLzw.h"

#include <array>
#include <cstring>
#include <memory>
#include <vector>

bool GifByteSource::Read(std::uint8_t* out, std::size_t count) {
    if (count > Remaining()) return false;
    std::memcpy(out, m_data + m_pos, count);
    m_pos += count;
    return true;
}

bool GifByteSource::Skip(std::size_t count) {
    if (count > Remaining()) return false;
    m_pos += count;
    return true;
}

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxBits = 12;
constexpr std::array<std::uint32_t, 13> kCodeMask = {0x000, 0x001, 0x003, 0x007, 0x00F,
                                                     0x01F, 0x03F, 0x07F, 0x0FF, 0x1FF,
                                                     0x3FF, 0x7FF, 0xFFF};

// The decoder's state for one image, so two pictures may be decoded at once.
class Decoder {
public:
    explicit Decoder(GifByteSource& source) : m_source(source) {}
    int Run(int lineWidth, const GifLzw::LineWriter& writeLine);

private:
    int NextCode();
    bool FillSubBlock();

    GifByteSource& m_source;
    int m_currSize = 0;
    int m_bitsLeft = 0;
    int m_bytesAvailable = 0;
    std::uint32_t m_byte = 0;
    std::array<std::uint8_t, 256> m_block{};
    std::size_t m_blockPos = 0;
    std::array<std::uint16_t, kMaxCodes> m_prefix{};
    std::array<std::uint8_t, kMaxCodes> m_suffix{};
    std::array<std::uint8_t, kMaxCodes + 2> m_stack{};
};

bool Decoder::FillSubBlock() {
    const int size = m_source.Next();
    // The block terminator (0) before the end code, or the end of the file, ends the data.
    if (size <= 0 || !m_source.Read(m_block.data(), std::size_t(size))) return false;
    m_bytesAvailable = size;
    m_blockPos = 0;
    return true;
}

int Decoder::NextCode() {
    if (m_bitsLeft == 0) {
        if (m_bytesAvailable <= 0 && !FillSubBlock()) return -1;
        m_byte = m_block[m_blockPos++];
        m_bitsLeft = 8;
        --m_bytesAvailable;
    }
    std::uint32_t code = m_byte >> (8 - m_bitsLeft);
    while (m_currSize > m_bitsLeft) {
        if (m_bytesAvailable <= 0 && !FillSubBlock()) return -1;
        m_byte = m_block[m_blockPos++];
        code |= m_byte << m_bitsLeft;
        m_bitsLeft += 8;
        --m_bytesAvailable;
    }
    m_bitsLeft -= m_currSize;
    return int(code & kCodeMask[m_currSize]);
}

int Decoder::Run(int lineWidth, const GifLzw::LineWriter& writeLine) {
    const int size = m_source.Next();
    if (size < 2 || size > 9) return GifLzw::kBadCodeSize;
    m_currSize = size + 1;
    int topSlot = 1 << m_currSize;
    const int clear = 1 << size;
    const int ending = clear + 1;
    const int newCodes = ending + 1;
    int slot = newCodes;

    std::vector<std::uint8_t> line(std::size_t(lineWidth) + 1);
    std::size_t filled = 0;
    int result = 0;
    auto put = [&](std::uint8_t pixel) {
        line[filled++] = pixel;
        if (filled == std::size_t(lineWidth)) {
            filled = 0;
            return writeLine(line.data(), lineWidth);
        }
        return 0;
    };

    int oc = 0, fc = 0, c;
    while ((c = NextCode()) != ending) {
        if (c < 0) break;
        if (c == clear) {
            m_currSize = size + 1;
            slot = newCodes;
            topSlot = 1 << m_currSize;
            while ((c = NextCode()) == clear) {
            }
            if (c == ending || c < 0) break;
            if (c >= slot) c = 0;
            oc = fc = c;
            if ((result = put(std::uint8_t(c))) < 0) return result;
            continue;
        }
        int code = c;
        std::size_t sp = 0;
        if (code >= slot) {
            code = oc;
            m_stack[sp++] = std::uint8_t(fc);
        }
        // A damaged table can chain forever; a string longer than the table is corrupt data.
        while (code >= newCodes) {
            if (sp >= std::size_t(kMaxCodes)) return result;
            m_stack[sp++] = m_suffix[code];
            code = m_prefix[code];
        }
        m_stack[sp++] = std::uint8_t(code);
        if (slot < topSlot) {
            m_suffix[slot] = std::uint8_t(fc = code);
            m_prefix[slot++] = std::uint16_t(oc);
            oc = c;
        }
        if (slot >= topSlot && m_currSize < kMaxBits) {
            topSlot <<= 1;
            ++m_currSize;
        }
        while (sp > 0)
            if ((result = put(m_stack[--sp])) < 0) return result;
    }
    if (filled > 0) result = writeLine(line.data(), int(filled));
    return result < 0 ? result : 0;
}

// The encoder of the "compress" family: open addressing in a 5003-entry table.
class Encoder {
public:
    explicit Encoder(QByteArray& out) : m_out(out) {}
    void Run(const std::uint8_t* pixels, std::size_t count);

private:
    static constexpr int kTableSize = 5003;
    static constexpr int kInitBits = 9;
    static constexpr int kClearCode = 256;
    static constexpr int kEofCode = 257;

    void Output(int code);
    void ClearTable() { m_hash.fill(-1); }
    void PutByte(std::uint8_t byte) {
        m_packet[m_packetSize++] = byte;
        if (m_packetSize >= 254) FlushPacket();
    }
    void FlushPacket() {
        if (m_packetSize == 0) return;
        m_out.append(char(m_packetSize));
        m_out.append(reinterpret_cast<const char*>(m_packet.data()), m_packetSize);
        m_packetSize = 0;
    }

    QByteArray& m_out;
    std::array<std::int32_t, kTableSize> m_hash{};
    std::array<std::uint16_t, kTableSize> m_codes{};
    std::array<std::uint8_t, 256> m_packet{};
    int m_packetSize = 0;
    int m_bits = kInitBits;
    int m_maxCode = (1 << kInitBits) - 1;
    int m_freeEntry = kClearCode + 2;
    bool m_clearFlag = false;
    std::uint32_t m_accumulator = 0;
    int m_accumulatedBits = 0;
};

void Encoder::Output(int code) {
    // Fewer than 8 bits wait in the accumulator between codes.
    m_accumulator &= kCodeMask[std::size_t(m_accumulatedBits)];
    m_accumulator = m_accumulatedBits > 0 ? m_accumulator | (std::uint32_t(code) << m_accumulatedBits)
                                          : std::uint32_t(code);
    m_accumulatedBits += m_bits;
    while (m_accumulatedBits >= 8) {
        PutByte(std::uint8_t(m_accumulator & 0xFF));
        m_accumulator >>= 8;
        m_accumulatedBits -= 8;
    }
    if (m_freeEntry > m_maxCode || m_clearFlag) {
        if (m_clearFlag) {
            m_bits = kInitBits;
            m_maxCode = (1 << kInitBits) - 1;
            m_clearFlag = false;
        } else {
            ++m_bits;
            m_maxCode = m_bits == kMaxBits ? kMaxCodes : (1 << m_bits) - 1;
        }
    }
    if (code == kEofCode) {
        while (m_accumulatedBits > 0) {
            PutByte(std::uint8_t(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_accumulatedBits -= 8;
        }
        FlushPacket();
    }
}

void Encoder::Run(const std::uint8_t* pixels, std::size_t count) {
    if (count == 0) return;
    int ent = pixels[0];
    int hashShift = 0;
    for (long fcode = kTableSize; fcode < 65536L; fcode *= 2) ++hashShift;
    hashShift = 8 - hashShift;
    ClearTable();
    Output(kClearCode);
    for (std::size_t p = 1; p < count; ++p) {
        const int c = pixels[p];
        const std::int32_t fcode = (std::int32_t(c) << kMaxBits) + ent;
        int i = (c << hashShift) ^ ent;
        if (m_hash[i] == fcode) {
            ent = m_codes[i];
            continue;
        }
        if (m_hash[i] >= 0) {
            const int displacement = i == 0 ? 1 : kTableSize - i;
            bool found = false;
            do {
                if ((i -= displacement) < 0) i += kTableSize;
                if (m_hash[i] == fcode) {
                    ent = m_codes[i];
                    found = true;
                    break;
                }
            } while (m_hash[i] > 0);
            if (found) continue;
        }
        Output(ent);
        ent = c;
        if (m_freeEntry < kMaxCodes) {
            m_codes[i] = std::uint16_t(m_freeEntry++);
            m_hash[i] = fcode;
        } else {
            ClearTable();
            m_freeEntry = kClearCode + 2;
            m_clearFlag = true;
            Output(kClearCode);
        }
    }
    Output(ent);
    Output(kEofCode);
}

}  // namespace

namespace GifLzw {

int Decode(GifByteSource& source, int lineWidth, const LineWriter& writeLine) {
    auto decoder = std::make_unique<Decoder>(source);
    return decoder->Run(lineWidth, writeLine);
}

void Encode(const std::uint8_t* pixels, std::size_t count, QByteArray& out) {
    auto encoder = std::make_unique<Encoder>(out);
    encoder->Run(pixels, count);
}

}  // namespace GifLzw
