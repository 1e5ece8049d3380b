// The folder tree on big folders beside the system's own tools, in one run with the ratios the
// product promises:
//   - albora-cli browse tree of a folder of 10,000 pictures (among other files) against find
//     listing the same pictures, sorted (target: within 4x), and 30,000 against 10,000 (within 4x:
//     no quadratic walk);
//   - 10,000 files made in a watched folder, all shown, against inotifywait reporting them, both
//     started together (target: within 3x);
//   - an album from a folder, 30,000 pictures against 10,000 (within 4x).
//   browse_bench ALBORA_CLI [--smoke]
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

namespace {

// COUNT empty files in DIR, a quarter of each of .jpg, .JPEG, .gif and .txt.
void Fill(const QString& dir, int count, const QString& prefix = QStringLiteral("f")) {
    static const char* kExtensions[] = {"jpg", "JPEG", "gif", "txt"};
    for (int i = 0; i < count; ++i) {
        const QByteArray path = QFile::encodeName(
            QStringLiteral("%1/%2%3.%4").arg(dir, prefix).arg(i, 6, 10, QChar('0')).arg(QLatin1String(kExtensions[i % 4])));
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) ::close(fd);
    }
}

double Find(const QString& dir) {
    return BestOf(3, [&] {
        return RunTool("sh", {"-c", "find \"$1\" -maxdepth 1 -type f \\( -iname '*.jpg' -o -iname '*.jpeg' -o -iname "
                                    "'*.gif' -o -iname '*.png' \\) | sort > /dev/null",
                              "sh", dir});
    });
}

double Tree(const QString& cli, const QString& dir) {
    return BestOf(3, [&] { return RunTool(cli, {"browse", "tree", dir}); });
}

double FromFolder(const QString& cli, const QString& dir, const QString& out) {
    return BestOf(1, [&] { return RunTool(cli, {"album", "from-folder", dir, out, "--mask", "*.jpg"}); });
}

// Seconds from the start of making COUNT files in an empty watched DIR until WATCHER has finished
// (it ends by itself once it has seen them all).
double Watched(QProcess& watcher, const QString& dir, int count, const std::function<bool()>& seenAll) {
    QThread::msleep(500);  // the watch is on before the files come
    QElapsedTimer timer;
    timer.start();
    Fill(dir, count, QStringLiteral("w"));
    while (!seenAll()) {
        if (!watcher.waitForReadyRead(60000) && watcher.state() != QProcess::Running) break;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    watcher.kill();
    watcher.waitForFinished();
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: browse_bench ALBORA_CLI [--smoke]\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]);
    const bool smoke = argc > 2 && QByteArray(argv[2]) == "--smoke";
    const int small = smoke ? 400 : 10000, large = 3 * small;
    QTemporaryDir temporary;
    const QDir root(temporary.path());
    root.mkpath("small");
    root.mkpath("large");
    // A quarter of each folder are not pictures; the counts above are the pictures'.
    Fill(root.filePath("small"), small * 4 / 3);
    Fill(root.filePath("large"), large * 4 / 3);

    const double find = Find(root.filePath("small"));
    const double tree = Tree(cli, root.filePath("small"));
    const double treeLarge = Tree(cli, root.filePath("large"));
    std::printf("browse tree, %d pictures: %.3f s; find | sort %.3f s; ratio %.2f (goal <= 4)\n", small, tree, find,
                tree / find);
    std::printf("browse tree, %d pictures: %.3f s; ratio to %d %.2f (goal <= 4)\n", large, treeLarge, small,
                treeLarge / tree);

    const double album = FromFolder(cli, root.filePath("small"), root.filePath("small.crp"));
    const double albumLarge = FromFolder(cli, root.filePath("large"), root.filePath("large.crp"));
    std::printf("album from folder, %d: %.3f s; %d: %.3f s; ratio %.2f (goal <= 4)\n", small, album, large, albumLarge,
                albumLarge / album);

    if (QStandardPaths::findExecutable("inotifywait").isEmpty()) {
        std::printf("inotifywait is not installed: the watch is not compared\n");
        return std::isnan(tree) || std::isnan(album) ? 1 : 0;
    }
    root.mkpath("ours");
    root.mkpath("theirs");
    QProcess ours;
    ours.start(cli, {"browse", "watch", root.filePath("ours"), "--until-files", QString::number(small * 3 / 4),
                     "--seconds", "600"});
    const double watchedOurs = Watched(ours, root.filePath("ours"), small,
                                       [&] { return ours.state() == QProcess::NotRunning || ours.waitForFinished(10); });
    QProcess theirs;
    theirs.start("inotifywait", {"-m", "-q", "-e", "create", "--format", "%f", root.filePath("theirs")});
    int lines = 0;
    const double watchedTheirs = Watched(theirs, root.filePath("theirs"), small, [&] {
        while (theirs.canReadLine()) {
            theirs.readLine();
            ++lines;
        }
        return lines >= small;
    });
    std::printf("%d new files shown: %.3f s; inotifywait %.3f s; ratio %.2f (goal <= 3)\n", small, watchedOurs,
                watchedTheirs, watchedOurs / watchedTheirs);
    return std::isnan(tree) || std::isnan(album) ? 1 : 0;
}
