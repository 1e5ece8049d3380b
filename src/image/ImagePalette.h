#pragma once

#include <cstdint>
#include <vector>

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;

    bool operator==(const PaletteEntry&) const = default;
};

// A logical palette of at most 256 colours.
class ImagePalette {
public:
    static constexpr int kMaxEntries = 256;

    ImagePalette() = default;
    explicit ImagePalette(std::vector<PaletteEntry> entries);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<PaletteEntry>& Entries() const { return m_entries; }
    // False when INDEX is outside 0..255 or has no entry.
    bool Entry(int index, PaletteEntry& entry) const;
    // The first entry nearest to the colour (squared distance in RGB).
    int NearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

    bool operator==(const ImagePalette&) const = default;

private:
    std::vector<PaletteEntry> m_entries;
};
