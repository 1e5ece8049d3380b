#include "WorkBuffer.h"

#include "ParallelRows.h"

#include <new>
#include <vector>

std::optional<WorkBuffer> WorkBuffer::Make(int width, int height) {
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > ImageLibrary::kMaxPixels) return std::nullopt;
    WorkBuffer buffer;
    buffer.width = width;
    buffer.height = height;
    buffer.pixels.reset(new (std::nothrow) std::uint32_t[buffer.Size()]);
    if (!buffer.pixels) return std::nullopt;
    return buffer;
}

std::optional<WorkBuffer> WorkBuffer::From(const CImageObject& image) {
    if (!image.IsValid()) return std::nullopt;
    auto buffer = Make(image.GetWidth(), image.GetHeight());
    if (!buffer) return std::nullopt;
    ParallelRows(buffer->height, [&](int begin, int end, bool) {
        std::vector<std::uint8_t> bgr(std::size_t(buffer->width) * 3);
        for (int y = begin; y < end; ++y) {
            image.GetImplementation()->BgrRow(y, bgr.data());
            std::uint32_t* out = buffer->Row(y);
            for (int x = 0; x < buffer->width; ++x) out[x] = Pack(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
        }
    });
    return buffer;
}

CImageObject WorkBuffer::ToImage() const {
    CImageObject image;
    if (!image.Create(width, height, 24, 2)) return image;
    ParallelRows(height, [&](int begin, int end, bool) {
        for (int y = begin; y < end; ++y) {
            const std::uint32_t* in = Row(y);
            std::uint8_t* out = image.GetImplementation()->Row(y);
            for (int x = 0; x < width; ++x, out += 3) {
                out[0] = std::uint8_t(Blue(in[x]));
                out[1] = std::uint8_t(Green(in[x]));
                out[2] = std::uint8_t(Red(in[x]));
            }
        }
    });
    return image;
}
