#pragma once

#include "CImageObject.h"

#include <cstdint>
#include <memory>
#include <optional>

// The working picture of resize, rotation and tint: one word per pixel, red in bits 16-23, green
// in 8-15, blue in 0-7; rows bottom-up, pixel (x, y) at x + y * width.
struct WorkBuffer {
    int width = 0;
    int height = 0;
    // Not cleared when made: every user writes each pixel.
    std::unique_ptr<std::uint32_t[]> pixels;

    // nullopt when the memory cannot be had.
    static std::optional<WorkBuffer> Make(int width, int height);
    std::size_t Size() const { return std::size_t(width) * height; }
    // The displayed colours of IMAGE (palettes expanded).
    static std::optional<WorkBuffer> From(const CImageObject& image);
    // A new 24-bit picture of the buffer.
    CImageObject ToImage() const;

    std::uint32_t* Row(int y) { return pixels.get() + std::size_t(y) * width; }
    const std::uint32_t* Row(int y) const { return pixels.get() + std::size_t(y) * width; }
};

inline int Red(std::uint32_t p) { return int((p >> 16) & 0xFF); }
inline int Green(std::uint32_t p) { return int((p >> 8) & 0xFF); }
inline int Blue(std::uint32_t p) { return int(p & 0xFF); }
inline std::uint32_t Pack(int r, int g, int b) {
    return (std::uint32_t(r & 0xFF) << 16) | (std::uint32_t(g & 0xFF) << 8) | std::uint32_t(b & 0xFF);
}
