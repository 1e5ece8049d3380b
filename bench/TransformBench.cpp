// Times resize (every filter, to half size) and rotation by 30 degrees on 1024x768 and 4000x3000
// pictures beside ImageMagick and vips doing the same, as ratios (below 1.0: we are faster).
// The tools' times have their own reading of an uncompressed picture taken off; for the rotation
// the whole vips command is shown too, as a user who runs it sees it.
//   transform_bench            both sizes
//   transform_bench --smoke    a small picture, for CI
#include "BenchSupport.h"
#include "image/ImageTransforms.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {




void Report(const char* what, double ours, double magick, double vips) {
    std::printf("%-22s %9.1f ms", what, ours * 1000);
    if (!std::isnan(magick)) std::printf("   ImageMagick %9.1f ms  ratio %.2f", magick * 1000, ours / magick);
    if (!std::isnan(vips)) std::printf("   vips %8.1f ms  ratio %.2f", vips * 1000, ours / vips);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool smoke = argc > 1 && QByteArray(argv[1]) == "--smoke";
    const bool magick = !QStandardPaths::findExecutable("convert").isEmpty();
    const bool vips = !QStandardPaths::findExecutable("vips").isEmpty();
    const double none = NAN;
    QTemporaryDir dir;
    const QString ppm = dir.filePath("in.ppm"), miff = dir.filePath("in.miff"), v = dir.filePath("in.v");
    const std::vector<std::pair<int, int>> sizes =
        smoke ? std::vector<std::pair<int, int>>{{128, 96}} : std::vector<std::pair<int, int>>{{1024, 768}, {4000, 3000}};
    const int rounds = smoke ? 1 : 3;
    const char* magickFilters[] = {"Box", "Triangle", "Gaussian", "Hamming", "Blackman"};

    for (const auto& size : sizes) {
        const int w = size.first, h = size.second;
        CImageObject photo = MakePhoto(w, h);
        photo.Save(dir.filePath("in.bmp"));
        if (magick) RunTool("convert", {dir.filePath("in.bmp"), miff});
        if (vips) RunTool("vips", {"copy", dir.filePath("in.bmp"), v});
        const double magickRead = magick ? BestOf(rounds, [&] { return RunTool("convert", {miff, "null:"}); }) : none;
        const double vipsRead = vips ? BestOf(rounds, [&] { return RunTool("vips", {"copy", v, dir.filePath("out.v")}); }) : none;
        std::printf("%dx%d (to %dx%d), best of %d\n", w, h, w / 2, h / 2, rounds);
        for (int f = 0; f < 5; ++f) {
            const auto filter = ImageTransforms::Filter(f);
            const double ours = BestOf(rounds, [&] { return ImageTransforms::Resize(photo, w / 2, h / 2, filter).has_value(); });
            const double theirs = magick ? BestOf(rounds, [&] {
                return RunTool("convert", {miff, "-filter", magickFilters[f], "-resize", QStringLiteral("%1x%2!").arg(w / 2).arg(h / 2), "null:"});
            }) - magickRead : none;
            Report((QByteArray("resize ") + ImageTransforms::kFilterNames[f]).constData(), ours, theirs, none);
        }
        const double ours = BestOf(rounds, [&] { return ImageTransforms::RotateByAngle(photo, 30, qRgb(0, 0, 0)).has_value(); });
        const double theirs = magick ? BestOf(rounds, [&] { return RunTool("convert", {miff, "-rotate", "30", "null:"}); }) - magickRead : none;
        const double vipsCommand = vips ? BestOf(rounds, [&] { return RunTool("vips", {"rotate", v, dir.filePath("out.v"), "30"}); }) : none;
        Report("rotate 30", ours, theirs, vipsCommand - vipsRead);
        if (vips) std::printf("%-22s %9.1f ms   whole vips rotate command %.1f ms  ratio %.2f\n", "", ours * 1000, vipsCommand * 1000, ours / vipsCommand);
        std::printf("\n");
    }
    return 0;
}
