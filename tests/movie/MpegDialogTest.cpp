#include "TestFiles.h"
#include "movie/ui/MpegEncoderDialog.h"
#include "platform/HeadlessUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

QCheckBox* Box(const QDialog& dialog, const QString& text) {
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if (box->text() == text) return box;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

// A stand-in encoder: writes its arguments, one a line, beside itself and ends as told.
QString FakeEncoder(const ScopedTestDir& dir, int status) {
    const QString script = dir.Path(QStringLiteral("avimpg-%1").arg(status));
    dir.Write(QFileInfo(script).fileName(), QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.args'\n"
                                                           "echo 'avimpg: in.avi: frame 3 is damaged' >&2\nexit %2\n")
                                                .arg(script)
                                                .arg(status)
                                                .toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

}  // namespace

TEST(MpegDialog, ControlsFollowEachOther) {
    HeadlessUi ui;
    MpegEncoderDialog dialog(ui, nullptr);
    QCheckBox* videoOnly = Box(dialog, " Make video-only MPEG (no audio)");
    QCheckBox* force = Box(dialog, " Force frame rate:");
    QCheckBox* videoCd = Box(dialog, " Create an MPEG file for VIDEO-CD");
    QCheckBox* joint = Box(dialog, " Joint-stereo encoding");
    ASSERT_TRUE(videoOnly && force && videoCd && joint);
    EXPECT_TRUE(videoOnly->isChecked());
    EXPECT_TRUE(force->isEnabled());
    EXPECT_FALSE(joint->isEnabled());

    videoOnly->click();  // sound: the audio controls come, the frame rate goes
    EXPECT_FALSE(force->isEnabled());
    EXPECT_TRUE(joint->isEnabled());
    videoCd->click();
    EXPECT_FALSE(joint->isEnabled());
    EXPECT_FALSE(videoOnly->isEnabled());
    videoCd->click();
    EXPECT_TRUE(videoOnly->isEnabled());

    // A layer brings its own bitrates, the sixth chosen; the two system rates follow each other.
    const QList<QComboBox*> lists = dialog.findChildren<QComboBox*>();
    QComboBox* layer = nullptr;
    QComboBox* bitrate = nullptr;
    for (QComboBox* list : lists) {
        if (list->itemText(0) == "Layer I") layer = list;
        if (list->itemText(0) == "32") bitrate = list;
    }
    ASSERT_TRUE(layer && bitrate);
    EXPECT_EQ(bitrate->currentText(), "128");
    layer->setCurrentIndex(0);
    Q_EMIT layer->activated(0);
    EXPECT_EQ(bitrate->itemText(13), "448");
    EXPECT_EQ(bitrate->currentText(), "192");
    dialog.SetOptions(MpegEncoderOptions());
    MpegEncoderOptions set = dialog.Options();
    EXPECT_EQ(set.systemByteRate, 150);
    for (QSpinBox* spin : dialog.findChildren<QSpinBox*>())
        if (spin->value() == 1200) spin->setValue(800);
    EXPECT_EQ(dialog.Options().systemByteRate, 100);
    dialog.SetOptions(MpegEncoderOptions::Defaults());
    EXPECT_FALSE(dialog.Options().videoOnly);
}

TEST(MpegDialog, BeginChecksStartsTheEncoderAndTellsHowItEnded) {
    ScopedTestDir dir;
    HeadlessUi ui;
    MpegEncoderDialog dialog(ui, nullptr);
    EXPECT_FALSE(dialog.Begin());
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Input AVI filename must be specified."));

    MpegEncoderOptions options;
    options.inputPath = dir.Path("my movie.avi");
    dialog.SetOptions(options);
    for (int status : {0, 1}) {
        const QString encoder = FakeEncoder(dir, status);
        qputenv("ALBORA_AVIMPG", encoder.toLocal8Bit());
        QSignalSpy finished(&dialog, &MpegEncoderDialog::encodingFinished);
        ASSERT_TRUE(dialog.Begin());
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_EQ(finished.front().front().toBool(), status == 0);
        EXPECT_EQ(ReadAll(encoder + ".args"), QStringLiteral("-e\n-m\n0\n-s\n1200\n-y\n20\n-n\n%1\n%2\n")
                                                  .arg(dir.Path("my movie.avi"), dir.Path("my movie.mpg"))
                                                  .toUtf8());
        if (status == 0) {
            EXPECT_EQ(ui.StatusText(0), QStringLiteral("MPEG movie created: ") + dir.Path("my movie.mpg"));
        }
    }
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Error:\nThe MPEG movie was not made:\navimpg: in.avi: frame 3 is damaged"));

    qputenv("ALBORA_AVIMPG", dir.Path("missing").toLocal8Bit());
    EXPECT_FALSE(dialog.Begin());
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("The encoding executable \"avimpg\" not found."));
    qunsetenv("ALBORA_AVIMPG");
}
