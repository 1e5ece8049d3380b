#include "MovieFrames.h"
#include "RiffReader.h"
#include "TestFiles.h"
#include "../sound/PcmWav.h"
#include "../sound/WavChunks.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/ImageTestSupport.h"
#include "movie/AlbumMovie.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

namespace {

// An album of pictures in a folder of its own.
struct MovieAlbum {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};

    void Add(const QString& name, const CImageObject& picture, const QString& cardName = {}) {
        ASSERT_TRUE(picture.Clone().Save(dir.Path(name)));
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = dir.Path(name);
        card->m_strName = cardName;
        doc.Db().List().AddTail(card);
    }
    AlbumMovieResult Make(const AlbumMovieOptions& options = {}) {
        return MakeMovieFromAlbum(doc, ui, dir.Path("movie.avi"), options);
    }
};

}  // namespace

TEST(AlbumMovie, EveryCardBecomesAPictureAndTheBoxComesWhenTheMovieIsWhole) {
    MovieAlbum a;
    for (int i = 0; i < 5; ++i) a.Add(QStringLiteral("p%1.png").arg(i), MakeColour(40, 30));
    EXPECT_EQ(a.Make(), AlbumMovieResult::Complete);
    EXPECT_EQ(a.ui.LastMessage(), QStringLiteral("Message:\nAVI movie created!"));
    EXPECT_EQ(a.ui.ProgressSteps(), 5);
    CImageObject first;
    EXPECT_TRUE(first.Load(a.dir.Path("movie.avi"), IMAGE_AVI));
}

namespace {

// The pictures of the movie at PATH, in order: each frame's first pixel, top left.
std::vector<Rgb> FirstPixels(const QString& path) {
    const RiffChunk riff = ReadRiff(ReadAll(path));
    const RiffChunk* format = nullptr;  // the video stream's BITMAPINFOHEADER
    for (const RiffChunk& strl : riff.Find("hdrl")->children)
        if (strl.type == QLatin1String("strl") && strl.children.at(0).data.startsWith("vids")) format = &strl.children.at(1);
    std::vector<Rgb> pixels;
    if (!format) return pixels;
    const int width = int(format->U32(4)), height = int(format->U32(8));
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    for (const RiffChunk& chunk : riff.Find("movi")->children)
        if (chunk.id == QLatin1String("00db") && !chunk.data.isEmpty()) {
            const auto* top = reinterpret_cast<const uchar*>(chunk.data.constData()) + qsizetype(height - 1) * rowBytes;
            pixels.push_back(Rgb{top[2], top[1], top[0]});
        }
    return pixels;
}

}  // namespace

TEST(AlbumMovie, ACardThatCannotBeShownStandsAsTheErrorSlideAndTheSummaryNamesIt) {
    MovieAlbum a;
    a.Add("a.png", MakeColour(40, 30), QStringLiteral("First"));
    a.Add("b.png", MakeColour(40, 31), QStringLiteral("Other size"));
    a.Add("c.png", MakeColour(40, 30));
    a.dir.Write("cut.jpg", ReadAll(a.dir.Path("a.png")).left(60));
    a.Add("d.png", MakeColour(40, 30), QStringLiteral("Cut"));
    a.doc.Db().List().GetAt(3)->m_strGraphic = a.dir.Path("cut.jpg");
    a.dir.Write("movie.avi", "older");
    EXPECT_EQ(a.Make(), AlbumMovieResult::Partial);
    ASSERT_EQ(a.ui.Messages().size(), 1u);
    const QString summary = a.ui.LastMessage();
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Error:\nThe AVI movie was made on:\n") + a.dir.Path("movie.avi")));
    EXPECT_TRUE(summary.contains(QStringLiteral("Other size (%1): 40x31 where the movie is 40x30").arg(a.dir.Path("b.png"))))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("Cut (%1): ").arg(a.dir.Path("cut.jpg")))) << summary.toStdString();
    EXPECT_FALSE(summary.contains(QStringLiteral("First")));
    // Every card keeps its place: the stand-ins are the error slide's blue.
    const std::vector<Rgb> frames = FirstPixels(a.dir.Path("movie.avi"));
    ASSERT_EQ(frames.size(), 4u);
    const Rgb picture = frames[0];
    EXPECT_EQ(frames[2], picture);
    for (const std::size_t standIn : {1u, 3u}) {
        EXPECT_NE(frames[standIn], picture);
        EXPECT_GT(frames[standIn].b, frames[standIn].r);
    }
}

TEST(AlbumMovie, CardsBeforeTheFirstPictureWaitForItsSizeAndKeepTheirPlaces) {
    MovieAlbum a;
    a.Add("a.png", MakeColour(40, 30));
    a.Add("b.png", MakeColour(40, 30));
    a.doc.Db().List().GetAt(0)->m_strGraphic = a.dir.Path("gone.png");
    EXPECT_EQ(a.Make(), AlbumMovieResult::Partial);
    EXPECT_TRUE(a.ui.LastMessage().contains(QStringLiteral("\n%1: the file is missing").arg(a.dir.Path("gone.png"))))
        << a.ui.LastMessage().toStdString();
    const std::vector<Rgb> frames = FirstPixels(a.dir.Path("movie.avi"));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_GT(frames[0].b, frames[0].r);

    // With no picture at all there is no movie, and an older one stays.
    MovieAlbum none;
    none.Add("a.png", MakeColour(40, 30));
    none.doc.Db().List().GetAt(0)->m_strGraphic = none.dir.Path("note.wav");
    none.dir.Write("movie.avi", "older");
    EXPECT_EQ(none.Make(), AlbumMovieResult::NotMade);
    EXPECT_EQ(none.ui.LastMessage(),
              QStringLiteral("Error:\nCan't create AVI movie!\nNo card has a picture the movie can show."));
    EXPECT_EQ(ReadAll(none.dir.Path("movie.avi")), "older");
}

TEST(AlbumMovie, NeverWritesOverTheAlbumACardsFileOrItsCompanions) {
    MovieAlbum a;
    a.Add("a.png", MakeColour(40, 30), QStringLiteral("Harbour"));
    a.dir.Write("a.wav", "note");
    a.dir.Write("album.crp", "album");
    a.doc.SetPathName(a.dir.Path("album.crp"));
    ASSERT_TRUE(QFile::link(a.dir.Path("a.png"), a.dir.Path("link.avi")));
    const std::pair<QString, QString> targets[] = {
        {a.dir.Path("album.crp"), QStringLiteral("the open album")},
        {a.dir.Path("sub/../a.png"), QStringLiteral("the file of card \"Harbour\"")},
        {a.dir.Path("link.avi"), QStringLiteral("the file of card \"Harbour\"")},
        {a.dir.Path("a.wav"), QStringLiteral("the sound note of card \"Harbour\"")}};
    QDir().mkpath(a.dir.Path("sub"));
    const QByteArray picture = ReadAll(a.dir.Path("a.png"));
    for (const auto& [target, what] : targets) {
        EXPECT_EQ(MakeMovieFromAlbum(a.doc, a.ui, target, {}), AlbumMovieResult::NotMade);
        EXPECT_EQ(a.ui.LastMessage(), QStringLiteral("Error:\n%1 is %2: it is left as it is.").arg(target, what));
    }
    EXPECT_EQ(ReadAll(a.dir.Path("a.png")), picture);
    EXPECT_EQ(ReadAll(a.dir.Path("album.crp")), "album");
    EXPECT_EQ(ReadAll(a.dir.Path("a.wav")), "note");
}

namespace {

// A 16-colour picture of stripes whose palette starts at SHADE.
CImageObject Striped(int shade) {
    CImageObject image;
    image.Create(48, 32, 8);
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < 16; ++i)
        rgb.insert(rgb.end(), {std::uint8_t(shade + 7 * i), std::uint8_t(200 - 9 * i), std::uint8_t(3 * shade + 5 * i)});
    image.SetPaletteFromTriples(16, rgb.data());
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) image.SetPixelIndex(x, y, (x / 3 + y) % 16);
    return image;
}

}  // namespace

// A movie has one palette and an album's pictures each their own: every picture keeps its colours.
TEST(AlbumMovie, PicturesOfDifferentPalettesShowTheirOwnColours) {
    MovieAlbum a;
    const CImageObject pictures[] = {Striped(0), Striped(40)};
    a.Add("a.gif", pictures[0]);
    a.Add("b.gif", pictures[1]);
    ASSERT_EQ(a.Make(), AlbumMovieResult::Complete) << a.ui.LastMessage().toStdString();
    CImageObject ours;
    ASSERT_TRUE(ours.Load(a.dir.Path("movie.avi"), IMAGE_AVI));
    EXPECT_GE(Psnr(pictures[0], ours), 30);
    if (!HaveFfmpeg()) GTEST_SKIP() << "needs ffmpeg";
    for (int i = 0; i < 2; ++i)
        EXPECT_GE(Psnr(pictures[i], FrameOf(a.dir.Path("movie.avi"), i * AviMovieWriter::kPeriodsPerPicture)), 30)
            << "picture " << i;
}

TEST(AlbumMovie, FitScalesEveryPictureIntoTheFrameOnBlack) {
    MovieAlbum a;
    a.Add("wide.png", MakeColour(80, 30));
    a.Add("tall.jpg", MakeColour(20, 60));
    a.Add("few.gif", MakeIndexed(30, 30, 16));
    AlbumMovieOptions options;
    options.fit = QSize(64, 48);
    EXPECT_EQ(a.Make(options), AlbumMovieResult::Complete);
    const std::optional<CImageObject> tall = MovieFrame(a.dir.Path("tall.jpg"), options);
    ASSERT_TRUE(tall);
    EXPECT_EQ(QSize(tall->GetWidth(), tall->GetHeight()), QSize(64, 48));
    EXPECT_EQ(tall->GetBitsPerPixel(), 24);
    EXPECT_EQ(TopDownPixel(*tall, 2, 24), (Rgb{0, 0, 0}));  // a bar left of the picture
    EXPECT_NE(TopDownPixel(*tall, 32, 24), (Rgb{0, 0, 0}));
}

TEST(AlbumMovie, EscWritesNothingAndLeavesTheOlderMovie) {
    MovieAlbum a;
    for (int i = 0; i < 8; ++i) a.Add(QStringLiteral("p%1.png").arg(i), MakeColour(40, 30));
    a.dir.Write("movie.avi", "older");
    a.ui.CancelAfterSteps(2);
    EXPECT_EQ(a.Make(), AlbumMovieResult::NotMade);
    EXPECT_EQ(ReadAll(a.dir.Path("movie.avi")), "older");
    EXPECT_TRUE(a.ui.Messages().empty());
}

TEST(AlbumMovie, AFullDiskIsToldAndTheOlderMovieStays) {
    ScopedTestDir seed, result;
    ASSERT_TRUE(MakeColour(200, 150).Save(seed.Path("p.png")));
    seed.Write("movie.avi", "older");
    ASSERT_EQ(Cli({"album", "new", seed.Path("a.crp")}).code, 0);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(Cli({"album", "add", seed.Path("a.crp"), "p.png"}).code, 0);
    const auto run = RunOnFullDisk(seed.Path(), result.Path(), QStringLiteral(ALBORA_CLI_PATH),
                                   {"movie", "a.crp", "movie.avi"});
    if (!run) GTEST_SKIP() << "needs a private mount namespace";
    EXPECT_EQ(run->code, 1);
    EXPECT_TRUE(run->err.contains(QStringLiteral("Error:\nCan't create AVI movie!\nmovie.avi: No space left on device")))
        << run->err.toStdString();
    EXPECT_EQ(ReadAll(result.Path("movie.avi")), "older");
    EXPECT_EQ(QDir(result.Path()).entryList({"movie.avi*"}, QDir::Files | QDir::Hidden).size(), 1);
}

TEST(AlbumMovie, SoundNotesMakeOneTrackAtTheirHighestRateAndEachCardStandsAsLongAsItsNote) {
    MovieAlbum a;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) a.Add(QString::fromLatin1(name), MakeColour(40, 30));
    a.dir.Write("a.wav", PcmWav(22050, 1, 2.0));
    a.dir.Write("c.wav", PcmWav(44100, 2, 0.3));
    a.dir.Write("d.wav", QByteArray(4000, 'x'));
    AlbumMovieOptions options;
    options.sound = true;
    // A note that cannot be heard leaves its card silent, and the summary says so.
    EXPECT_EQ(a.Make(options), AlbumMovieResult::Partial);
    EXPECT_TRUE(a.ui.LastMessage().contains(QStringLiteral("its sound note %1 is not used").arg(a.dir.Path("d.wav"))))
        << a.ui.LastMessage().toStdString();

    const RiffChunk riff = ReadRiff(ReadAll(a.dir.Path("movie.avi")));
    const RiffChunk* idx1 = riff.Find("idx1");
    ASSERT_TRUE(idx1);
    std::vector<int> pictureAt;  // the period at which each picture begins
    QByteArray audio;
    int period = 0;
    const RiffChunk* movi = riff.Find("movi");
    for (const RiffChunk& chunk : movi->children) {
        if (chunk.id == QLatin1String("00db")) {
            if (!chunk.data.isEmpty()) pictureAt.push_back(period);
            ++period;
        }
        if (chunk.id == QLatin1String("01wb")) audio += chunk.data;
    }
    // Two seconds are 30 periods; a short note or none still gives 10.
    EXPECT_EQ(pictureAt, (std::vector<int>{0, 30, 40, 50}));
    EXPECT_EQ(period, 60);
    const RiffChunk* strf = nullptr;
    for (const RiffChunk& strl : riff.Find("hdrl")->children)
        if (strl.type == QLatin1String("strl") && strl.children.at(0).data.startsWith("auds")) strf = &strl.children.at(1);
    ASSERT_TRUE(strf);
    EXPECT_EQ(strf->U16(2), 2);          // channels
    EXPECT_EQ(strf->U32(4), 44100u);     // rate
    EXPECT_EQ(audio.size(), 4 * 44100 * 4);
    const auto loud = [&audio](double from, double to) {
        for (qsizetype at = qsizetype(from * 44100) * 4; at < qsizetype(to * 44100) * 4; at += 2)
            if (qAbs(qFromLittleEndian<qint16>(audio.constData() + at)) > 1000) return true;
        return false;
    };
    EXPECT_TRUE(loud(0.5, 1.5));
    EXPECT_FALSE(loud(2.05, 2.6));  // the card without a note
    EXPECT_TRUE(loud(2.7, 2.9));
    EXPECT_FALSE(loud(3.35, 4.0));  // the card whose note is no sound
}

// A note claiming a rate no recorder makes is left out and named, and the movie is made with the
// other notes' track.
TEST(AlbumMovie, ANoteWithAnImplausibleHeaderIsLeftOutAndNamed) {
    MovieAlbum a;
    for (const char* name : {"a.png", "b.png"}) a.Add(QString::fromLatin1(name), MakeColour(40, 30));
    a.dir.Write("a.wav", PcmWav(22050, 1, 0.5));
    QByteArray wild = PcmWav(8000, 1, 0.25);
    qToLittleEndian<quint32>(2147483647u, wild.data() + 24);
    a.dir.Write("b.wav", wild);
    AlbumMovieOptions options;
    options.sound = true;
    EXPECT_EQ(a.Make(options), AlbumMovieResult::Partial);
    EXPECT_TRUE(a.ui.LastMessage().contains(
        QStringLiteral("its sound note %1 is not used (implausible sample rate of 2147483647 Hz)").arg(a.dir.Path("b.wav"))))
        << a.ui.LastMessage().toStdString();
    const RiffChunk riff = ReadRiff(ReadAll(a.dir.Path("movie.avi")));
    for (const RiffChunk& strl : riff.Find("hdrl")->children)
        if (strl.type == QLatin1String("strl") && strl.children.at(0).data.startsWith("auds")) {
            EXPECT_EQ(strl.children.at(1).U32(4), 22050u);
        }
}

// The 11 kHz notes of old cameras: 8-bit mono with an odd count of bytes.
TEST(AlbumMovie, AnOddEightBitNoteIsHeardForItsWholeLength) {
    MovieAlbum a;
    a.Add("a.png", MakeColour(40, 30));
    QByteArray samples;
    for (int i = 0; i < 11025; ++i) samples += char(i % 2 ? 0xC0 : 0x40);
    a.dir.Write("a.wav", WavChunks::Wav(1, 1, 11025, 8, samples));
    AlbumMovieOptions options;
    options.sound = true;
    ASSERT_EQ(a.Make(options), AlbumMovieResult::Complete) << a.ui.LastMessage().toStdString();
    const RiffChunk riff = ReadRiff(ReadAll(a.dir.Path("movie.avi")));
    QByteArray audio;
    for (const RiffChunk& chunk : riff.Find("movi")->children)
        if (chunk.id == QLatin1String("01wb")) audio += chunk.data;
    ASSERT_EQ(audio.size(), 11025 * 2);
    EXPECT_EQ(qFromLittleEndian<qint16>(audio.constData()), -16384);
    EXPECT_EQ(qFromLittleEndian<qint16>(audio.constData() + audio.size() - 4), 16384);
}

// With no note to give the track its format, a note that cannot be heard is still named.
TEST(AlbumMovie, TheOnlyNoteThatCannotBeHeardIsNamed) {
    MovieAlbum a;
    a.Add("a.png", MakeColour(40, 30));
    a.dir.Write("a.wav", WavChunks::Riff({WavChunks::Chunk("fmt ", WavChunks::Format(1, 1, 8000, 16))}));
    AlbumMovieOptions options;
    options.sound = true;
    EXPECT_EQ(a.Make(options), AlbumMovieResult::Partial);
    EXPECT_TRUE(a.ui.LastMessage().contains(
        QStringLiteral("its sound note %1 is not used (no data chunk)").arg(a.dir.Path("a.wav"))))
        << a.ui.LastMessage().toStdString();
}

TEST(AlbumMovie, PeriodsForSoundRoundUpButNeverBelowAPictureAlone) {
    EXPECT_EQ(PeriodsForSound(0), 10);
    EXPECT_EQ(PeriodsForSound(0.6), 10);
    EXPECT_EQ(PeriodsForSound(0.7), 11);
    EXPECT_EQ(PeriodsForSound(2.0), 30);
    EXPECT_EQ(PeriodsForSound(2.01), 31);
}

TEST(AlbumMovie, CaptionsWriteTheCardTextOverEveryFrameIn24Bits) {
    MovieAlbum a;
    a.Add("grey.gif", MakeIndexed(200, 100, 16), QStringLiteral("Harbour"));
    a.Add("colour.png", MakeColour(200, 100), QStringLiteral("Quay"));
    AlbumMovieOptions options;
    options.captions = true;
    EXPECT_EQ(a.Make(options), AlbumMovieResult::Complete);

    CImageObject plain;
    ASSERT_TRUE(plain.Create(200, 100, 24));
    const CImageObject captioned = CaptionedFrame(plain, QStringLiteral("Harbour\nat night"));
    EXPECT_EQ(captioned.GetBitsPerPixel(), 24);
    int light = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            const Rgb pixel = TopDownPixel(captioned, x, y);
            light += pixel.r > 160 && pixel.g > 160 && pixel.b > 160;
        }
    EXPECT_GT(light, 20);
    EXPECT_EQ(TopDownPixel(captioned, 190, 90), (Rgb{0, 0, 0}));  // away from the text
}

// A caption reads alike on a frame of any size: its text grows with the frame and keeps off the edges.
TEST(AlbumMovie, CaptionsGrowWithTheFrameAndKeepAMargin) {
    const auto litRows = [](int width, int height) {
        CImageObject plain;
        EXPECT_TRUE(plain.Create(width, height, 24));
        const CImageObject captioned = CaptionedFrame(plain, QStringLiteral("Harbour"));
        QRect lit;
        for (int y = 0; y < height / 4; ++y)
            for (int x = 0; x < width / 2; ++x)
                if (TopDownPixel(captioned, x, y).r > 160) lit |= QRect(x, y, 1, 1);
        return lit;
    };
    const QRect small = litRows(1024, 768), large = litRows(2048, 1536);
    ASSERT_FALSE(small.isEmpty());
    ASSERT_FALSE(large.isEmpty());
    EXPECT_GE(large.height(), 1536 / 80);
    EXPECT_NEAR(double(large.height()) / small.height(), 2.0, 0.4);
    EXPECT_GE(large.top(), 1536 / 80);
    EXPECT_GE(large.left(), 1536 / 80);
}

TEST(AlbumMovie, FrameSizesAreReadAsTheCommandLineAndTheSettingWriteThem) {
    AlbumMovieOptions options;
    ASSERT_TRUE(ParseMovieFit(QStringLiteral("640x480"), options));
    EXPECT_EQ(options.fit, QSize(640, 480));
    EXPECT_EQ(options.filter, ImageTransforms::Filter::Box);
    ASSERT_TRUE(ParseMovieFit(QStringLiteral("320x200:gaussian"), options));
    EXPECT_EQ(MovieFitText(options), QStringLiteral("320x200:GAUSSIAN"));
    for (const char* bad : {"", "1x5", "640x", "9000x10", "640x480:sharp", "640 x 480"}) {
        AlbumMovieOptions untouched;
        EXPECT_FALSE(ParseMovieFit(QString::fromLatin1(bad), untouched)) << bad;
        EXPECT_TRUE(untouched.fit.isEmpty());
    }
    EXPECT_TRUE(MovieFitText({}).isEmpty());
}
