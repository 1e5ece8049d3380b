// The scanner half of the capture benchmark: a 10-page feeder session of SANE's test scanner as
// cards (albora-cli capture scan) beside scanimage --batch writing the same pages as PNM files
// (target: at most 2x its time).
//   capture_scan_bench ALBORA_CLI [--smoke]
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: capture_scan_bench ALBORA_CLI [--smoke]\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]);
    const bool smoke = argc > 2 && QByteArray(argv[2]) == "--smoke";
    if (QStandardPaths::findExecutable("scanimage").isEmpty()) {
        std::fprintf(stderr, "scanimage is not installed\n");
        return 1;
    }
    QTemporaryDir temporary;
    const QDir dir(temporary.path());
    // The test scanner alone, whatever this machine's SANE configuration says.
    QFile config(dir.filePath("dll.conf"));
    if (!config.open(QIODevice::WriteOnly) || config.write("test\n") != 5) return 1;
    config.close();
    qputenv("SANE_CONFIG_DIR", dir.path().toLocal8Bit());

    const QString dpi = smoke ? QStringLiteral("50") : QStringLiteral("600");
    const QStringList options{"--source", "Automatic Document Feeder", "--mode", "Color", "--resolution", dpi};
    const int rounds = smoke ? 1 : 3;
    int round = 0;
    const double ours = BestOf(rounds, [&] {
        const QDir run(dir.filePath(QStringLiteral("ours%1").arg(round++)));
        const QString album = run.filePath("scan.crp");
        return run.mkpath(".") && RunTool(cli, {"album", "new", album}) &&
               RunTool(cli, QStringList{"capture", "scan", album} + options + QStringList{"--set", "test-picture=Color pattern"});
    });
    round = 0;
    const double theirs = BestOf(rounds, [&] {
        const QDir run(dir.filePath(QStringLiteral("theirs%1").arg(round++)));
        // scanimage ends its batch with a failure status when the feeder runs empty.
        run.mkpath(".");
        RunTool("scanimage", QStringList{"-d", "test:0", "--format=pnm", "--test-picture", "Color pattern",
                                         "--batch=" + run.filePath("p%d.pnm")} + options);
        return run.entryList(QDir::Files).size() == 10;
    });
    std::printf("albora-cli capture scan, 10 pages at %s dpi colour   %7.3f s\n", qPrintable(dpi), ours);
    std::printf("scanimage --batch, the same pages                 %7.3f s  ours / theirs %.2f (target at most 2)\n", theirs,
                ours / theirs);
    return std::isnan(ours) || std::isnan(theirs) ? 1 : 0;
}
