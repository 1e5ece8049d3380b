// The web-site generator on an album of photographs: albora-cli web beside vipsthumbnail making
// the same two sizes, a re-run with nothing changed, and ONEPAGE sites of growing albums, in one
// run with the ratios the product promises.
//   web_bench ALBORA_CLI              photo-like 2048x1536 JPEGs made here
//   web_bench ALBORA_CLI JPEG_FOLDER  the JPEGs of a folder, such as the photo corpus
//   web_bench ALBORA_CLI --smoke      a few small pictures, for CI
#include "BenchSupport.h"

#include "album/AlbumFile.h"
#include "album/CFotoDB.h"
#include "image/ImageLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString g_cli;

double Once(const QString& program, const QStringList& args) { return BestOf(1, [&] { return RunTool(program, args); }); }

// An album of COUNT cards over FILES, taken in turn.
QString MakeAlbum(const QString& dir, const QStringList& files, int count) {
    CFotoDB album;
    for (int i = 0; i < count; ++i) {
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = files[i % files.size()];
        card->m_strName = QStringLiteral("Card %1").arg(i + 1);
        album.List().AddTail(card);
    }
    const QString path = QDir(dir).filePath(QStringLiteral("album%1.crp").arg(count));
    AlbumFile::WriteContents(path, album.Serialize(false));
    return path;
}

QStringList WebRun(const QString& album, const QString& site, const QStringList& more = {}) {
    return QStringList{"web", album, site, "--picture", "1024x768", "--thumb", "160x120", "--quality", "90"} + more;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: web_bench ALBORA_CLI [--smoke | JPEG_FOLDER]\n");
        return 2;
    }
    g_cli = QString::fromLocal8Bit(argv[1]);
    const QString option = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const bool smoke = option == QLatin1String("--smoke");
    QTemporaryDir dir;
    QStringList files;
    if (option.isEmpty() || smoke) {
        const QSize size = smoke ? QSize(320, 240) : QSize(2048, 1536);
        ImageLibrary::SetJpegQuality(90);
        CImageObject photo = MakePhoto(size.width(), size.height());
        for (int i = 0; i < (smoke ? 3 : 50); ++i) {
            photo.SetPixelColor(i, 0, 255, 0, 0);  // no two alike
            files << dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QChar('0')));
            photo.Save(files.back());
        }
    } else {
        for (const QFileInfo& file : QDir(option).entryInfoList({"*.jpg", "*.jpeg", "*.JPG"}, QDir::Files, QDir::Name))
            files << file.absoluteFilePath();
    }
    if (files.isEmpty()) return 2;
    const int cards = smoke ? 6 : 500;
    std::printf("%d cards over %lld JPEGs\n\n", cards, qlonglong(files.size()));

    const QString album = MakeAlbum(dir.path(), files, cards);
    const QString site = dir.filePath("site");
    const double full = Once(g_cli, WebRun(album, site, {"--full"}));
    const double again = Once(g_cli, WebRun(album, site));
    std::printf("albora-cli web --full          %7.2f s  %6.1f ms a card\n", full, full * 1000 / cards);
    std::printf("  again, nothing changed       %7.2f s  again / full %.3f (target at most 0.05)\n", again, again / full);

    if (!QStandardPaths::findExecutable("vipsthumbnail").isEmpty()) {
        // Both sizes of every card, as the site holds them.
        QStringList inputs;
        for (int i = 0; i < cards; ++i) inputs << files[i % files.size()];
        QDir(dir.path()).mkdir("vips");
        double vips = 0;
        for (const char* box : {"1024x768", "160x120"})
            vips += Once("vipsthumbnail", QStringList{"-s", box, "-o", dir.filePath("vips/%s.jpg[Q=90]")} + inputs);
        std::printf("vipsthumbnail, both sizes      %7.2f s  ours / theirs %.2f (target at most 0.5)\n", vips, full / vips);
    }

    // The pages of ONEPAGE sites, the pictures already made: time a card should stay the same.
    for (int count : smoke ? std::vector<int>{3, 6} : std::vector<int>{250, 500, 999}) {
        const QString onePage = MakeAlbum(dir.path(), files, count);
        const QString onePageSite = dir.filePath(QStringLiteral("onepage%1").arg(count));
        const QStringList run = WebRun(onePage, onePageSite, {"--format", "onepage"});
        Once(g_cli, run);
        const double pages = Once(g_cli, run);
        std::printf("ONEPAGE %4d cards, re-run      %7.3f s  %6.3f ms a card\n", count, pages, pages * 1000 / count);
    }
    return 0;
}
