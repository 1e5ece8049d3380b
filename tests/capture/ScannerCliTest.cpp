// albora-cli capture scan against SANE's test scanner, checked pixel for pixel against scanimage.
#include "TestFiles.h"

#include "album/AlbumFile.h"
#include "image/CImageObject.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// SANE's test scanner, without touching the system's configuration.
struct SaneTestScanner : ::testing::Environment {
    void SetUp() override { qputenv("SANE_CONFIG_DIR", ALBORA_TESTS_DIR "/capture/sane"); }
};
const auto* const g_scanner = ::testing::AddGlobalTestEnvironment(new SaneTestScanner);

// A netpbm picture as 8-bit RGB (16-bit samples keep their high byte, as the scanner's DIB does).
QImage ReadPnm(const QByteArray& bytes) {
    int at = 0;
    auto word = [&] {
        while (at < bytes.size() && (std::isspace(uchar(bytes[at])) || bytes[at] == '#')) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n') ++at;
            else
                ++at;
        }
        const int start = at;
        while (at < bytes.size() && !std::isspace(uchar(bytes[at]))) ++at;
        return bytes.mid(start, at - start);
    };
    const QByteArray magic = word();
    const int w = word().toInt(), h = word().toInt();
    const int maxval = magic == "P4" ? 1 : word().toInt();
    ++at;
    const int channels = magic == "P6" ? 3 : 1;
    const int sampleBytes = maxval > 255 ? 2 : 1;
    QImage image(w, h, QImage::Format_RGB888);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData() + at);
    const int lineBytes = magic == "P4" ? (w + 7) / 8 : w * channels * sampleBytes;
    if (w <= 0 || h <= 0 || bytes.size() - at < qint64(lineBytes) * h) return {};
    for (int y = 0; y < h; ++y) {
        const uchar* line = data + std::size_t(y) * lineBytes;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            for (int c = 0; c < 3; ++c) {
                int v;
                if (magic == "P4") v = (line[x / 8] & (0x80 >> (x % 8))) ? 0 : 255;
                else v = line[(x * channels + (channels == 3 ? c : 0)) * sampleBytes];  // high byte first
                out[3 * x + c] = uchar(v);
            }
        }
    }
    return image;
}

QImage Scanimage(const QStringList& options) {
    const ProgramRun run = RunProgram(QStringLiteral("scanimage"),
                                      QStringList{"-d", "test:0", "--format=pnm"} + options);
    return ReadPnm(run.out);
}

QImage Scanned(const QString& path) { return CImageObject(path).MakeBitmap().convertToFormat(QImage::Format_RGB888); }

// OPTIONS for both programs: "--name=value" as scanimage takes them, "--set name=value" for ours.
ProgramRun ScanWithOptions(const QString& album, const QStringList& options, const QStringList& extra = {}) {
    QStringList args{"capture", "scan", album};
    for (const QString& option : options) args << "--set" << option.mid(2);
    return Cli(args + extra);
}

const QStringList kSmall{"--resolution=25", "--test-picture=Color pattern"};

}  // namespace

TEST(ScannerCli, FeederPagesBecomeCardsEqualToScanimagesPages) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    const QStringList options = kSmall + QStringList{"--mode=Color", "--source=Automatic Document Feeder"};
    const ProgramRun run = ScanWithOptions(dir.Path("a.crp"), options);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    QStringList expected;
    for (int i = 0; i < 10; ++i) expected << QStringLiteral("IMG_%1.bmp").arg(i, 4, 10, QLatin1Char('0'));
    EXPECT_EQ(CliCardNames("a.crp"), expected);
    // The test scanner's pages are all alike; the first and the last stand for them.
    const QImage reference = Scanimage(options);
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(Scanned("IMG_0000.bmp"), reference);
    EXPECT_EQ(Scanned("IMG_0009.bmp"), reference);

    // --pages stops the feeder; JPEG pages leave no scratch bitmap behind.
    ASSERT_EQ(Cli({"album", "new", "b.crp"}).code, 0);
    const ProgramRun three = ScanWithOptions(dir.Path("b.crp"), options, {"--pages", "3", "--jpg"});
    ASSERT_EQ(three.code, 0) << three.err.toStdString();
    EXPECT_EQ(CliCardNames("b.crp"), (QStringList{"IMG_0000.jpg", "IMG_0001.jpg", "IMG_0002.jpg"}));
    EXPECT_FALSE(QFileInfo::exists("IMG_0003.jpg"));
    EXPECT_TRUE(QDir().entryList({"tempfoto*", "~*"}, QDir::Files).isEmpty());
}

TEST(ScannerCli, EveryFrameKindMatchesScanimage) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    const QList<QStringList> kinds{
        {"--mode=Color", "--three-pass=yes"},
        {"--mode=Color", "--three-pass=yes", "--three-pass-order=BGR"},
        {"--mode=Color", "--depth=16"},
        {"--mode=Gray", "--depth=16"},
        {"--mode=Gray", "--depth=1"},
        {"--mode=Gray"},
        {"--mode=Color", "--ppl-loss=7"},
        {"--mode=Color", "--hand-scanner=yes"},
        {"--mode=Color", "--read-limit=yes", "--read-limit-size=77"},
    };
    int page = 0;
    for (const QStringList& kind : kinds) {
        SCOPED_TRACE(kind.join(' ').toStdString());
        const QStringList options = kSmall + kind;
        const ProgramRun run = ScanWithOptions(dir.Path("a.crp"), options);
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
        // scanimage writes the wasted pixels into its lines; they are the full line's last ones.
        const bool loss = kind.contains("--ppl-loss=7");
        QImage reference = Scanimage(loss ? kSmall + QStringList{"--mode=Color"} : options);
        ASSERT_FALSE(reference.isNull());
        if (loss) reference = reference.copy(0, 0, reference.width() - 7, reference.height());
        EXPECT_EQ(Scanned(QStringLiteral("IMG_%1.bmp").arg(page++, 4, 10, QLatin1Char('0'))), reference);
    }
}

TEST(ScannerCli, AJammedFeederGivesTheMessageAndNoCard) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    const QByteArray before = ReadAll("a.crp");
    const ProgramRun run = ScanWithOptions(dir.Path("a.crp"), kSmall + QStringList{"--read-return-value=SANE_STATUS_JAMMED"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("A scanner error occurred.")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Document feeder jammed")) << run.err.toStdString();
    EXPECT_EQ(ReadAll("a.crp"), before);
    EXPECT_TRUE(QDir().entryList({"IMG_*"}, QDir::Files).isEmpty());

    // Wrong words are refused before anything is scanned.
    EXPECT_EQ(ScanWithOptions(dir.Path("a.crp"), {"--no-such-option=1"}).code, 1);
    EXPECT_EQ(Cli({"capture", "scan", "a.crp", "--device", "test:9"}).code, 1);
    EXPECT_EQ(Cli({"capture", "scan", "a.crp", "--set", "mode"}).code, 2);
    EXPECT_EQ(Cli({"capture", "scan", "missing.crp"}).code, 1);
}

// What the scanner makes of a value is said as scanimage says it: a value it rounds, and the
// values a list allows when it refuses one.
TEST(ScannerCli, ARoundedValueIsToldAndARefusedOneListsTheChoices) {
    ScopedTestDir dir;
    ASSERT_EQ(Cli({"album", "new", "a.crp"}).code, 0);
    const ProgramRun rounded =
        ScanWithOptions(dir.Path("a.crp"), {"--test-picture=Color pattern"}, {"--resolution", "5000", "--set", "br-x=20"});
    EXPECT_EQ(rounded.code, 0) << rounded.err.toStdString();
    EXPECT_TRUE(rounded.err.contains("rounded value of resolution from 5000 to 1200")) << rounded.err.toStdString();
    const ProgramRun refused = Cli({"capture", "scan", "a.crp", "--mode", "Sepia"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("It is one of: Gray, Color.")) << refused.err.toStdString();
}
