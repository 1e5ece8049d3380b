// Feeds a scanner's announcement and byte stream to the frame assembly, as a backend would.
// Input: kind (0 grey, 1 RGB, 2 three passes), pixels per line (16 bits), lines (16 bits,
// signed: -1 unknown), depth (0: 1, 1: 8, else 16), line padding, read size, then the bytes
// (split in three for three passes).
#include "capture/sane/ScanAssembler.h"
#include "image/ImageLibrary.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ImageLibrary::SetMaxPixels(std::int64_t(1) << 22);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    const int kind = data[0] % 3;
    const int ppl = data[1] | (data[2] << 8);
    std::int16_t lines;
    std::memcpy(&lines, data + 3, 2);
    const int depth = data[5] == 0 ? 1 : data[5] == 1 ? 8 : 16;
    const int channels = kind == 1 ? 3 : 1;
    const std::size_t chunk = std::size_t(data[7]) + 1;
    data += 8;
    size -= 8;

    ScanFrameFormat format;
    format.pixelsPerLine = ppl;
    format.lines = lines;
    format.depth = depth;
    format.bytesPerLine = int((std::int64_t(ppl) * channels * depth + 7) / 8) + data[-2];
    const int passes = kind == 2 ? 3 : 1;
    const ScanFrameFormat::Kind passKinds[3] = {ScanFrameFormat::Red, ScanFrameFormat::Green, ScanFrameFormat::Blue};
    ScanAssembler assembler;
    const std::size_t share = size / passes;
    for (int pass = 0; pass < passes; ++pass) {
        format.kind = kind == 0 ? ScanFrameFormat::Grey : kind == 1 ? ScanFrameFormat::Rgb : passKinds[pass];
        format.lastFrame = pass == passes - 1;
        if (!assembler.BeginFrame(format)) return 0;
        const std::uint8_t* bytes = data + pass * share;
        for (std::size_t at = 0; at < share; at += chunk)
            if (!assembler.Add(bytes + at, std::min(chunk, share - at))) return 0;
        assembler.EndFrame();
    }
    const CImageObject picture = assembler.Take();
    // The page is never larger than announced, nor wider than a line.
    if (picture.IsValid() && (picture.GetWidth() != ppl || (lines > 0 && picture.GetHeight() > lines))) std::abort();
    return 0;
}
