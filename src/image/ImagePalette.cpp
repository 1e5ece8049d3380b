#include "ImagePalette.h"

ImagePalette::ImagePalette(std::vector<PaletteEntry> entries) : m_entries(std::move(entries)) {
    if (m_entries.size() > kMaxEntries) m_entries.resize(kMaxEntries);
}

bool ImagePalette::Entry(int index, PaletteEntry& entry) const {
    if (index < 0 || index >= Count()) return false;
    entry = m_entries[index];
    return true;
}

int ImagePalette::NearestIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < Count(); ++i) {
        const PaletteEntry& e = m_entries[i];
        const int dr = e.red - red, dg = e.green - green, db = e.blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return best;
}
