#include "web_ui/WebUiTestSupport.h"

#include "album/CAppSettings.h"
#include "image/ImageLibrary.h"
#include "shell/options/CGeneralPropertySheet.h"
#include "shell/options/CImagePropertyPage.h"
#include "shell/options/CaptureOptions.h"
#include "shell/options/CapturePages.h"
#include "shell/options/OverlayPage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

void Press(const QDialog& sheet, QDialogButtonBox::StandardButton which) {
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

void Type(const QWidget& sheet, const char* edit, const QString& text) { Control<QLineEdit>(sheet, edit)->setText(text); }

// Changes a control on every page that holds a setting.
void ChangeEveryPage(CGeneralPropertySheet& sheet) {
    Type(sheet, "JPGquality", QStringLiteral("42"));
    for (const char* check : {"flgJPG", "addPathBrowser", "reloadBrowser", "flgAutoInsert", "flgAutoEdita", "flgAutoErase",
                              "confirmaFoto", "confirmaBorra", "flgExtraInfo", "flgCreaDir", "fmini", "flgMarHeaderPag", "flgMarFooherPag", "flgMarRect",
                              "multicapTwain", "flgShareable", "descongelaFoto", "flgPlano", "useInternalBrowser"})
        Control<QCheckBox>(sheet, check)->click();
    Control<QComboBox>(sheet, "NombreFoto")->setCurrentText(QStringLiteral("TRIP_%03d"));
    Control<QComboBox>(sheet, "browserMask")->setCurrentText(QStringLiteral("*.png"));
    Type(sheet, "descriptionLimit", QStringLiteral("200"));
    Type(sheet, "latenciaTimer", QStringLiteral("9"));
    Control<QComboBox>(sheet, "tFactor")->setCurrentIndex(1);
    Type(sheet, "tNDetiene", QStringLiteral("12"));
    Type(sheet, "FontSize", QStringLiteral("70"));
    Type(sheet, "MarYArribaBorde", QStringLiteral("1"));
    Type(sheet, "MarYAbajoBorde", QStringLiteral("2"));
    Type(sheet, "MarXIzqBorde", QStringLiteral("3"));
    Type(sheet, "MarXDerBorde", QStringLiteral("4"));
    Control<QComboBox>(sheet, "MarHeader")->setCurrentText(QStringLiteral("{CRPDATE}"));
    Control<QComboBox>(sheet, "MarFoother")->setCurrentText(QStringLiteral("Page {PAGENUM}"));
    Control<QComboBox>(sheet, "flgVideoBlaster")->setCurrentText(QStringLiteral("VideoBlaster Compatible"));
    Control<QComboBox>(sheet, "videoBlasterFormats")->setCurrentText(QStringLiteral("GIF type GIF 8-bit"));
    Type(sheet, "Plantilla", QStringLiteral("/planes/room.svg"));
    Type(sheet, "overlayColorR", QStringLiteral("1"));
    Type(sheet, "overlayColorG", QStringLiteral("2"));
    Type(sheet, "overlayColorB", QStringLiteral("3"));
    Type(sheet, "assistDefDir", QStringLiteral("/web"));
}

TEST(OptionsSheet, CancelAfterChangingEveryPageLeavesEverySettingAsItWas) {
    HeadlessUi ui;
    CAppSettings settings;
    ImageLibrary::SetJpegQuality(settings.JPGquality);
    CGeneralPropertySheet sheet(settings, ui, nullptr, nullptr);
    WhileOpen(sheet, [&] {
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("General Options"));
        const auto* tabs = sheet.findChild<QTabWidget*>();
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
        EXPECT_EQ(captions, (QStringList{"Images", "Drop and Browser", "Album", "Autophoto", "Page Setup", "Scanner",
                                         "MCI:Overlay", "Video for Windows", "Internet"}));
        ChangeEveryPage(sheet);
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(sheet.Run());
    const CAppSettings defaults;
    for (const QString& key : CAppSettings::Keys())
        EXPECT_EQ(settings.ValueText(key), defaults.ValueText(key)) << key.toStdString();
    EXPECT_EQ(settings.m_descriptionLimitKb, defaults.m_descriptionLimitKb);
    EXPECT_EQ(ImageLibrary::JpegQuality(), 99);
}

TEST(OptionsSheet, OkStoresEveryPageAndTheLibrarysJpegQuality) {
    HeadlessUi ui;
    CAppSettings settings;
    CGeneralPropertySheet sheet(settings, ui, nullptr, nullptr);
    WhileOpen(sheet, [&] {
        ChangeEveryPage(sheet);
        Press(sheet, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(sheet.Run());
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(settings.JPGquality, 42);
    EXPECT_EQ(ImageLibrary::JpegQuality(), 42);
    EXPECT_EQ(settings.flgJPG, 1);
    EXPECT_EQ(settings.NombreFoto, QStringLiteral("TRIP_%03d"));
    EXPECT_EQ(settings.browserMask, QStringLiteral("*.png"));
    EXPECT_EQ(settings.addPathBrowser, 0);
    EXPECT_EQ(settings.reloadBrowser, 0);
    EXPECT_EQ(settings.flgAutoInsert + settings.flgAutoEdita + settings.flgAutoErase + settings.confirmaFoto, 0);
    EXPECT_EQ(settings.flgCreaDir, 0);
    EXPECT_EQ(settings.confirmaBorra, 0);
    EXPECT_EQ(settings.flgExtraInfo, 1);
    EXPECT_EQ(settings.m_descriptionLimitKb, 200);
    EXPECT_EQ(settings.latenciaTimer, 9);
    EXPECT_EQ(settings.tFactor, 1);
    EXPECT_EQ(settings.tNDetiene, 12);
    EXPECT_EQ(settings.fmini, 1);
    // The font size and the frame are kept apart.
    EXPECT_EQ(settings.FontSize, 70);
    EXPECT_EQ(settings.flgMarRect, 0);
    EXPECT_EQ(settings.MarYArribaBorde, 1);
    EXPECT_EQ(settings.MarYAbajoBorde, 2);
    EXPECT_EQ(settings.MarXIzqBorde, 3);
    EXPECT_EQ(settings.MarXDerBorde, 4);
    EXPECT_EQ(settings.flgMarHeaderPag + settings.flgMarFooherPag, 0);
    EXPECT_EQ(settings.MarHeader, QStringLiteral("{CRPDATE}"));
    EXPECT_EQ(settings.MarFoother, QStringLiteral("Page {PAGENUM}"));
    EXPECT_EQ(settings.multicapTwain, 0);
    EXPECT_EQ(settings.flgVideoBlaster, 0);
    EXPECT_EQ(settings.GrabaFormato, QStringLiteral("GIF type GIF 8-bit"));
    EXPECT_EQ(settings.flgShareable, 1);
    EXPECT_EQ(settings.descongelaFoto, 0);
    EXPECT_EQ(settings.flgPlano, 1);
    EXPECT_EQ(settings.Plantilla, QStringLiteral("/planes/room.svg"));
    EXPECT_EQ(settings.overlayColorR * 100 + settings.overlayColorG * 10 + settings.overlayColorB, 123);
    EXPECT_EQ(settings.assistDefDir, QStringLiteral("/web"));
    EXPECT_EQ(settings.useInternalBrowser, 1);
}

TEST(OptionsSheet, ANumberOutOfRangeIsRefusedAndTheSheetStaysOnItsPage) {
    HeadlessUi ui;
    CAppSettings settings;
    CGeneralPropertySheet sheet(settings, ui, nullptr, nullptr);
    auto* tabs = sheet.findChild<QTabWidget*>();
    WhileOpen(sheet, [&] {
        Type(sheet, "JPGquality", QStringLiteral("100"));
        Type(sheet, "overlayColorB", QStringLiteral("256"));
        tabs->setCurrentIndex(4);
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_EQ(ui.LastMessage(), QStringLiteral("JPEG quality must be a whole number from 0 to 99."));
        EXPECT_EQ(sheet.focusWidget(), Control<QLineEdit>(sheet, "JPGquality"));

        Type(sheet, "JPGquality", QStringLiteral("98"));
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(tabs->tabText(tabs->currentIndex()), QStringLiteral("MCI:Overlay"));
        EXPECT_EQ(ui.LastMessage(), QStringLiteral("The blue of the croma key must be a whole number from 0 to 255."));

        Type(sheet, "overlayColorB", QStringLiteral("7"));
        Press(sheet, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(sheet.Run());
    EXPECT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(settings.JPGquality, 98);
    EXPECT_EQ(settings.overlayColorB, 7);
}

TEST(OptionsSheet, QualityEditAndTrackBarFollowEachOther) {
    CImagePropertyPage page;
    page.Load(CAppSettings());
    auto* edit = Control<QLineEdit>(page, "JPGquality");
    auto* bar = Control<QSlider>(page, "qualityBar");
    EXPECT_EQ(bar->value(), 99);
    EXPECT_EQ(bar->maximum(), 99);
    EXPECT_EQ(bar->pageStep(), 10);
    edit->setText(QStringLiteral("42"));
    EXPECT_EQ(bar->value(), 42);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(edit->text(), QStringLiteral("52"));
    // What the bar cannot show leaves it, and the text typed, alone.
    edit->setText(QStringLiteral("100"));
    EXPECT_EQ(bar->value(), 52);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
}

TEST(OptionsSheet, TheHardwareChoosesTheSaveAsList) {
    HeadlessUi ui;
    CAppSettings settings;
    settings.flgVideoBlaster = 0;
    settings.GrabaFormato = QStringLiteral("TIF type TIFF 8-bit");
    CGeneralPropertySheet sheet(settings, ui, nullptr, nullptr);
    WhileOpen(sheet, [&] {
        sheet.findChild<QTabWidget*>()->setCurrentIndex(6);
        auto* hardware = Control<QComboBox>(sheet, "flgVideoBlaster");
        auto* videoBlaster = Control<QComboBox>(sheet, "videoBlasterFormats");
        auto* bravado = Control<QComboBox>(sheet, "bravadoFormats");
        EXPECT_EQ(hardware->itemText(0), QStringLiteral("Bravado Compatible"));
        EXPECT_EQ(hardware->currentText(), QStringLiteral("VideoBlaster Compatible"));
        EXPECT_TRUE(videoBlaster->isVisible());
        EXPECT_FALSE(bravado->isVisible());
        EXPECT_EQ(videoBlaster->currentText(), QStringLiteral("TIF type TIFF 8-bit"));
        hardware->setCurrentText(QStringLiteral("Bravado Compatible"));
        EXPECT_FALSE(videoBlaster->isVisible());
        EXPECT_TRUE(bravado->isVisible());
        bravado->setCurrentText(QStringLiteral("TGA format tga24"));
        Press(sheet, QDialogButtonBox::Ok);
    });
    ASSERT_TRUE(sheet.Run());
    EXPECT_EQ(settings.flgVideoBlaster, 1);
    EXPECT_EQ(settings.GrabaFormato, QStringLiteral("TGA format tga24"));

    // The defaults pair Bravado with a VideoBlaster format, and the time unit's default (60) is no
    // index of its list: OK without touching them leaves both as stored, never empty or changed.
    CAppSettings defaults;
    CGeneralPropertySheet untouched(defaults, ui, nullptr, nullptr);
    WhileOpen(untouched, [&] { Press(untouched, QDialogButtonBox::Ok); });
    ASSERT_TRUE(untouched.Run());
    EXPECT_EQ(defaults.GrabaFormato, QStringLiteral("BMP type DIB 8-bit"));
    EXPECT_EQ(defaults.tFactor, 60);
}

TEST(OptionsSheet, TheChosenKeyColourAndPlaneFileGoBackIntoTheEdits) {
    HeadlessUi ui;
    CAppSettings settings;
    settings.overlayColorR = 10;
    settings.overlayColorG = 20;
    settings.overlayColorB = 30;
    OverlayPage page(ui);
    page.Load(settings);
    QColor offered;
    std::optional<QColor> answer = QColor(200, 100, 50);
    page.chooseColor = [&](const QColor& initial) {
        offered = initial;
        return answer;
    };
    Control<QAbstractButton>(page, "selectKeyColor")->click();
    EXPECT_EQ(offered, QColor(10, 20, 30));
    answer.reset();
    Control<QAbstractButton>(page, "selectKeyColor")->click();
    EXPECT_EQ(offered, QColor(200, 100, 50));

    ui.QueuePath(QStringLiteral("/planes/room plan.svg"));
    Control<QAbstractButton>(page, "browsePlane")->click();
    ui.QueuePath(QString());
    Control<QAbstractButton>(page, "browsePlane")->click();
    page.Store(settings);
    EXPECT_EQ(settings.overlayColorR, 200);
    EXPECT_EQ(settings.overlayColorG, 100);
    EXPECT_EQ(settings.overlayColorB, 50);
    EXPECT_EQ(settings.Plantilla, QStringLiteral("/planes/room plan.svg"));
}

// Two drivers, recording what the page asks of them.
class FakeCapture : public CaptureOptions {
public:
    QStringList VideoDrivers() const override { return {"Camera A", "Camera B"}; }
    QString CurrentVideoDriver() const override { return current; }
    void SelectVideoDriver(const QString& driver) override { current = driver; }
    void ShowDriverDialog(DriverDialog dialog, QWidget*) override { dialogs.push_back(dialog); }
    bool HasScanner() const override { return true; }
    void SelectScannerSource(QWidget*) override { ++sourceChoices; }

    QString current = QStringLiteral("Camera A");
    std::vector<DriverDialog> dialogs;
    int sourceChoices = 0;
};

QPushButton* Button(const QWidget& page, const QString& text) {
    for (QPushButton* button : page.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    ADD_FAILURE() << text.toStdString();
    return nullptr;
}

TEST(OptionsSheet, CapturePagesSayWhenThereIsNoDeviceAndUseOneThatIs) {
    VideoDriverPage noVideo(nullptr);
    EXPECT_EQ(Control<QLabel>(noVideo, "unavailable")->text(), QStringLiteral("No video capture device is available."));
    for (const char* text : {"&Format", "&Source", "&Display", "Configure capture..."})
        EXPECT_FALSE(Button(noVideo, QString::fromLatin1(text))->isEnabled());
    ScannerPage noScanner(nullptr);
    EXPECT_FALSE(Button(noScanner, QStringLiteral("Se&lect Source..."))->isEnabled());
    EXPECT_TRUE(Control<QLabel>(noScanner, "unavailable"));

    FakeCapture capture;
    VideoDriverPage video(&capture);
    EXPECT_FALSE(video.findChild<QLabel*>(QStringLiteral("unavailable")));
    EXPECT_EQ(Control<QLineEdit>(video, "currentDriver")->text(), QStringLiteral("Camera A"));
    auto* drivers = Control<QListWidget>(video, "drivers");
    ASSERT_EQ(drivers->count(), 2);
    Q_EMIT drivers->itemActivated(drivers->item(1));
    EXPECT_EQ(capture.current, QStringLiteral("Camera B"));
    EXPECT_EQ(Control<QLineEdit>(video, "currentDriver")->text(), QStringLiteral("Camera B"));
    Button(video, QStringLiteral("&Source"))->click();
    Button(video, QStringLiteral("Configure capture..."))->click();
    EXPECT_EQ(capture.dialogs, (std::vector{CaptureOptions::DriverDialog::Source, CaptureOptions::DriverDialog::Configure}));
    ScannerPage scanner(&capture);
    Button(scanner, QStringLiteral("Se&lect Source..."))->click();
    EXPECT_EQ(capture.sourceChoices, 1);
}

}  // namespace
