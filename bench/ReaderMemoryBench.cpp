// Peak memory and wall time of albora-cli on six small files that declare huge pictures (see
// Bombs.h): "image info", "image convert" to JPEG and "contact" of an album of that one file,
// each run under /usr/bin/time -v.
//   reader_memory_bench ALBORA_CLI                 the table
//   reader_memory_bench ALBORA_CLI --smoke         "info" only, for CI
//   reader_memory_bench ALBORA_CLI --write DIR     only writes the six files into DIR
#include "Bombs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

namespace {

struct Usage {
    double megabytes = 0;
    double seconds = 0;
    int exitCode = -1;
};

// "Maximum resident set size (kbytes): N" and "Elapsed (wall clock) time (h:mm:ss or m:ss): T".
Usage Measure(const QString& cli, const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral("/usr/bin/time"), QStringList{"-v", cli} + args);
    process.waitForFinished(1800000);
    const QString report = QString::fromLocal8Bit(process.readAllStandardError());
    Usage usage;
    usage.exitCode = process.exitCode();
    const auto rss = QRegularExpression(QStringLiteral("Maximum resident set size \\(kbytes\\): (\\d+)")).match(report);
    if (rss.hasMatch()) usage.megabytes = rss.captured(1).toDouble() / 1024;
    const auto wall = QRegularExpression(QStringLiteral("Elapsed \\(wall clock\\).*: (?:(\\d+):)?(\\d+):([\\d.]+)")).match(report);
    if (wall.hasMatch())
        usage.seconds = wall.captured(1).toDouble() * 3600 + wall.captured(2).toDouble() * 60 + wall.captured(3).toDouble();
    return usage;
}

bool WriteBombs(const QString& folder) {
    for (const Bombs::Bomb& bomb : Bombs::All()) {
        QFile file(QDir(folder).filePath(bomb.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bomb.bytes) != bomb.bytes.size()) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: reader_memory_bench ALBORA_CLI [--smoke | --write DIR]\n");
        return 2;
    }
    if (args.size() == 3 && args[1] == QStringLiteral("--write")) return WriteBombs(args[2]) ? 0 : 1;
    const QString cli = args[0];
    const bool smoke = args.contains(QStringLiteral("--smoke"));
    QTemporaryDir dir;
    if (!WriteBombs(dir.path())) return 1;
    std::printf("%-16s %-8s %10s %8s %5s\n", "file", "command", "peak MB", "seconds", "exit");
    bool measured = true;
    for (const Bombs::Bomb& bomb : Bombs::All()) {
        const QString path = QDir(dir.path()).filePath(bomb.name);
        const QString album = path + ".crp", out = path + ".out.jpg";
        QList<std::pair<const char*, QStringList>> runs{{"info", {"image", "info", path}}};
        if (!smoke) {
            QProcess::execute(cli, {"album", "new", album});
            QProcess::execute(cli, {"album", "add", album, path});
            runs.append({"convert", {"image", "convert", path, out}});
            runs.append({"contact", {"contact", album, path + ".sheet.png"}});
        }
        for (const auto& [command, commandArgs] : runs) {
            const Usage usage = Measure(cli, commandArgs);
            measured = measured && usage.megabytes > 0;
            std::printf("%-16s %-8s %10.0f %8.2f %5d\n", qPrintable(bomb.name), command, usage.megabytes,
                        usage.seconds, usage.exitCode);
        }
        QFile::remove(out);
    }
    return measured ? 0 : 1;
}
