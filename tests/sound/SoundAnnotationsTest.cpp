#include "TestFiles.h"
#include "WavChunks.h"
#include "WavFile.h"
#include "album/CAppSettings.h"
#include "platform/HeadlessUi.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"
#include "sound/SoundAnnotations.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Fixture {
    HeadlessUi ui;
    CAppSettings settings;
    MciInterpreter mci{QStringLiteral("audiotestsrc is-live=true wave=sine volume=0.5")};
    SoundPlayer player;
    SoundAnnotations sound{ui, settings, mci, player};

    // Answers both prompts OK and lets the microphone run for a moment before the second.
    void RecordFor(int ms) {
        ui.onMessage = [ms](const HeadlessUi::Message& m) {
            if (m.text.startsWith(QStringLiteral("Recording..."))) QTest::qWait(ms);
        };
    }
};

}  // namespace

TEST(SoundAnnotations, RecordsBesideTheObjectUnderItsStem) {
    ScopedTestDir dir;
    Fixture f;
    f.RecordFor(400);
    ASSERT_TRUE(f.sound.RecordSound("IMG_0001.jpg"));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Saved sound!\n\nIMG_0001.wav"));
    const WavFile wav = WavFile::Parse(ReadAll(dir.Path("IMG_0001.wav")));
    EXPECT_EQ(wav.rate, 11025);
    EXPECT_GT(wav.Seconds(), 0.2);
    ASSERT_TRUE(f.sound.RecordSound("Holiday.2000.jpg"));
    EXPECT_TRUE(QFile::exists(dir.Path("Holiday.wav")));
    // The prompts, in order.
    EXPECT_EQ(f.ui.Messages()[0].text,
              QStringLiteral("Press <Enter> to start recording\n\nRemember turn on your microphone."));
    EXPECT_EQ(f.ui.Messages()[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(f.ui.Messages()[1].text, QStringLiteral("Recording...\nPress <Enter> to stop."));
}

TEST(SoundAnnotations, RefusesSoundsAndEmptyObjects) {
    ScopedTestDir dir;
    Fixture f;
    for (const char* name : {"Speech.WAV", "speech.wav", "a.wav.jpg"}) {
        EXPECT_FALSE(f.sound.RecordSound(name));
        EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Can't assign one sound  to another!"));
    }
    EXPECT_FALSE(f.sound.RecordSound(""));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("If there is no object, can't assign a sound!"));
    EXPECT_TRUE(QDir(dir.Path()).entryList(QDir::Files).isEmpty());
}

TEST(SoundAnnotations, CancellingKeepsTheOldNote) {
    ScopedTestDir dir;
    dir.Write("IMG_0002.wav", "old note");
    Fixture f;
    f.ui.QueueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(f.sound.RecordSound("IMG_0002.jpg"));
    EXPECT_EQ(ReadAll(dir.Path("IMG_0002.wav")), QByteArray("old note"));
    // Cancelled after the recording began: the old note is still there, nothing new is saved.
    f.RecordFor(200);
    f.ui.QueueAnswer(MsgAnswer::Ok);
    f.ui.QueueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(f.sound.RecordSound("IMG_0002.jpg"));
    EXPECT_EQ(ReadAll(dir.Path("IMG_0002.wav")), QByteArray("old note"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"IMG_0002.wav"});
}

TEST(SoundAnnotations, WithoutAMicrophoneTheSaveFailsWithItsMessage) {
    ScopedTestDir dir;
    qputenv("PULSE_SERVER", "unix:/nonexistent/albora-test");
    Fixture f;
    f.mci.SetAudioSource(QStringLiteral("pulsesrc"));
    EXPECT_FALSE(f.sound.RecordSound("IMG_0003.jpg"));
    EXPECT_TRUE(f.ui.LastMessage().startsWith(QStringLiteral("Error:\nProblems saving sound!\n\n")));
    EXPECT_FALSE(QFile::exists(dir.Path("IMG_0003.wav")));
    qunsetenv("PULSE_SERVER");
}

TEST(SoundAnnotations, FindsAndDeletesNotesByEitherCase) {
    ScopedTestDir dir;
    dir.Write("IMG_0001.WAV", "x");
    dir.Write("IMG_0002.jpg", "y");
    EXPECT_TRUE(SoundAnnotations::HasSound("IMG_0001.jpg"));
    EXPECT_FALSE(SoundAnnotations::HasSound("IMG_0002.jpg"));
    EXPECT_FALSE(SoundAnnotations::DeleteSound("IMG_0002.jpg"));
    EXPECT_TRUE(QFile::exists(dir.Path("IMG_0002.jpg")));
    EXPECT_TRUE(SoundAnnotations::DeleteSound("IMG_0001.jpg"));
    EXPECT_FALSE(QFile::exists(dir.Path("IMG_0001.WAV")));
}

// Cards below a dotted folder each get their own note; one recorded under the name earlier
// versions gave (the path cut at the folder's dot) is still found.
TEST(SoundAnnotations, NotesBelowADottedFolderAreNamedAfterTheirOwnFile) {
    ScopedTestDir dir;
    QDir().mkdir("photos.old");
    dir.Write("photos.wav", "old note");
    const QString first = QStringLiteral("photos.old/IMG_1.jpg"), second = QStringLiteral("photos.old/IMG_2.jpg");
    EXPECT_TRUE(SoundAnnotations::HasSound(first));
    Fixture f;
    f.RecordFor(300);
    ASSERT_TRUE(f.sound.RecordSound(second));
    EXPECT_TRUE(QFile::exists(dir.Path("photos.old/IMG_2.wav")));
    EXPECT_EQ(ReadAll(dir.Path("photos.wav")), QByteArray("old note"));
    EXPECT_TRUE(SoundAnnotations::DeleteSound(second));
    EXPECT_TRUE(QFile::exists(dir.Path("photos.wav")));
    EXPECT_TRUE(SoundAnnotations::DeleteSound(first));
    EXPECT_FALSE(QFile::exists(dir.Path("photos.wav")));
}

TEST(SoundAnnotations, PlayingReturnsAtOnceAndEndsOnItsOwn) {
    ScopedTestDir dir;
    qputenv("ALBORA_AUDIO_SINK", "fakesink sync=true");
    Fixture f;
    f.RecordFor(300);
    ASSERT_TRUE(f.sound.RecordSound("note.jpg"));
    QSignalSpy finished(&f.player, &SoundPlayer::finished);
    QElapsedTimer timer;
    timer.start();
    f.sound.PlaySound("note.jpg");
    EXPECT_LT(timer.elapsed(), 250);
    EXPECT_TRUE(f.player.IsPlaying());
    EXPECT_TRUE(finished.wait(5000));
    EXPECT_FALSE(f.player.IsPlaying());
    f.sound.PlaySound("missing.jpg");  // nothing to play: silent
    EXPECT_FALSE(f.player.IsPlaying());
    qunsetenv("ALBORA_AUDIO_SINK");
}

// Recorders' 8-bit notes of an odd count of bytes play for as long as they last; a note that
// cannot be played is named.
TEST(SoundAnnotations, AnOddEightBitNotePlaysToItsEndAndABrokenOneIsNamed) {
    ScopedTestDir dir;
    qputenv("ALBORA_AUDIO_SINK", "fakesink sync=true");
    Fixture f;
    dir.Write("odd.wav", WavChunks::Wav(1, 1, 11025, 8, QByteArray(4411, char(0x90))));  // 0.4 s
    QSignalSpy finished(&f.player, &SoundPlayer::finished);
    QElapsedTimer timer;
    timer.start();
    f.sound.PlaySound("odd.jpg");
    EXPECT_TRUE(f.player.IsPlaying());
    EXPECT_TRUE(finished.wait(5000));
    EXPECT_GE(timer.elapsed(), 350);
    EXPECT_TRUE(f.ui.Messages().empty());

    dir.Write("broken.wav", WavChunks::Riff({WavChunks::Chunk("fmt ", WavChunks::Format(1, 1, 8000, 16))}));
    f.sound.PlaySound("broken.jpg");
    EXPECT_FALSE(f.player.IsPlaying());
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("The sound note cannot be played:\nbroken.wav (no data chunk)"));
    qunsetenv("ALBORA_AUDIO_SINK");
}
