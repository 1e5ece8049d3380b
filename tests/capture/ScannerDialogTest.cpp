// The scanner dialog and its options dialog over SANE's test scanner.
#include "TestFiles.h"

#include "album/CAppSettings.h"
#include "capture/ui/SaneOptionsDialog.h"
#include "capture/ui/ScannerCaptureDevice.h"
#include "capture/ui/ScannerDialog.h"
#include "platform/HeadlessUi.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SaneTestScanner : ::testing::Environment {
    void SetUp() override { qputenv("SANE_CONFIG_DIR", ALBORA_TESTS_DIR "/capture/sane"); }
};
const auto* const g_scanner = ::testing::AddGlobalTestEnvironment(new SaneTestScanner);

// Sets option NAME in the open options dialog as a user would, and lets it show the device's answer.
void SetOption(QWidget* dialog, const QString& name, const QString& value) {
    QWidget* editor = dialog->findChild<QWidget*>(name);
    ASSERT_NE(editor, nullptr) << name.toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int index = combo->findText(value);
        ASSERT_GE(index, 0) << value.toStdString();
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor)) {
        spin->setValue(value.toDouble());
        Q_EMIT spin->editingFinished();
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->setValue(value.toInt());
        Q_EMIT spin->editingFinished();
    } else {
        FAIL() << "no editor for " << name.toStdString();
    }
    QCoreApplication::processEvents();
}

// Answers the next options dialog once it is up: OPTIONS set, then Scan (or Cancel without SCAN).
void AnswerOptions(const QList<std::pair<QString, QString>>& options, bool scan = true) {
    QTimer::singleShot(10, [=] {
        auto* dialog = qobject_cast<SaneOptionsDialog*>(QApplication::activeModalWidget());
        if (!dialog) return AnswerOptions(options, scan);
        for (const auto& [name, value] : options) SetOption(dialog, name, value);
        scan ? dialog->accept() : dialog->reject();
    });
}

const QList<std::pair<QString, QString>> kSmall{{"resolution", "25"}, {"test-picture", "Color pattern"}};

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

struct Fixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    Fixture() { settings.FastTempPath = dir.Path(); }
};

}  // namespace

TEST(ScannerDialog, AFeederStackBecomesTheListAndInsertAllReturnsIt) {
    Fixture f;
    ScannerDialog dialog(f.settings, f.ui, nullptr, false);
    EXPECT_EQ(dialog.Session().State(), TwainSession::ManagerOpen);
    auto* files = dialog.findChildren<QListWidget*>().at(0);
    auto* messages = dialog.findChildren<QListWidget*>().at(1);

    auto options = kSmall;
    options << std::pair<QString, QString>{"source", "Automatic Document Feeder"} << std::pair<QString, QString>{"mode", "Color"};
    AnswerOptions(options);
    dialog.Acquire();
    ASSERT_TRUE(WaitFor([&] { return files->count() == 10 && dialog.Session().State() == TwainSession::ManagerOpen; }));
    EXPECT_EQ(Items(files).first(), "IMG_0000.bmp");
    EXPECT_EQ(Items(files).last(), "IMG_0009.bmp");
    EXPECT_TRUE(Items(messages).contains("Save OK from Twain Source: IMG_0009.bmp"));
    EXPECT_TRUE(f.ui.Messages().empty());

    // A declined options dialog scans nothing and leaves the session as it was.
    AnswerOptions({}, false);
    dialog.Acquire();
    EXPECT_EQ(files->count(), 10);
    EXPECT_EQ(dialog.Session().State(), TwainSession::ManagerOpen);

    // Insert selected without a selection only beeps; Cancel asks first, and No stays.
    files->clearSelection();
    dialog.InsertSelected();
    EXPECT_EQ(f.ui.Beeps(), 1);
    f.ui.QueueAnswer(MsgAnswer::No);
    dialog.reject();
    EXPECT_EQ(f.ui.LastMessage(), "Warning!:\nDo you like to descart all scanned images, are you sure?");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.Result().size());

    files->item(3)->setSelected(true);
    files->item(5)->setSelected(true);
    dialog.InsertSelected();
    EXPECT_EQ(dialog.Result(), (QStringList{"IMG_0003.bmp", "IMG_0005.bmp"}));
    dialog.InsertAll();
    EXPECT_EQ(dialog.Result().size(), 10);
}

TEST(ScannerDialog, AJamSaysSoListsNothingAndClosesTheScanner) {
    Fixture f;
    ScannerDialog dialog(f.settings, f.ui, nullptr, false);
    auto* files = dialog.findChildren<QListWidget*>().at(0);
    auto* messages = dialog.findChildren<QListWidget*>().at(1);
    auto options = kSmall;
    options << std::pair<QString, QString>{"read-return-value", "SANE_STATUS_JAMMED"};
    AnswerOptions(options);
    dialog.Acquire();
    ASSERT_TRUE(WaitFor([&] { return !f.ui.Messages().empty(); }));
    EXPECT_EQ(f.ui.LastMessage(), "A scanner error occurred.\nDocument feeder jammed");
    EXPECT_TRUE(Items(messages).contains("A scanner error occurred. Document feeder jammed")) << Items(messages).join('|').toStdString();
    EXPECT_EQ(files->count(), 0);
    EXPECT_EQ(dialog.Session().State(), TwainSession::ManagerOpen);
    EXPECT_TRUE(QDir().entryList(QDir::Files).isEmpty());
    // Cancel with an empty list closes without a question.
    f.ui.ClearRecord();
    dialog.reject();
    EXPECT_TRUE(f.ui.Messages().empty());
}

TEST(ScannerDialog, SingleModeScansAtOnceAndTheDeviceReturnsTheFile) {
    Fixture f;
    f.settings.multicapTwain = 0;
    f.settings.flgJPG = 1;
    ScannerCaptureDevice device(f.settings, f.ui, nullptr);
    EXPECT_TRUE(device.Activate());
    EXPECT_EQ(f.ui.StatusText(0), "Twain compatible scanner is available");
    // The options dialog comes up by itself; the dialog closes itself after the picture.
    AnswerOptions(kSmall);
    const CaptureOutcome outcome = device.Take({});
    EXPECT_EQ(outcome.status, CaptureOutcome::Status::Taken);
    EXPECT_EQ(outcome.files, QStringList{"IMG_0000.jpg"});
    EXPECT_TRUE(QFileInfo::exists("IMG_0000.jpg"));
    EXPECT_TRUE(QDir().entryList({"tempfoto*"}, QDir::Files).isEmpty());
}
