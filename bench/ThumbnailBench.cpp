// Thumbnails per second for an album of 200 JPEGs of 2048x1536 at 160x120: albora-cli contact
// (the contact sheet's own thumbnail code) beside vipsthumbnail and ImageMagick's
// convert -thumbnail, in one run; then albora-cli contact again, filled from the shared
// thumbnail cache that the first run filled.
//   thumbnail_bench ALBORA_CLI            the full corpus
//   thumbnail_bench ALBORA_CLI --smoke    four small pictures, for CI
#include "album/AlbumFile.h"
#include "album/CFotoDB.h"
#include "image/CImageObject.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

// The thumbnail cache of the runs: a folder of the benchmark's own.
QProcessEnvironment g_environment = QProcessEnvironment::systemEnvironment();

double Seconds(const QString& program, const QStringList& args) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setProcessEnvironment(g_environment);
    process.start(program, args);
    if (!process.waitForFinished(1800000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
        return NAN;
    }
    return timer.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: thumbnail_bench ALBORA_CLI [--smoke]\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]);
    const bool smoke = argc > 2 && QByteArray(argv[2]) == "--smoke";
    const int count = smoke ? 4 : 200, width = smoke ? 640 : 2048, height = smoke ? 480 : 1536;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("vips");
    g_environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));

    // One photo-like picture, each file with its own stripe so that no two are alike.
    CImageObject photo;
    photo.Create(width, height, 24, 2);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = photo.GetImplementation()->Row(y);
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            row[3 * x] = std::uint8_t(128 + 100 * std::sin(7 * u + 3 * v));
            row[3 * x + 1] = std::uint8_t(128 + 100 * std::cos(5 * v - u));
            row[3 * x + 2] = std::uint8_t(((x ^ y) & 31) + 100);
        }
    }
    ImageLibrary::SetJpegQuality(90);
    CFotoDB album;
    QStringList files;
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < height; ++y) photo.GetImplementation()->Row(y)[3 * (i % width)] = std::uint8_t(i);
        const QString file = dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QChar('0')));
        photo.Save(file);
        files << file;
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = card->m_strGraphic = file;
        album.List().AddTail(card);
    }
    const QString albumPath = dir.filePath("album.crp");
    AlbumFile::WriteContents(albumPath, album.Serialize(false));
    std::printf("%d JPEGs of %dx%d to 160x120\n\n", count, width, height);

    const QStringList contact{"contact", albumPath, dir.filePath("sheet.png"), "--size", "1", "--columns", "10"};
    const double ours = Seconds(cli, contact);
    std::printf("albora-cli contact      %7.1f thumbnails/s\n", count / ours);
    const double cached = Seconds(cli, contact);
    std::printf("  again, from the cache %7.1f thumbnails/s   second run / first %.2f\n", count / cached, cached / ours);
    if (!QStandardPaths::findExecutable("vipsthumbnail").isEmpty()) {
        const double vips = Seconds("vipsthumbnail", QStringList{"-s", "160x120", "-o", dir.filePath("vips/%s.jpg")} + files);
        std::printf("vipsthumbnail           %7.1f thumbnails/s   our time / theirs %.2f\n", count / vips, ours / vips);
    }
    if (!QStandardPaths::findExecutable("convert").isEmpty()) {
        // ImageMagick one file at a time, on a sample.
        const int sample = std::min(count, 20);
        double magick = 0;
        for (int i = 0; i < sample; ++i)
            magick += Seconds("convert", {files[i], "-thumbnail", "160x120", dir.filePath("magick.jpg")});
        magick = magick / sample * count;
        std::printf("convert -thumbnail      %7.1f thumbnails/s   our time / theirs %.2f\n", count / magick, ours / magick);
    }
    return 0;
}
