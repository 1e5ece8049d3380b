// The screen as a card beside ImageMagick taking the same screen, with the ratios the product
// promises (target: at most 1.5 of import's time):
//   - albora-cli capture screen --desktop (a BMP card) against import -window root shot.bmp;
//   - the same as JPEG (--jpg --quality 90) against import -quality 90 shot.jpg.
// A 1920x1080 Xvfb of its own shows a photograph on its root, so the JPEG has something to do.
//   capture_screen_bench ALBORA_CLI [--smoke]
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

// An Xvfb on a free display; stopped with the object.
class Server {
public:
    Server(QSize size) {
        m_process.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0",
                                                 QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                                                 "-nolisten", "tcp"});
        if (m_process.waitForReadyRead(10000)) m_display = QLatin1Char(':') + QString::fromLatin1(m_process.readLine().trimmed());
    }
    ~Server() {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    const QString& Display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: capture_screen_bench ALBORA_CLI [--smoke]\n");
        return 2;
    }
    const bool smoke = args.contains(QStringLiteral("--smoke"));
    const QString cli = args[1];
    const QSize size = smoke ? QSize(320, 240) : QSize(1920, 1080);
    const int rounds = smoke ? 1 : 5;

    Server server(size);
    if (server.Display().isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    qputenv("DISPLAY", server.Display().toLatin1());
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString photo = folder.filePath(QStringLiteral("photo.bmp"));
    const QString album = folder.filePath(QStringLiteral("album.crp"));
    if (!MakePhoto(size.width(), size.height()).Save(photo) || !RunTool(cli, {"album", "new", album})) {
        std::fprintf(stderr, "the picture or the album could not be made\n");
        return 1;
    }
    // Without a window manager the viewer's window sits at the corner, covering the screen.
    QProcess viewer;
    viewer.start(QStringLiteral("display"), {"-geometry", "+0+0", "-borderwidth", "0", photo});
    if (!viewer.waitForStarted() || viewer.waitForFinished(1500)) {
        std::fprintf(stderr, "the picture could not be shown\n");
        return 1;
    }

    const QString shotBmp = folder.filePath(QStringLiteral("shot.bmp"));
    const QString shotJpg = folder.filePath(QStringLiteral("shot.jpg"));
    const double ourBmp = BestOf(rounds, [&] { return RunTool(cli, {"capture", "screen", album, "--desktop"}); });
    const double theirBmp =
        BestOf(rounds, [&] { return RunTool(QStringLiteral("import"), {"-window", "root", shotBmp}); });
    const double ourJpg = BestOf(
        rounds, [&] { return RunTool(cli, {"capture", "screen", album, "--desktop", "--jpg", "--quality", "90"}); });
    const double theirJpg = BestOf(
        rounds, [&] { return RunTool(QStringLiteral("import"), {"-window", "root", "-quality", "90", shotJpg}); });

    std::printf("%dx%d desktop to a card:\n", size.width(), size.height());
    std::printf("  BMP   albora-cli %.3f s  import %.3f s  ratio %.2f (goal <= 1.5)\n", ourBmp, theirBmp, ourBmp / theirBmp);
    std::printf("  JPEG  albora-cli %.3f s  import %.3f s  ratio %.2f (goal <= 1.5)\n", ourJpg, theirJpg, ourJpg / theirJpg);
    viewer.kill();
    viewer.waitForFinished();
    return std::isnan(ourBmp + theirBmp + ourJpg + theirJpg) ? 1 : 0;
}
