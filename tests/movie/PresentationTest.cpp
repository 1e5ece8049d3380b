#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "MovieUiTestSupport.h"
#include "TestFiles.h"
#include "../sound/WavChunks.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "image/CImageObject.h"
#include "movie/PresentationChoices.h"
#include "movie/ui/GoToImageDialog.h"
#include "movie/ui/PresentationCommands.h"
#include "movie/ui/PresentationSetupDialog.h"
#include "movie/ui/PresentationWindow.h"
#include "platform/CommandIds.h"
#include "platform/HeadlessUi.h"
#include "platform/media/AudioCapture.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"
#include "platform/SettingsStore.h"
#include "sound/SoundAnnotations.h"

namespace {

const Qt::GlobalColor kColours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// An album of four cards "Card 0" to "Card 3", each a small picture of its own colour, shown by
// the presentation command over a main window of its own.
struct ShowFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    MciInterpreter mci;
    SoundPlayer player;
    SoundAnnotations sound{ui, settings, mci, player};
    QWidget owner;
    PresentationCommands commands{doc, {ui, sound, player, &owner}};
    std::vector<QString> captions;  // of the control bar, as they changed

    ShowFixture() {
        for (int i = 0; i < 4; ++i) {
            QImage image(40, 30, QImage::Format_RGB32);
            image.fill(kColours[i]);
            const QString file = dir.Path(QStringLiteral("p%1.png").arg(i));
            EXPECT_TRUE(ImageFromQImage(image).Save(file));
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = QStringLiteral("Card %1").arg(i);
            card->m_strGraphic = file;
            doc.Db().List().AddTail(card);
        }
        owner.show();
    }
    PresentationWindow* Window() const { return owner.findChild<PresentationWindow*>(); }
    PresentationControl* Bar() const { return owner.findChild<PresentationControl*>(); }
    QToolButton* Button(const char* name) const {
        return Bar()->findChild<QToolButton*>(QLatin1String(name));
    }
    // Whether the bar shows card N, recording the captions from the first time it is seen.
    bool Showing(int n) {
        PresentationControl* bar = Bar();
        if (!bar || !bar->isVisible()) return false;
        if (captions.empty()) {
            captions.push_back(bar->windowTitle());
            QObject::connect(bar, &QWidget::windowTitleChanged, bar,
                             [this](const QString& t) { captions.push_back(t); });
        }
        return bar->windowTitle() == QStringLiteral("Card %1").arg(n);
    }
    // The colour in the middle of the window.
    QColor Shown() const {
        const QImage& picture = Window()->Content().picture;
        return picture.isNull() ? QColor()
                                : picture.pixelColor(picture.width() / 2, picture.height() / 2);
    }
    // Makes CHOOSE's choices in the "Presentations setup" dialog on top and begins the show.
    static void Begin(std::function<void(PresentationSetupDialog&)> choose) {
        auto& dialog = Modal<PresentationSetupDialog>();
        choose(dialog);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
    void Run(ShowScript& script) {
        script.Start();
        commands.Execute(Cmd::BeginPresentation);
        EXPECT_TRUE(script.Done());
        EXPECT_FALSE(Window() && Window()->isVisible());
        EXPECT_FALSE(player.IsPlaying());  // the end of a show silences it
    }
};

void Delay(PresentationSetupDialog& d, int ms) {
    Control<QSpinBox>(d, "delay")->setValue(ms);
    Control<QComboBox>(d, "delayUnit")->setCurrentIndex(PresentationOptions::Milliseconds);
}

void NoDelay(PresentationSetupDialog& d) { Control<QCheckBox>(d, "noDelay")->setChecked(true); }

// A silent note of MS milliseconds beside PICTURE.
void WriteNote(const QString& picture, int ms) {
    const RecordingFormat format;
    QFile file(SoundAnnotations::SoundFileOf(picture));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(MakeWav(format, QByteArray(format.BytesPerSecond() * ms / 1000, char(128))));
}

}  // namespace

TEST(Presentation, TheCommandWantsACard) {
    ShowFixture f;
    EXPECT_TRUE(f.commands.Update(Cmd::BeginPresentation).enabled);
    f.doc.Db().Reset();
    EXPECT_FALSE(f.commands.Update(Cmd::BeginPresentation).enabled);
}

// The timer moves through the cards and starts again after the last; Escape on the bar ends the
// show, which keeps the main window blocked while it runs.
TEST(Presentation, TheTimerMovesOnAndEscapeOnTheBarEnds) {
    ShowFixture f;
    ShowScript script;
    script
        .When(ModalIs<PresentationSetupDialog>,
              [] { ShowFixture::Begin([](PresentationSetupDialog& d) { Delay(d, 60); }); })
        .When([&] { return f.Showing(0) && f.captions.size() >= 6; },
              [&] {
                  EXPECT_EQ(QApplication::activeModalWidget(), f.Window());
                  EXPECT_TRUE(f.Window()->isFullScreen());
                  EXPECT_EQ(f.Window()->windowTitle(), QStringLiteral("Pres"));
                  EXPECT_EQ(f.Window()->cursor().shape(), Qt::CrossCursor);
                  EXPECT_EQ(f.Bar()->pos(), f.Window()->geometry().topLeft() + QPoint(5, 470));
                  EXPECT_EQ(f.Shown(), QColor(Qt::red));
                  QTest::keyClick(f.Bar(), Qt::Key_Escape);
              });
    f.Run(script);
    ASSERT_GE(f.captions.size(), 6u);
    EXPECT_EQ(std::vector<QString>(f.captions.begin(), f.captions.begin() + 6),
              (std::vector<QString>{"Card 0", "Card 1", "Card 2", "Card 3", "Card 0", "Card 1"}));
}

// Without a delay the bar waits; the keys move on the window as on the bar, and Escape on the
// window ends the show.
TEST(Presentation, KeysOnTheWindowOrTheBarMoveAndEscapeOnTheWindowEnds) {
    ShowFixture f;
    ShowScript script;
    script.When(ModalIs<PresentationSetupDialog>, [] { ShowFixture::Begin(NoDelay); })
        .When([&] { return f.Showing(0); }, [&] { QTest::keyClick(f.Window(), Qt::Key_Right); })
        .When([&] { return f.Showing(1); },
              [&] {
                  EXPECT_EQ(f.Shown(), QColor(Qt::green));
                  QTest::keyClick(f.Window(), Qt::Key_End);
              })
        .When([&] { return f.Showing(3); }, [&] { QTest::keyClick(f.Bar(), Qt::Key_Home); })
        .When([&] { return f.Showing(0); }, [&] { QTest::keyClick(f.Bar(), Qt::Key_PageDown); })
        .When([&] { return f.Showing(1); }, [&] { f.Button("previous")->click(); })
        .When([&] { return f.Showing(0); }, [&] { f.Button("last")->click(); })
        .When([&] { return f.Showing(3); }, [&] { f.Button("next")->click(); })
        .When([&] { return f.Showing(0); }, [&] { QTest::keyClick(f.Window(), Qt::Key_Escape); });
    f.Run(script);
    EXPECT_EQ(f.captions, (std::vector<QString>{"Card 0", "Card 1", "Card 3", "Card 0", "Card 1",
                                                "Card 0", "Card 3", "Card 0"}));
}

// "Go to" jumps to the chosen name or, cancelled, leaves the bar open; the setup dialog comes back
// with the show's values, applies what it is given, and its Cancel ends the show.
TEST(Presentation, GoToAndSetupFromTheBar) {
    ShowFixture f;
    const auto goTo = ModalIs<GoToImageDialog>;
    const auto setup = ModalIs<PresentationSetupDialog>;
    ShowScript script;
    script
        .When(setup,
              [] {
                  ShowFixture::Begin([](PresentationSetupDialog& d) {
                      Delay(d, 1234);
                      NoDelay(d);
                  });
              })
        .When([&] { return f.Showing(0); }, [&] { f.Button("goTo")->click(); })
        .When(goTo,
              [] {
                  auto& dialog = Modal<GoToImageDialog>();
                  auto* names = Control<QListWidget>(dialog, "names");
                  EXPECT_EQ(names->count(), 4);
                  names->setCurrentRow(3);
                  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
              })
        .When([&] { return f.Showing(3); }, [&] { f.Button("goTo")->click(); })
        .When(goTo, [] { QApplication::activeModalWidget()->close(); })
        .When([&] { return !goTo() && f.Showing(3); },
              [&] {
                  EXPECT_FALSE(f.Window()->Content().fit);
                  f.Button("setup")->click();
              })
        .When(setup,
              [] {
                  ShowFixture::Begin([](PresentationSetupDialog& d) {
                      EXPECT_EQ(Control<QSpinBox>(d, "delay")->value(), 1234);
                      EXPECT_TRUE(Control<QCheckBox>(d, "noDelay")->isChecked());
                      Control<QCheckBox>(d, "fitToScreen")->setChecked(true);
                  });
              })
        .When([&] { return f.Showing(0); },  // the card after the last, repeating
              [&] {
                  EXPECT_TRUE(f.Window()->Content().fit);
                  f.Button("setup")->click();
              })
        .When(setup, [] { Modal<PresentationSetupDialog>().reject(); });
    f.Run(script);
    EXPECT_EQ(f.captions, (std::vector<QString>{"Card 0", "Card 3", "Card 0"}));
    // What was chosen from the bar is what the next show begins with.
    EXPECT_EQ(f.settings.PresFitToScreen, 1);
    EXPECT_EQ(f.settings.PresNoDelay, 1);
}

// The choices outlive the program: a show started after a restart opens the setup on them, and
// settings written before they were kept give the first values, fitting as "flgLock" says.
TEST(Presentation, TheSetupChoicesOutliveTheProgram) {
    MemorySettingsStore store;
    {
        ShowFixture f;
        f.settings.Load(store);
        ShowScript script;
        script
            .When(ModalIs<PresentationSetupDialog>,
                  [] {
                      ShowFixture::Begin([](PresentationSetupDialog& d) {
                          EXPECT_FALSE(Control<QCheckBox>(d, "fitToScreen")->isChecked());
                          EXPECT_EQ(Control<QSpinBox>(d, "delay")->value(), 2);
                          Delay(d, 1234);
                          NoDelay(d);
                          Control<QCheckBox>(d, "repeat")->setChecked(false);
                          Control<QCheckBox>(d, "showInfo")->setChecked(true);
                          Control<QCheckBox>(d, "fitToScreen")->setChecked(true);
                      });
                  })
            .When([&] { return f.Showing(0); }, [&] { QTest::keyClick(f.Bar(), Qt::Key_Escape); });
        f.Run(script);
        ASSERT_TRUE(f.settings.Save(store));
    }
    ShowFixture f;
    f.settings.Load(store);
    ShowScript script;
    script.When(ModalIs<PresentationSetupDialog>, [] {
        auto& d = Modal<PresentationSetupDialog>();
        EXPECT_EQ(Control<QSpinBox>(d, "delay")->value(), 1234);
        EXPECT_EQ(Control<QComboBox>(d, "delayUnit")->currentIndex(), PresentationOptions::Milliseconds);
        EXPECT_TRUE(Control<QCheckBox>(d, "noDelay")->isChecked());
        EXPECT_FALSE(Control<QCheckBox>(d, "repeat")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(d, "showInfo")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(d, "fitToScreen")->isChecked());
        EXPECT_TRUE(Control<QCheckBox>(d, "playAudio")->isChecked());
        d.reject();
    });
    f.Run(script);

    CAppSettings older;
    older.Load(MemorySettingsStore());
    older.flgLock = 1;
    const PresentationOptions first = RecallPresentationOptions(older);
    EXPECT_TRUE(first.fitToScreen);
    EXPECT_TRUE(first.playAudio && first.repeat);
    EXPECT_FALSE(first.showInfo || first.noDelay || first.waitForSound || first.startAtCurrent);
    EXPECT_EQ(first.DelayMilliseconds(), 2000);
    older.PresDelay = -5;
    older.PresDelayUnit = 7;
    EXPECT_EQ(RecallPresentationOptions(older).delay, 0);
    EXPECT_EQ(RecallPresentationOptions(older).delayUnit, PresentationOptions::Seconds);
}

// A new card silences the last one's note; with "Wait for sound annotation" a card stays until its
// note has ended, and the show may start at the document's current card.
TEST(Presentation, NotesPlayWithTheirCardsAndMayHoldThem) {
    qputenv("ALBORA_AUDIO_SINK", "fakesink sync=true");
    ShowFixture f;
    WriteNote(f.dir.Path("p0.png"), 3000);
    WriteNote(f.dir.Path("p2.png"), 400);
    ShowScript silenced;
    silenced.When(ModalIs<PresentationSetupDialog>, [] { ShowFixture::Begin(NoDelay); })
        .When([&] { return f.Showing(0); },
              [&] {
                  EXPECT_TRUE(f.player.IsPlaying());
                  QTest::keyClick(f.Bar(), Qt::Key_Space);
              })
        .When([&] { return f.Showing(1); },
              [&] {
                  EXPECT_FALSE(f.player.IsPlaying());
                  QTest::keyClick(f.Bar(), Qt::Key_Space);
              })
        .When([&] { return f.Showing(2) && f.player.IsPlaying(); },
              [&] { QTest::keyClick(f.Bar(), Qt::Key_Escape); });
    f.Run(silenced);

    f.captions.clear();
    f.doc.m_nCurrent = 2;
    QElapsedTimer held;
    ShowScript waiting;
    waiting
        .When(ModalIs<PresentationSetupDialog>,
              [] {
                  ShowFixture::Begin([](PresentationSetupDialog& d) {
                      // The first show's "No delay" is offered again.
                      EXPECT_TRUE(Control<QCheckBox>(d, "noDelay")->isChecked());
                      Control<QCheckBox>(d, "noDelay")->setChecked(false);
                      Delay(d, 10);
                      Control<QCheckBox>(d, "waitForSound")->setChecked(true);
                      Control<QCheckBox>(d, "startAtCurrent")->setChecked(true);
                      Control<QCheckBox>(d, "repeat")->setChecked(false);
                  });
              })
        .When([&] { return f.Showing(2); }, [&] { held.start(); })
        .When([&] { return f.Showing(3); }, [&] { EXPECT_GE(held.elapsed(), 300); });
    f.Run(waiting);  // it ends by itself after the last card
    EXPECT_EQ(f.captions, (std::vector<QString>{"Card 2", "Card 3"}));
    qunsetenv("ALBORA_AUDIO_SINK");
}

// A note that cannot be played does not stop the show; it is named once the show has ended.
TEST(Presentation, ANoteThatCannotBePlayedIsNamedAfterTheShow) {
    qputenv("ALBORA_AUDIO_SINK", "fakesink sync=true");
    ShowFixture f;
    const QString note = SoundAnnotations::SoundFileOf(f.dir.Path("p1.png"));
    f.dir.Write(QStringLiteral("p1.wav"), WavChunks::Riff({WavChunks::Chunk("fmt ", WavChunks::Format(1, 1, 8000, 16))}));
    ShowScript script;
    script.When(ModalIs<PresentationSetupDialog>, [] { ShowFixture::Begin(NoDelay); })
        .When([&] { return f.Showing(0); }, [&] { QTest::keyClick(f.Bar(), Qt::Key_Space); })
        .When([&] { return f.Showing(1); },
              [&] {
                  EXPECT_TRUE(f.ui.Messages().empty());
                  QTest::keyClick(f.Bar(), Qt::Key_Escape);
              });
    f.Run(script);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("These sound notes could not be played:\n%1 (no data chunk)").arg(note));
    qunsetenv("ALBORA_AUDIO_SINK");
}

// An unreadable picture gives the error slide; one of a type the show skips leaves the previous
// picture in place.
TEST(Presentation, TheWindowKeepsOrDropsThePictureByWhatWasRead) {
    ScopedTestDir dir;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(ImageFromQImage(image).Save(dir.Path("red.PNG")));
    dir.Write("notes.txt", "text");
    dir.Write("broken.jpg", "not a picture");
    PresentationWindow window(nullptr);
    EXPECT_TRUE(window.ShowImage(LoadSlidePicture(dir.Path("red.PNG"))));
    EXPECT_FALSE(window.ShowImage(LoadSlidePicture(dir.Path("notes.txt"))));
    EXPECT_EQ(window.Content().picture.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_FALSE(window.ShowImage(LoadSlidePicture(dir.Path("broken.jpg"))));
    EXPECT_TRUE(window.Content().picture.isNull());
    const QImage painted = window.grab().toImage();
    EXPECT_EQ(painted.pixelColor(painted.width() - 1, 0), QColor(0, 0, 255));
}
