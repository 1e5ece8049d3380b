#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "MovieUiTestSupport.h"
#include "movie/ui/GoToImageDialog.h"
#include "movie/ui/PresentationSetupDialog.h"

TEST(PresentationSetup, OpensWithTheValuesItIsGivenAndReturnsWhatWasChosen) {
    PresentationOptions options;
    options.delay = 1500;
    options.delayUnit = PresentationOptions::Milliseconds;
    options.fitToScreen = true;
    PresentationSetupDialog dialog(options, PresentationSetupDialog::Moment::Start, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Presentations setup"));
    auto* delay = Control<QSpinBox>(dialog, "delay");
    auto* unit = Control<QComboBox>(dialog, "delayUnit");
    EXPECT_EQ(delay->value(), 1500);  // the current delay, not 2
    EXPECT_EQ(delay->minimum(), 0);
    EXPECT_EQ(delay->maximum(), 340000);
    EXPECT_EQ(unit->currentText(), QStringLiteral("miliseconds"));
    EXPECT_EQ(unit->itemText(0), QStringLiteral("seconds"));
    EXPECT_TRUE(Control<QCheckBox>(dialog, "fitToScreen")->isChecked());
    EXPECT_EQ(Control<QCheckBox>(dialog, "fitToScreen")->text(),
              QStringLiteral("Resi&ze large images to fit screen size"));
    EXPECT_TRUE(Control<QCheckBox>(dialog, "repeat")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(dialog, "playAudio")->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(dialog, "showInfo")->isChecked());
    EXPECT_EQ(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text(),
              QStringLiteral("Begin..."));

    delay->setValue(999999);
    EXPECT_EQ(delay->value(), 340000);
    unit->setCurrentIndex(PresentationOptions::Seconds);
    Control<QCheckBox>(dialog, "repeat")->setChecked(false);
    Control<QCheckBox>(dialog, "showInfo")->setChecked(true);
    Control<QCheckBox>(dialog, "waitForSound")->setChecked(true);
    Control<QCheckBox>(dialog, "startAtCurrent")->setChecked(true);
    const PresentationOptions chosen = dialog.Options();
    EXPECT_EQ(chosen.DelayMilliseconds(), 340000000);
    EXPECT_FALSE(chosen.repeat);
    EXPECT_TRUE(chosen.showInfo);
    EXPECT_TRUE(chosen.waitForSound);
    EXPECT_TRUE(chosen.startAtCurrent);
    EXPECT_TRUE(chosen.fitToScreen);
}

TEST(PresentationSetup, NoDelayDisablesTheDelayAndTheWaitNeedsTheNote) {
    PresentationOptions options;
    options.noDelay = true;
    PresentationSetupDialog dialog(options, PresentationSetupDialog::Moment::DuringShow, nullptr);
    auto* delay = Control<QSpinBox>(dialog, "delay");
    auto* unit = Control<QComboBox>(dialog, "delayUnit");
    auto* noDelay = Control<QCheckBox>(dialog, "noDelay");
    EXPECT_FALSE(delay->isEnabled());
    EXPECT_FALSE(unit->isEnabled());
    noDelay->click();
    EXPECT_TRUE(delay->isEnabled());
    EXPECT_TRUE(unit->isEnabled());
    noDelay->click();
    EXPECT_FALSE(delay->isEnabled());

    auto* wait = Control<QCheckBox>(dialog, "waitForSound");
    EXPECT_TRUE(wait->isEnabled());
    Control<QCheckBox>(dialog, "playAudio")->click();
    EXPECT_FALSE(wait->isEnabled());
    // Where the show begins is settled once it runs.
    EXPECT_FALSE(Control<QCheckBox>(dialog, "startAtCurrent")->isEnabled());
}

TEST(PresentationSetup, EditChangesTheOptionsOnlyOnBegin) {
    PresentationOptions options;
    QTimer::singleShot(0, [] {
        auto& dialog = Modal<PresentationSetupDialog>();
        Control<QSpinBox>(dialog, "delay")->setValue(9);
        dialog.reject();
    });
    EXPECT_FALSE(
        PresentationSetupDialog::Edit(options, PresentationSetupDialog::Moment::Start, nullptr));
    EXPECT_EQ(options.delay, 2);
    QTimer::singleShot(0, [] {
        auto& dialog = Modal<PresentationSetupDialog>();
        Control<QSpinBox>(dialog, "delay")->setValue(9);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(
        PresentationSetupDialog::Edit(options, PresentationSetupDialog::Moment::Start, nullptr));
    EXPECT_EQ(options.delay, 9);
    EXPECT_EQ(options.DelayMilliseconds(), 9000);
}

TEST(GoToImage, EnterOrADoubleClickTakesANameAndCancelNone) {
    const QStringList names = {"Zebra", "Apple", "Moon"};
    const auto choose = [&](std::function<void(GoToImageDialog&)> act) {
        QTimer::singleShot(0, [act] {
            auto& dialog = Modal<GoToImageDialog>();
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Go to image"));
            act(dialog);
            if (dialog.isVisible()) dialog.reject();
        });
        return GoToImageDialog::Choose(names, 1, nullptr);
    };
    EXPECT_EQ(choose([](GoToImageDialog& d) {
                  auto* list = Control<QListWidget>(d, "names");
                  EXPECT_EQ(list->item(0)->text(),
                            QStringLiteral("Zebra"));  // as the show has them, unsorted
                  EXPECT_EQ(list->currentRow(), 1);
                  list->setFocus();
                  QTest::keyClick(list, Qt::Key_End);
                  QTest::keyClick(list, Qt::Key_Return);
              }),
              2);
    EXPECT_EQ(choose([](GoToImageDialog& d) {
                  auto* list = Control<QListWidget>(d, "names");
                  EXPECT_TRUE(QTest::qWaitForWindowExposed(&d));
                  const QPoint row = list->visualItemRect(list->item(0)).center();
                  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
                  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
              }),
              0);
    EXPECT_EQ(choose([](GoToImageDialog& d) {
                  d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
              }),
              std::nullopt);
}
