// Paints a linked 4000x3000 JPEG over an 800x600 rectangle 100 times, as a draw page repainted
// on every scroll and expose does, beside djpeg decoding the same file 100 times; prints both and
// the ratio (our time / djpeg's; the aim is 0.1 or less). The first paint decodes, reduced by
// libjpeg's DCT scaling; the others come from the picture cache.
//   link_picture_bench            the full run
//   link_picture_bench --smoke    a small picture, a few paints, for CI
#include "BenchSupport.h"
#include "draw/LinkPicture.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool smoke = argc > 1 && QByteArray(argv[1]) == "--smoke";
    const int width = smoke ? 400 : 4000, height = smoke ? 300 : 3000, paints = smoke ? 3 : 100;
    const QSize target = smoke ? QSize(80, 60) : QSize(800, 600);
    QTemporaryDir dir;
    const QString file = dir.filePath("photo.jpg");
    ImageLibrary::SetJpegQuality(90);
    if (!MakePhoto(width, height).Save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }

    // The page in 0.01 inch at 100 dpi: one unit a pixel, with its y axis up.
    QImage canvas(target, QImage::Format_RGB32);
    const QTransform page(1, 0, 0, -1, 0, target.height());
    const auto paint = [&] {
        QPainter painter(&canvas);
        painter.setTransform(page);
        return DrawLinkedPicture(painter, QRectF(QPointF(0, 0), target), file);
    };
    const double first = BestOf(1, paint);
    const double rest = BestOf(1, [&] {
        for (int i = 1; i < paints; ++i)
            if (!paint()) return false;
        return true;
    });
    const double ours = first + rest;
    std::printf("%dx%d JPEG (quality 90) over %dx%d, %d paints\n", width, height, target.width(), target.height(), paints);
    std::printf("DrawLinkedPicture  %9.3f s   (first paint %.3f s, later paints %.3f ms each)\n", ours, first,
                1000 * rest / (paints - 1));
    if (QStandardPaths::findExecutable("djpeg").isEmpty()) {
        std::printf("djpeg missing: no comparison\n");
        return 0;
    }
    const double djpeg = BestOf(1, [&] {
        for (int i = 0; i < paints; ++i)
            if (!RunTool("djpeg", {"-outfile", "/dev/null", file})) return false;
        return true;
    });
    std::printf("djpeg              %9.3f s\nratio %.3f (our time / djpeg's)\n", djpeg, ours / djpeg);
    return 0;
}
