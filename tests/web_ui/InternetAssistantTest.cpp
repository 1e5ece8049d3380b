#include "WebUiTestSupport.h"
#include "web/HtmlWizardSettings.h"
#include "web/ui/CPSheetHTMLWizard.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

constexpr int kLastPage = 4;

struct Flag {
    const char* name;
    bool HtmlWizardSettings::*field;
};

constexpr Flag kFlags[] = {
    {"includeImageName", &HtmlWizardSettings::includeImageName},
    {"includeDescription", &HtmlWizardSettings::includeDescription},
    {"includeCardDate", &HtmlWizardSettings::includeCardDate},
    {"includeSound", &HtmlWizardSettings::includeSound},
    {"includeFileName", &HtmlWizardSettings::includeFileName},
    {"includeFileDate", &HtmlWizardSettings::includeFileDate},
    {"includeFileSize", &HtmlWizardSettings::includeFileSize},
    {"generateIndexPage", &HtmlWizardSettings::generateIndexPage},
    {"includeAlbumAuthor", &HtmlWizardSettings::includeAlbumAuthor},
    {"includeAlbumDescription", &HtmlWizardSettings::includeAlbumDescription},
    {"includeAlbumDate", &HtmlWizardSettings::includeAlbumDate},
    {"keepLocationAndOwner", &HtmlWizardSettings::keepLocationAndOwner},
};

}  // namespace

// Every field in one line, so that a failed comparison says which one differs.
static void PrintTo(const HtmlWizardSettings& settings, std::ostream* out) {
    QStringList fields{settings.outputDirectory,
                       settings.imageFormat,
                       BoxText(settings.pictureBox),
                       BoxText(settings.thumbnailBox),
                       settings.buttonSet,
                       settings.styleSet,
                       QString::number(settings.pageFormat),
                       settings.email,
                       settings.moreInfo};
    for (const Flag& flag : kFlags)
        fields << QString::fromLatin1(flag.name) +
                      (settings.*flag.field ? QStringLiteral("=1") : QStringLiteral("=0"));
    *out << fields.join(QStringLiteral(" | ")).toStdString();
}

namespace {

// Every field away from its default, the thumbnail box one that is not in the list.
HtmlWizardSettings Altered() {
    HtmlWizardSettings settings;
    settings.outputDirectory = QStringLiteral("/srv/albums/web");
    settings.imageFormat = QStringLiteral("No convert");
    settings.pictureBox = {1024, 768};
    settings.thumbnailBox = {333, 222};
    for (const Flag& flag : kFlags) settings.*flag.field = !(settings.*flag.field);
    settings.buttonSet = QStringLiteral("Rounded");
    settings.styleSet = QStringLiteral("Formal");
    settings.pageFormat = PageFormatId::MinMax;
    settings.email = QStringLiteral("ana@example.org");
    settings.moreInfo = QStringLiteral("Summer 2003\nCadiz");
    return settings;
}

// Puts VALUES into the wizard's controls as a user would.
void Enter(const QWizard& wizard, const HtmlWizardSettings& values) {
    Control<QLineEdit>(wizard, "outputDirectory")->setText(values.outputDirectory);
    Control<QComboBox>(wizard, "imageFormat")->setCurrentText(values.imageFormat);
    Control<QComboBox>(wizard, "pictureBox")->setCurrentText(BoxText(values.pictureBox));
    Control<QComboBox>(wizard, "thumbnailBox")->setCurrentText(BoxText(values.thumbnailBox));
    for (const Flag& flag : kFlags)
        Control<QCheckBox>(wizard, flag.name)->setChecked(values.*flag.field);
    const QString format = QStringLiteral("pageFormat") + FormatKind(values.pageFormat);
    for (QRadioButton* radio : wizard.findChildren<QRadioButton*>())
        if (radio->objectName().compare(format, Qt::CaseInsensitive) == 0) radio->click();
    Control<QComboBox>(wizard, "styleSet")->setCurrentText(values.styleSet);
    Control<QComboBox>(wizard, "buttonSet")->setCurrentText(values.buttonSet);
    Control<QLineEdit>(wizard, "email")->setText(values.email);
    Control<QPlainTextEdit>(wizard, "moreInfo")->setPlainText(values.moreInfo);
}

// Goes through the pages with Next and presses Start on the last one.
void Start(QWizard& wizard) {
    while (wizard.currentId() < kLastPage) {
        const int page = wizard.currentId();
        wizard.button(QWizard::NextButton)->click();
        ASSERT_EQ(wizard.currentId(), page + 1) << "refused on page " << page + 1;
    }
    wizard.button(QWizard::FinishButton)->click();
}

bool Drawn(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

TEST(InternetAssistant, StartStoresEveryControl) {
    HeadlessUi ui;
    HtmlWizardSettings settings;
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    WhileOpen(wizard, [&] {
        Enter(wizard, Altered());
        Start(wizard);
    });
    EXPECT_TRUE(wizard.Run(QStringLiteral("/home/ana/web")));
    EXPECT_EQ(settings, Altered());
}

TEST(InternetAssistant, OpensOnTheSettingsItEdits) {
    // The two differ in every field, so a control left as it was made cannot match both.
    for (const HtmlWizardSettings& shown : {Altered(), HtmlWizardSettings()}) {
        HeadlessUi ui;
        HtmlWizardSettings settings = shown;
        CPSheetHTMLWizard wizard(settings, ui, nullptr);
        WhileOpen(wizard, [&] { Start(wizard); });
        EXPECT_TRUE(wizard.Run(shown.outputDirectory));
        EXPECT_EQ(settings, shown);
    }
}

TEST(InternetAssistant, CancelKeepsTheSettingsAndTheNextRunForgetsWhatWasEntered) {
    HeadlessUi ui;
    HtmlWizardSettings settings = Altered();
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    WhileOpen(wizard, [&] {
        Enter(wizard, HtmlWizardSettings());
        wizard.next();
        wizard.button(QWizard::CancelButton)->click();
    });
    EXPECT_FALSE(wizard.Run(settings.outputDirectory));
    EXPECT_EQ(settings, Altered());

    WhileOpen(wizard, [&] { Start(wizard); });
    EXPECT_TRUE(wizard.Run(settings.outputDirectory));
    EXPECT_EQ(settings, Altered());
}

TEST(InternetAssistant, EachRunOpensOnPageOneWithTheDirectoryItIsGiven) {
    HeadlessUi ui;
    HtmlWizardSettings settings;
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    for (const QString& directory :
         {QStringLiteral("/albums/first/WEB"), QStringLiteral("/albums/second/WEB")}) {
        WhileOpen(wizard, [&] {
            EXPECT_EQ(wizard.currentId(), 0);
            EXPECT_EQ(Control<QLineEdit>(wizard, "outputDirectory")->text(), directory);
            Control<QLineEdit>(wizard, "outputDirectory")
                ->setText(directory + QStringLiteral("/typed"));
            Start(wizard);
        });
        EXPECT_TRUE(wizard.Run(directory));
        EXPECT_EQ(settings.outputDirectory, directory + QStringLiteral("/typed"));
    }
}

TEST(InternetAssistant, ButtonsAndPicturesFollowThePage) {
    HeadlessUi ui;
    HtmlWizardSettings settings;
    QWidget owner;
    owner.setGeometry(40, 30, 720, 540);
    owner.show();
    CPSheetHTMLWizard wizard(settings, ui, &owner);
    WhileOpen(wizard, [&] {
        EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Wizard"));
        // Centred over the owner, give or take the frame Qt allows for when no window manager
        // draws one.
        const QPoint offCentre = wizard.frameGeometry().center() - owner.frameGeometry().center();
        EXPECT_LE(std::abs(offCentre.x()), 12);
        EXPECT_LE(std::abs(offCentre.y()), 42);
        EXPECT_TRUE(Drawn(wizard.pixmap(QWizard::WatermarkPixmap)));
        for (int page = 0; page <= kLastPage; ++page) {
            SCOPED_TRACE(page);
            EXPECT_EQ(wizard.currentPage()->title(),
                      QStringLiteral("Internet assistant, Page %1").arg(page + 1));
            EXPECT_EQ(wizard.button(QWizard::BackButton)->isVisible(), page > 0);
            EXPECT_EQ(wizard.button(QWizard::NextButton)->isVisible(), page < kLastPage);
            EXPECT_EQ(wizard.button(QWizard::FinishButton)->isVisible(), page == kLastPage);
            EXPECT_TRUE(wizard.button(QWizard::CancelButton)->isVisible());
            wizard.next();
        }
        EXPECT_EQ(wizard.button(QWizard::FinishButton)->text(), QStringLiteral("Start..."));
        // Each page style shows a picture of its layout.
        const auto pictures = wizard.page(2)->findChildren<QLabel*>();
        EXPECT_EQ(std::count_if(pictures.begin(), pictures.end(),
                                [](QLabel* label) { return Drawn(label->pixmap()); }),
                  4);
    });
    EXPECT_FALSE(wizard.Run(settings.outputDirectory));
}

TEST(InternetAssistant, NoTwoControlsOfAPageShareAMnemonic) {
    HeadlessUi ui;
    HtmlWizardSettings settings;
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    // The wizard's own buttons, "< &Back" and "&Next >", take theirs on every page.
    const QString buttons =
        wizard.buttonText(QWizard::BackButton) + wizard.buttonText(QWizard::NextButton);
    for (int id : wizard.pageIds()) {
        QStringList texts{buttons};
        for (const QLabel* label : wizard.page(id)->findChildren<QLabel*>()) texts << label->text();
        for (const QAbstractButton* button : wizard.page(id)->findChildren<QAbstractButton*>())
            texts << button->text();
        QString seen;
        for (const QString& text : texts) {
            const qsizetype amp = text.indexOf(u'&');
            if (amp < 0 || amp + 1 >= text.size()) continue;
            const QChar key = text.at(amp + 1).toLower();
            EXPECT_FALSE(seen.contains(key)) << "page " << id + 1 << ": " << text.toStdString();
            seen += key;
        }
    }
}

TEST(InternetAssistant, PageOneRefusesAnEmptyDirectoryAndSizesThatAreNotBoxes) {
    struct Entry {
        const char* directory;
        const char* picture;
        const char* thumbnail;
        const char* refusal;
    };
    const char* noDirectory = "Please type the directory the home page will be created into.";
    const char* badPicture =
        "The picture size must be Original or a width and height, such as 800x600.";
    const char* badThumbnail = "The thumbnail size must be a width and height, such as 200x150.";
    const Entry refused[] = {
        {"", "Original", "200x150", noDirectory}, {"  ", "Original", "200x150", noDirectory},
        {"/w", "big", "200x150", badPicture},     {"/w", "0x480", "200x150", badPicture},
        {"/w", "800x", "200x150", badPicture},    {"/w", "Original", "Original", badThumbnail},
        {"/w", "Original", "", badThumbnail},     {"/w", "Original", "20000x100", badThumbnail},
    };
    HeadlessUi ui;
    HtmlWizardSettings settings;
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    WhileOpen(wizard, [&] {
        for (const Entry& entry : refused) {
            SCOPED_TRACE(entry.picture + std::string(" ") + entry.thumbnail);
            Control<QLineEdit>(wizard, "outputDirectory")
                ->setText(QString::fromLatin1(entry.directory));
            Control<QComboBox>(wizard, "pictureBox")
                ->setCurrentText(QString::fromLatin1(entry.picture));
            Control<QComboBox>(wizard, "thumbnailBox")
                ->setCurrentText(QString::fromLatin1(entry.thumbnail));
            ui.ClearRecord();
            wizard.button(QWizard::NextButton)->click();
            EXPECT_EQ(wizard.currentId(), 0);
            EXPECT_EQ(ui.LastMessage(), QString::fromLatin1(entry.refusal));
        }
        Control<QComboBox>(wizard, "pictureBox")->setCurrentText(QStringLiteral(" 2000 x 1500 "));
        Control<QComboBox>(wizard, "thumbnailBox")->setCurrentText(QStringLiteral("96X64"));
        Start(wizard);
    });
    EXPECT_TRUE(wizard.Run(settings.outputDirectory));
    EXPECT_EQ(settings.pictureBox, QSize(2000, 1500));
    EXPECT_EQ(settings.thumbnailBox, QSize(96, 64));
}

TEST(InternetAssistant, ChangeOffersTheFolderInTheEditAndTakesTheChosenOne) {
    FolderRequestLog ui;
    HtmlWizardSettings settings;
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    WhileOpen(wizard, [&] {
        QAbstractButton* change = Control<QAbstractButton>(wizard, "changeDirectory");
        ui.QueuePath(QStringLiteral("/media/usb/site"));
        change->click();
        EXPECT_EQ(ui.title, QStringLiteral("Current Selection"));
        EXPECT_EQ(ui.start, QStringLiteral("/albums/WEB"));
        ui.QueuePath(QString());
        change->click();
        EXPECT_EQ(ui.start, QStringLiteral("/media/usb/site"));
        Start(wizard);
    });
    EXPECT_TRUE(wizard.Run(QStringLiteral("/albums/WEB")));
    EXPECT_EQ(settings.outputDirectory, QStringLiteral("/media/usb/site"));
}

TEST(InternetAssistant, ListsTakeTheFirstItemBeginningWithTheStoredTextAndAnUnknownFormatIsNormal) {
    HeadlessUi ui;
    HtmlWizardSettings settings;
    settings.imageFormat = QStringLiteral("no");
    settings.styleSet = QStringLiteral("Form");
    settings.buttonSet = QStringLiteral("Plastic");
    settings.pageFormat = 4242;
    CPSheetHTMLWizard wizard(settings, ui, nullptr);
    WhileOpen(wizard, [&] { Start(wizard); });
    EXPECT_TRUE(wizard.Run(settings.outputDirectory));
    EXPECT_EQ(settings.imageFormat, QStringLiteral("No convert"));
    EXPECT_EQ(settings.styleSet, QStringLiteral("Formal"));
    EXPECT_EQ(settings.buttonSet, QStringLiteral("Classic"));
    EXPECT_EQ(settings.pageFormat, PageFormatId::Normal);
}

}  // namespace
