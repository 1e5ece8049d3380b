// The capture configuration: rates and periods, buffers, and the capture file's reservation.
#include "TestFiles.h"

#include "capture/ui/CaptureConfigDialog.h"
#include "capture/video/CaptureParameters.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>

TEST(CaptureParameters, RatesBecomeTruncatedPeriodsAndRatesOutOfRangeAreRefused) {
    EXPECT_EQ(MicrosecondsPerFrame(15), 66666);
    EXPECT_EQ(MicrosecondsPerFrame(29.97), 33366);
    EXPECT_EQ(MicrosecondsPerFrame(120), 8333);
    EXPECT_EQ(MicrosecondsPerFrame(0.1), 10000000);
    QString refusal;
    for (double rate : {0.0, -5.0, 0.09, 120.5, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(MicrosecondsPerFrame(rate, &refusal)) << rate;
    EXPECT_EQ(refusal, "The frame rate must be between 0.1 and 120 frames a second.");

    CaptureParameters stored;
    stored.microSecPerFrame = 0;  // as a damaged value would come: no division by it
    EXPECT_EQ(stored.FramesPerSecond(), 15.0);
    stored.captureToMemory = true;
    EXPECT_EQ(stored.VideoBuffers(), 32);
    stored.captureToMemory = false;
    EXPECT_EQ(stored.VideoBuffers(), 1000);
    // The drop rate is a share of the frames the camera sent.
    stored.percentDropForError = 10;
    EXPECT_FALSE(stored.TooManyDropped(10, 100));
    EXPECT_TRUE(stored.TooManyDropped(11, 100));
    EXPECT_FALSE(stored.TooManyDropped(0, 0));
    // No overflow on a long capture.
    EXPECT_TRUE(stored.TooManyDropped(INT32_MAX, INT32_MAX));
    EXPECT_FALSE(stored.TooManyDropped(INT32_MAX / 20, INT32_MAX));
}

TEST(CaptureParameters, TheCaptureFileIsReservedInSixtyFourBitsOrNotAtAll) {
    ScopedTestDir dir;
    EXPECT_EQ(CaptureFileBytes(4096), std::int64_t(1) << 32);  // 32 bits would give 0
    ASSERT_TRUE(ReserveCaptureFile(dir.Path("CAPTEMP.AVI"), 5));
    EXPECT_EQ(QFileInfo(dir.Path("CAPTEMP.AVI")).size(), 5 << 20);

    // More than the disk has: the program's message, and no file left behind.
    const qint64 free = QStorageInfo(dir.Path()).bytesAvailable();
    // A terabyte more, so other work freeing disk meanwhile cannot make it fit.
    const int tooMany = int(std::min<qint64>(free / (1 << 20) + (1 << 20), std::numeric_limits<int>::max()));
    QString error;
    EXPECT_FALSE(ReserveCaptureFile(dir.Path("big.avi"), tooMany, &error));
    EXPECT_EQ(error, "Error:\nCan't assign the space required in the disk.");
    EXPECT_FALSE(QFile::exists(dir.Path("big.avi")));
}

TEST(CaptureConfigDialog, ShowsFifteenAgainRefusesZeroAndStoresOnlyOnOk) {
    HeadlessUi ui;
    CaptureParameters parameters;
    int hardPlay = 0;
    CaptureConfigDialog dialog(parameters, hardPlay, ui, {}, nullptr);
    auto* rate = dialog.findChild<QLineEdit*>("rate");
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->text(), "15");

    rate->setText("0");
    dialog.accept();
    EXPECT_EQ(ui.LastMessage(), "The frame rate must be between 0.1 and 120 frames a second.");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(parameters.microSecPerFrame, 66666);

    QCheckBox* memory = nullptr;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if (box->text() == "Capt&ure to Memory") memory = box;
    ASSERT_TRUE(memory);
    memory->setChecked(true);
    bool shows32 = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) shows32 |= label->text() == "32";
    EXPECT_TRUE(shows32);
    rate->setText("29.97");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(parameters.microSecPerFrame, 33366);
    EXPECT_TRUE(parameters.captureToMemory);
    EXPECT_EQ(parameters.VideoBuffers(), 32);
}
