#include "TestFiles.h"
#include "WavFile.h"
#include "platform/media/MciInterpreter.h"
#include "sound/LevelMeter.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString kTestSource = QStringLiteral("audiotestsrc is-live=true wave=sine freq=440 volume=0.6");

// Records for MS milliseconds with the format set by SETUP and returns the saved file.
WavFile Record(const QString& setup, int ms, const QString& path) {
    MciInterpreter mci(kTestSource);
    EXPECT_EQ(mci.SendString("open new type waveaudio alias albosrec buffer 6"), 0);
    EXPECT_EQ(mci.SendString(setup), 0);
    EXPECT_EQ(mci.SendString("record albosrec"), 0);
    QTest::qWait(ms);
    QString error;
    EXPECT_EQ(mci.SendString(QStringLiteral("save albosrec \"%1\"").arg(path), &error), 0)
        << error.toStdString();
    EXPECT_EQ(mci.SendString("close albosrec"), 0);
    return WavFile::Parse(ReadAll(path));
}
}  // namespace

TEST(Mci, UnknownWordsAndDevicesGiveErrors) {
    MciInterpreter mci(kTestSource);
    QString text;
    EXPECT_EQ(mci.SendString("record albosrec", &text), MciInterpreter::InvalidDeviceName);
    EXPECT_FALSE(text.isEmpty());
    EXPECT_EQ(mci.SendString("open new type cdaudio alias x"), MciInterpreter::CannotLoadDriver);
    ASSERT_EQ(mci.SendString("open new type waveaudio alias albosrec buffer 6"), 0);
    EXPECT_EQ(mci.SendString("open new type waveaudio alias ALBOSREC"), MciInterpreter::DeviceOpen);
    EXPECT_EQ(mci.SendString("set albosrec colour blue"), MciInterpreter::UnrecognizedKeyword);
    EXPECT_EQ(mci.SendString("set albosrec bitspersample twelve"), MciInterpreter::BadInteger);
    EXPECT_EQ(mci.SendString("set albosrec channels 5"), MciInterpreter::OutOfRange);
    EXPECT_EQ(mci.SendString("set albosrec time format ms bitspersample 8 channels 1 samplespersec 11025"), 0);
    EXPECT_EQ(mci.SendString("set albosrec alignment 4 bytespersec 88200 format tag pcm"), 0);
    EXPECT_EQ(mci.SendString("fly albosrec"), MciInterpreter::UnrecognizedCommand);
    EXPECT_EQ(mci.SendString("save albosrec x.wav"), MciInterpreter::DeviceNotReady);
    EXPECT_EQ(mci.SendString("close albosrec"), 0);
    EXPECT_EQ(mci.SendString("close albosrec"), MciInterpreter::InvalidDeviceName);
}

// A device of another library's type (the video overlay): it gets the words of every command
// sent to its alias, a quoted file name as one word, and goes with "close".
TEST(Mci, ARegisteredDeviceTypeGetsTheCommandsOfItsAliases) {
    class Recorder : public MciDevice {
    public:
        explicit Recorder(std::vector<QStringList>& seen) : m_seen(seen) {}
        ~Recorder() override { m_seen.push_back({"closed"}); }
        int Command(const QString& verb, const QStringList& words, QString&) override {
            m_seen.push_back(QStringList{verb} + words);
            return 0;
        }

    private:
        std::vector<QStringList>& m_seen;
    };
    std::vector<QStringList> seen;
    MciInterpreter mci(kTestSource);
    mci.RegisterDeviceType("Overlay", [&seen](const QStringList& options, int& error, QString& reason) {
        std::unique_ptr<MciDevice> device;
        if (options.contains("broken")) {
            error = MciInterpreter::Hardware;
            reason = "no camera";
        } else {
            seen.push_back(QStringList{"open"} + options);
            device = std::make_unique<Recorder>(seen);
        }
        return device;
    });
    ASSERT_EQ(mci.SendString("open overlay alias v shareable"), 0);
    EXPECT_EQ(seen.back(), (QStringList{"open", "shareable"}));
    EXPECT_EQ(mci.SendString("SAVE v \"my pictures/a b.bmp\" BMP type DIB 24-bit"), 0);
    EXPECT_EQ(seen.back(), (QStringList{"save", "my pictures/a b.bmp", "BMP", "type", "DIB", "24-bit"}));
    EXPECT_EQ(mci.SendString("open new type waveaudio alias V"), MciInterpreter::DeviceOpen);
    QString text;
    EXPECT_EQ(mci.SendString("open overlay alias w broken", &text), MciInterpreter::Hardware);
    EXPECT_EQ(text, "no camera");
    EXPECT_EQ(mci.SendString("open overlay"), MciInterpreter::MissingParameter);
    EXPECT_EQ(mci.SendString("close v"), 0);
    EXPECT_EQ(seen.back(), QStringList{"closed"});
    EXPECT_EQ(mci.SendString("put v frame"), MciInterpreter::InvalidDeviceName);
    EXPECT_EQ(mci.SendString("open new type waveaudio alias v buffer six"), MciInterpreter::BadInteger);
    EXPECT_EQ(mci.SendString("open new type waveaudio alias v buffer 6"), 0);
}

TEST(Mci, RecordsTheDefaultFormatThroughGstreamer) {
    ScopedTestDir dir;
    const WavFile wav = Record("set albosrec time format ms bitspersample 8 channels 1 samplespersec 11025",
                               700, dir.Path("a.wav"));
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.rate, 11025);
    EXPECT_EQ(wav.bits, 8);
    EXPECT_EQ(wav.blockAlign, 1);
    EXPECT_EQ(wav.byteRate, 11025);
    EXPECT_GT(wav.Seconds(), 0.35);
    EXPECT_LT(wav.Seconds(), 2.5);
    EXPECT_GT(LevelMeter::ChannelLevels(wav.samples, 8, 1)[0], 30);  // not silence
}

TEST(Mci, RecordsSixteenBitStereo) {
    ScopedTestDir dir;
    const WavFile wav = Record("set albosrec bitspersample 16 channels 2 samplespersec 22050", 500,
                               dir.Path("s.wav"));
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.rate, 22050);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.blockAlign, 4);
    EXPECT_EQ(wav.byteRate, 88200);
    EXPECT_EQ(wav.samples.size() % 4, 0);
    EXPECT_GT(wav.Seconds(), 0.25);
    const auto levels = LevelMeter::ChannelLevels(wav.samples, 16, 2);
    EXPECT_GT(levels[0], 30);
    EXPECT_GT(levels[1], 30);
}

TEST(Mci, WithoutASoundServerRecordingFailsAndSavesNothing) {
    ScopedTestDir dir;
    qputenv("PULSE_SERVER", "unix:/nonexistent/albora-test");
    MciInterpreter mci(QStringLiteral("pulsesrc"));
    ASSERT_EQ(mci.SendString("open new type waveaudio alias albosrec"), 0);
    EXPECT_EQ(mci.SendString("record albosrec"), MciInterpreter::Hardware);
    QString text;
    EXPECT_NE(mci.SendString(QStringLiteral("save albosrec %1").arg(dir.Path("n.wav")), &text), 0);
    EXPECT_FALSE(QFile::exists(dir.Path("n.wav")));
    qunsetenv("PULSE_SERVER");
}
