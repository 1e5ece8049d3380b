// Saves and opens albums of growing size and prints the times and how they scale: the cost per
// card must stay flat (linear growth), not rise with the album.
//   album_io_bench            1,000, 10,000 and 100,000 cards
//   album_io_bench --smoke    a quick run for CI
#include "album/AlbumFile.h"
#include "album/CFotoDB.h"

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
    return 0;
}
