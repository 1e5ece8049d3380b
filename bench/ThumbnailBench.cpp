// Thumbnails per second for an album of JPEGs: albora-cli contact (the contact
// sheet's own thumbnail code) beside vipsthumbnail and ImageMagick's convert -thumbnail, in one
// run; each albora-cli contact runs twice, the second filled from the shared thumbnail cache that
// the first filled.
//   thumbnail_bench ALBORA_CLI              200 photo-like JPEGs of 2048x1536 made here
//   thumbnail_bench ALBORA_CLI JPEG_FOLDER  the JPEGs of a folder, such as the photo corpus
//   thumbnail_bench ALBORA_CLI --smoke      four small pictures, for CI
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


// COUNT photo-like JPEGs of WIDTH x HEIGHT in DIR, each with its own stripe so that no two are alike.
QStringList MakePhotos(const QString& dir, int count, int width, int height) {
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
    QStringList files;
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < height; ++y) photo.GetImplementation()->Row(y)[3 * (i % width)] = std::uint8_t(i);
        files << QDir(dir).filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QChar('0')));
        photo.Save(files.back());
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: thumbnail_bench ALBORA_CLI [--smoke | JPEG_FOLDER]\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]);
    const QString option = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("vips");
    g_environment.insert("XDG_CACHE_HOME", dir.filePath("cache"));

    QStringList files;
    if (option.isEmpty() || option == "--smoke") {
        files = option.isEmpty() ? MakePhotos(dir.path(), 200, 2048, 1536) : MakePhotos(dir.path(), 4, 640, 480);
        std::printf("%lld JPEGs made here\n\n", qlonglong(files.size()));
    } else {
        for (const QFileInfo& file : QDir(option).entryInfoList({"*.jpg", "*.jpeg", "*.JPG"}, QDir::Files, QDir::Name))
            files << file.absoluteFilePath();
        std::printf("%lld JPEGs of %s\n\n", qlonglong(files.size()), qPrintable(option));
    }
    if (files.isEmpty()) return 2;
    const int count = int(files.size());
    CFotoDB album;
    for (const QString& file : files) {
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = card->m_strGraphic = file;
        album.List().AddTail(card);
    }
    const QString albumPath = dir.filePath("album.crp");
    AlbumFile::WriteContents(albumPath, album.Serialize(false));

    // albora-cli contact with its defaults (80x60 cells from the 128-pixel cache) beside
    // vipsthumbnail with its own (128 pixels), then the larger cells that the 256-pixel cache serves.
    const bool vipsFound = !QStandardPaths::findExecutable("vipsthumbnail").isEmpty();
    double ours = NAN;
    for (const auto& [size, box] : {std::pair{"0", "128"}, std::pair{"1", "160x120"}}) {
        QDir(dir.filePath("cache")).removeRecursively();
        const QStringList contact{"contact", albumPath, dir.filePath("sheet.png"), "--size", size};
        const double first = Seconds(cli, contact);
        std::printf("albora-cli contact --size %s  %7.1f thumbnails/s\n", size, count / first);
        const double cached = Seconds(cli, contact);
        std::printf("  again, from the cache       %7.1f thumbnails/s   second run / first %.2f\n", count / cached,
                    cached / first);
        if (vipsFound) {
            const double vips = Seconds("vipsthumbnail", QStringList{"-s", box, "-o", dir.filePath("vips/%s.jpg")} + files);
            std::printf("vipsthumbnail -s %-11s %7.1f thumbnails/s   our first run / theirs %.2f\n", box, count / vips,
                        first / vips);
        }
        if (std::isnan(ours)) ours = first;
    }
    if (!QStandardPaths::findExecutable("convert").isEmpty()) {
        // ImageMagick one file at a time, on a sample.
        const int sample = std::min(count, 20);
        double magick = 0;
        for (int i = 0; i < sample; ++i)
            magick += Seconds("convert", {files[i], "-thumbnail", "128x128", dir.filePath("magick.jpg")});
        magick = magick / sample * count;
        std::printf("convert -thumbnail 128x128   %7.1f thumbnails/s   our first run / theirs %.2f\n", count / magick,
                    ours / magick);
    }
    return 0;
}
