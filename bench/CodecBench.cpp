// Decodes and encodes a generated corpus (a 2048x1536 photo-like picture as JPEG, BMP, PNG and
// an 8-bit GIF) and prints pictures per second beside Debian's djpeg, cjpeg and gifsicle doing
// the same work, as ratios (below 1.0: we are faster).
//   codec_bench            the full corpus
//   codec_bench --smoke    a small picture, one round, for CI
#include "BenchSupport.h"
#include "image/CImageObject.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// The same picture reduced to 256 colours (3-3-2 bits).
CImageObject MakeIndexed(const CImageObject& photo) {
    CImageObject image;
    const int width = photo.GetWidth(), height = photo.GetHeight();
    image.Create(width, height, 8, -1);
    std::uint8_t rgb[768];
    for (int i = 0; i < 256; ++i) {
        rgb[3 * i] = std::uint8_t((i >> 5) * 255 / 7);
        rgb[3 * i + 1] = std::uint8_t(((i >> 2) & 7) * 255 / 7);
        rgb[3 * i + 2] = std::uint8_t((i & 3) * 255 / 3);
    }
    image.SetPaletteFromTriples(256, rgb);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = photo.GetImplementation()->Row(y);
        std::uint8_t* out = image.GetImplementation()->Row(y);
        for (int x = 0; x < width; ++x)
            out[x] = std::uint8_t((in[3 * x + 2] & 0xE0) | ((in[3 * x + 1] >> 3) & 0x1C) | (in[3 * x] >> 6));
    }
    return image;
}

void Report(const char* what, double ours, double theirs, const char* tool) {
    if (std::isnan(theirs))
        std::printf("%-14s %8.1f /s\n", what, 1 / ours);
    else
        std::printf("%-14s %8.1f /s   %-24s %8.1f /s   ratio %.2f\n", what, 1 / ours, tool, 1 / theirs,
                    ours / theirs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool smoke = argc > 1 && QByteArray(argv[1]) == "--smoke";
    const int width = smoke ? 256 : 2048, height = smoke ? 192 : 1536, rounds = smoke ? 1 : 7;
    QTemporaryDir dir;
    const auto path = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    const bool tools = !QStandardPaths::findExecutable("djpeg").isEmpty() &&
                       !QStandardPaths::findExecutable("gifsicle").isEmpty();

    ImageLibrary::SetJpegQuality(90);
    CImageObject photo = MakePhoto(width, height);
    CImageObject indexed = MakeIndexed(photo);
    photo.Save(path("photo.bmp"));
    photo.Save(path("photo.jpg"));
    photo.Save(path("photo.png"));
    indexed.Save(path("indexed.gif"));
    std::printf("%dx%d pictures, best of %d rounds%s\n\n", width, height, rounds,
                tools ? "" : " (djpeg, cjpeg or gifsicle missing: no comparison)");

    const double none = NAN;
    CImageObject image;
    const double jpegDecode = BestOf(rounds, [&] { return image.Load(path("photo.jpg")); });
    const double djpeg = tools ? BestOf(rounds, [&] { return RunTool("djpeg", {"-outfile", "/dev/null", path("photo.jpg")}); }) : none;
    Report("JPEG decode", jpegDecode, djpeg, "djpeg");
    CImageObject toJpeg = MakePhoto(width, height);
    const double jpegEncode = BestOf(rounds, [&] { return toJpeg.Save(path("out.jpg")); });
    const double cjpeg = tools ? BestOf(rounds, [&] {
        return RunTool("cjpeg", {"-quality", "90", "-outfile", "/dev/null", path("photo.bmp")});
    }) : none;
    Report("JPEG encode", jpegEncode, cjpeg, "cjpeg");

    const double gifDecode = BestOf(rounds, [&] { return image.Load(path("indexed.gif")) && image.IsValid(); });
    const double gifEncode = BestOf(rounds, [&] { return indexed.Save(path("out.gif")); });
    // gifsicle re-encodes only what changed: a flip makes it decode and encode the whole picture.
    const double gifsicle = tools ? BestOf(rounds, [&] {
        return RunTool("gifsicle", {"--flip-horizontal", path("indexed.gif"), "-o", "/dev/null"});
    }) : none;
    Report("GIF decode", gifDecode, none, "");
    Report("GIF encode", gifEncode, none, "");
    Report("GIF both", gifDecode + gifEncode, gifsicle, "gifsicle (both)");

    CImageObject toBmp = MakePhoto(width, height), toPng = MakePhoto(width, height);
    Report("BMP decode", BestOf(rounds, [&] { return image.Load(path("photo.bmp")); }), none, "");
    Report("BMP encode", BestOf(rounds, [&] { return toBmp.Save(path("out.bmp")); }), none, "");
    Report("PNG decode", BestOf(rounds, [&] { return image.Load(path("photo.png")); }), none, "");
    Report("PNG encode", BestOf(rounds, [&] { return toPng.Save(path("out.png")); }), none, "");
    return 0;
}
