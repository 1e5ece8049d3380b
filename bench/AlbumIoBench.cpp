// Saves and opens albums, and makes albums from folders, of growing size and prints the times and
// how they scale: the cost per card must stay flat (linear growth), not rise with the album.
//   album_io_bench            1,000, 10,000 and 100,000 cards
//   album_io_bench --smoke    a quick run for CI
#include "album/AlbumFile.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/CFotoDB.h"
#include "platform/HeadlessUi.h"

#include <QDir>
#include <QFile>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

struct Timing {
    int cards;
    double saveMs;
    double openMs;
};

CFotoDB MakeAlbum(int cards) {
    CFotoDB db;
    for (int i = 0; i < cards; ++i) {
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = QStringLiteral("Holiday picture %1").arg(i);
        card->m_strDescription = QStringLiteral("Taken on the beach, afternoon light, card %1").arg(i);
        card->m_strGraphic = QStringLiteral("/home/ana/Pictures/2026/IMG_%1.jpg").arg(i, 6, 10, QChar('0'));
        db.List().AddTail(std::move(card));
    }
    return db;
}

Timing Measure(int cards, const QString& path) {
    const CFotoDB db = MakeAlbum(cards);
    QElapsedTimer timer;
    timer.start();
    if (!AlbumFile::WriteContents(path, db.Serialize(false))) std::fprintf(stderr, "save failed\n");
    const double saveMs = timer.nsecsElapsed() / 1e6;

    timer.restart();
    CFotoDB read;
    const auto contents = AlbumFile::ReadContents(path);
    if (!contents || !read.Deserialize(*contents) || read.GetCount() != cards)
        std::fprintf(stderr, "open failed\n");
    return {cards, saveMs, timer.nsecsElapsed() / 1e6};
}

// The album from a folder of FILES pictures whose names do not come in listing order.
double MeasureFromFolder(int files, const QString& folder) {
    QDir().mkpath(folder);
    for (int i = 0; i < files; ++i) {
        QFile file(QDir(folder).filePath(QStringLiteral("%1_IMG.jpg").arg((i * 7919) % files, 6, 10, QChar('0'))));
        file.open(QIODevice::WriteOnly);
    }
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc(ui, settings);
    QElapsedTimer timer;
    timer.start();
    if (!doc.NewAlbumFromFolder(folder) || doc.Db().GetCount() != files) std::fprintf(stderr, "from folder failed\n");
    return timer.nsecsElapsed() / 1e6;
}

void PrintScaling(const std::vector<int>& sizes, const std::vector<double>& ms, const char* what) {
    for (size_t i = 1; i < sizes.size(); ++i)
        std::printf("%d -> %d cards (%.0fx): %s %.1fx the time\n", sizes[i - 1], sizes[i],
                    double(sizes[i]) / sizes[i - 1], what, ms[i] / ms[i - 1]);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool smoke = argc > 1 && QByteArray(argv[1]) == "--smoke";
    const std::vector<int> sizes = smoke ? std::vector<int>{1000, 2000}
                                         : std::vector<int>{1000, 10000, 100000};
    QTemporaryDir dir;
    Measure(sizes.front(), dir.filePath("warm-up.crp"));  // first use of the libraries
    std::vector<Timing> timings;
    for (int cards : sizes) timings.push_back(Measure(cards, dir.filePath("bench.crp")));

    std::printf("%10s %12s %12s %14s %14s\n", "cards", "save ms", "open ms", "save us/card",
                "open us/card");
    for (const Timing& t : timings)
        std::printf("%10d %12.2f %12.2f %14.3f %14.3f\n", t.cards, t.saveMs, t.openMs,
                    1000 * t.saveMs / t.cards, 1000 * t.openMs / t.cards);
    std::printf("\n");
    for (size_t i = 1; i < timings.size(); ++i) {
        const Timing& a = timings[i - 1];
        const Timing& b = timings[i];
        std::printf("%d -> %d cards (%.0fx): save %.1fx, open %.1fx the time\n", a.cards, b.cards,
                    double(b.cards) / a.cards, b.saveMs / a.saveMs, b.openMs / a.openMs);
    }

    const std::vector<int> folders = smoke ? std::vector<int>{1000, 2000} : std::vector<int>{10000, 100000};
    std::vector<double> fromFolderMs;
    std::printf("\n%10s %16s %18s\n", "files", "from folder ms", "from folder us/card");
    for (int files : folders) {
        fromFolderMs.push_back(MeasureFromFolder(files, dir.filePath(QStringLiteral("folder%1").arg(files))));
        std::printf("%10d %16.2f %18.3f\n", files, fromFolderMs.back(), 1000 * fromFolderMs.back() / files);
    }
    PrintScaling(folders, fromFolderMs, "album from folder");
    return 0;
}
