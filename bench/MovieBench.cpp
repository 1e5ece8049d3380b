// Movies of an album beside ffmpeg doing the same work, in one run with the ratios the product
// promises:
//   - albora-cli movie of 300 1024x768 JPEG cards against ffmpeg writing the same uncompressed
//     AVI layout (target: at most 0.8 of ffmpeg's time). Our movie is on the disk when the
//     program says it is made, ffmpeg's may still be in the page cache: so ffmpeg is timed also
//     with its file synced, and both in memory (/dev/shm), where a sync costs nothing;
//   - avimpg on a 30-picture 640x480 movie against ffmpeg's mpeg1video with the settings that
//     avimpg -V prints (target: at most 1.1).
//   movie_bench ALBORA_CLI AVIMPG [--smoke]
#include "BenchSupport.h"

#include "album/AlbumFile.h"
#include "album/CFotoDB.h"
#include "image/ImageLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

double Once(const QString& program, const QStringList& args) { return BestOf(1, [&] { return RunTool(program, args); }); }

// COUNT photographs of SIZE named p000.jpg, p001.jpg ... in DIR, no two alike, and an album of
// them in that order.
QString MakeAlbum(const QDir& dir, QSize size, int count) {
    ImageLibrary::SetJpegQuality(90);
    CImageObject photo = MakePhoto(size.width(), size.height());
    CFotoDB album;
    for (int i = 0; i < count; ++i) {
        photo.SetPixelColor(i % size.width(), 0, 255, 0, 0);
        const QString file = dir.filePath(QStringLiteral("p%1.jpg").arg(i, 3, 10, QChar('0')));
        photo.Save(file);
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = file;
        album.List().AddTail(card);
    }
    const QString path = dir.filePath(QStringLiteral("album.crp"));
    AlbumFile::WriteContents(path, album.Serialize(false));
    return path;
}

// The "name = value" lines avimpg -V prints for encoding INPUT.
QMap<QString, QString> AvimpgSettings(const QString& avimpg, const QString& input, const QString& output) {
    QProcess process;
    process.start(avimpg, {"-V", input, output});
    process.waitForFinished();
    QMap<QString, QString> settings;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        const qsizetype equals = line.indexOf(" = ");
        if (equals > 0) settings.insert(QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 3)));
    }
    return settings;
}

// ffmpeg's arguments for the video avimpg makes with SETTINGS.
QStringList FfmpegMpegArgs(const QMap<QString, QString>& s, const QString& input, const QString& output) {
    return {"-v", "error", "-y", "-i", input, "-an", "-vf", s["video_filter"], "-r", s["frame_rate"], "-pix_fmt",
            s["pixel_format"], "-c:v", s["video_codec"], "-b:v", s["video_bitrate"], "-maxrate", s["video_maxrate"],
            "-bufsize", s["video_bufsize"], "-g", s["gop_size"], "-bf", s["b_frames"], "-me_range", s["me_range"],
            "-f", s["format"], "-muxrate", s["muxrate"], "-packetsize", s["packet_size"], "-muxpreload",
            QString::number(s["preload"].toDouble() / 1e6), output};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: movie_bench ALBORA_CLI AVIMPG [--smoke]\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]), avimpg = QString::fromLocal8Bit(argv[2]);
    const bool smoke = argc > 3 && QByteArray(argv[3]) == "--smoke";
    const bool ffmpeg = !QStandardPaths::findExecutable("ffmpeg").isEmpty();
    QTemporaryDir temporary;
    const QDir dir(temporary.path());

    const int cards = smoke ? 4 : 300;
    const QSize size = smoke ? QSize(160, 120) : QSize(1024, 768);
    dir.mkdir("avi");
    const QString album = MakeAlbum(QDir(dir.filePath("avi")), size, cards);
    const QString shm = QStringLiteral("/dev/shm");
    const bool inMemory = QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() && !smoke;
    for (const QString& folder : inMemory ? QStringList{dir.path(), shm} : QStringList{dir.path()}) {
        const QString ours = QDir(folder).filePath("albora-bench-ours.avi"), theirs = QDir(folder).filePath("albora-bench-theirs.avi");
        const double made = Once(cli, {"movie", album, ours});
        std::printf("%s\nalbora-cli movie, %d %dx%d JPEGs    %7.2f s\n", qPrintable(folder), cards, size.width(), size.height(), made);
        if (ffmpeg) {
            const QStringList args{"-v", "error", "-y", "-framerate", "1.5", "-i", dir.filePath("avi/p%03d.jpg"), "-c:v",
                                   "rawvideo", "-pix_fmt", "bgr24", "-fps_mode", "vfr", "-r", "15", "-f", "avi", theirs};
            const double cached = Once("ffmpeg", args);
            const double synced = BestOf(1, [&] { return RunTool("ffmpeg", args) && RunTool("sync", {theirs}); });
            std::printf("ffmpeg, the same AVI                     %7.2f s  ours / theirs %.2f (target at most 0.8)\n", cached,
                        made / cached);
            std::printf("ffmpeg, the same AVI, then synced        %7.2f s  ours / theirs %.2f (target at most 0.8)\n", synced,
                        made / synced);
        }
        QFile::remove(ours);
        QFile::remove(theirs);
        if (std::isnan(made)) return 1;
    }

    const int pictures = smoke ? 3 : 30;
    dir.mkdir("mpeg");
    const QString small = MakeAlbum(QDir(dir.filePath("mpeg")), smoke ? QSize(160, 120) : QSize(640, 480), pictures);
    const QString movie = dir.filePath("small.avi");
    if (!RunTool(cli, {"movie", small, movie})) return 1;
    const double encoded = Once(avimpg, {movie, dir.filePath("ours.mpg")});
    std::printf("avimpg, %d pictures                    %7.2f s\n", pictures, encoded);
    if (ffmpeg) {
        const auto settings = AvimpgSettings(avimpg, movie, dir.filePath("ours.mpg"));
        const double theirs = Once("ffmpeg", FfmpegMpegArgs(settings, movie, dir.filePath("theirs.mpg")));
        std::printf("ffmpeg mpeg1video, the same settings   %7.2f s  ours / theirs %.2f (target at most 1.1)\n", theirs,
                    encoded / theirs);
    }
    return std::isnan(encoded) ? 1 : 0;
}
