#include "OutputPage.h"

#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A list of boxes that takes any other "WxH" typed into it.
QComboBox* BoxList(const char* name, const QStringList& choices) {
    QComboBox* box = ChoiceBox(name, choices);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Both lists as wide as the longest box either offers, "1920x1440".
    box->setMinimumContentsLength(9);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

}  // namespace

OutputPage::OutputPage(UiServices& ui)
    : HtmlWizardPage(QStringLiteral("Internet assistant, Page 1")),
      m_ui(ui),
      m_directory(new QLineEdit),
      m_format(ChoiceBox("imageFormat", {QStringLiteral("JPEG"), QStringLiteral("GIF"),
                                         QStringLiteral("No convert")})),
      m_pictureBox(BoxList("pictureBox", PictureBoxChoices())),
      m_thumbnailBox(BoxList("thumbnailBox", ThumbnailBoxChoices())) {
    m_directory->setObjectName(QStringLiteral("outputDirectory"));
    auto* change = new QPushButton(QStringLiteral("&Change..."));
    change->setObjectName(QStringLiteral("changeDirectory"));
    connect(change, &QPushButton::clicked, this, &OutputPage::ChooseDirectory);
    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_directory);
    directoryRow->addWidget(change);

    auto* sizes = new QFormLayout;
    sizes->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    sizes->addRow(QStringLiteral("&Picture size:"), m_pictureBox);
    sizes->addRow(QStringLiteral("&Thumbnail size:"), m_thumbnailBox);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageText(QStringLiteral("Welcome to the HTML assistant.")));
    layout->addWidget(PageText(QStringLiteral(
        "The assistant guided you in the creation of internet pages in a very simple way.")));
    layout->addWidget(PageText(
        QStringLiteral("Please select the appropriate options and then press Next button.")));
    layout->addSpacing(8);
    layout->addWidget(
        PageText(QStringLiteral("Your home page will be created into the following &directory:"),
                 m_directory));
    layout->addLayout(directoryRow);
    layout->addSpacing(8);
    layout->addWidget(PageText(
        QStringLiteral("The assistant will use the following &format for the Internet images:"),
        m_format));
    layout->addWidget(m_format, 0, Qt::AlignLeft);
    layout->addSpacing(8);
    layout->addLayout(sizes);
    layout->addWidget(FlagBox(QStringLiteral("&Keep where pictures were taken and the camera's owner and serial number"),
                              "keepLocationAndOwner", &HtmlWizardSettings::keepLocationAndOwner));
    layout->addStretch();
}

void OutputPage::Load(const HtmlWizardSettings& settings) {
    HtmlWizardPage::Load(settings);
    m_directory->setText(settings.outputDirectory);
    SelectByPrefix(m_format, settings.imageFormat);
    m_pictureBox->setCurrentText(BoxText(settings.pictureBox));
    m_thumbnailBox->setCurrentText(BoxText(settings.thumbnailBox));
}

void OutputPage::Store(HtmlWizardSettings& settings) const {
    HtmlWizardPage::Store(settings);
    settings.outputDirectory = m_directory->text();
    settings.imageFormat = m_format->currentText();
    // validatePage has seen both boxes; a failed parse here keeps the old box.
    if (const auto box = ParseBox(m_pictureBox->currentText())) settings.pictureBox = *box;
    if (const auto box = ParseBox(m_thumbnailBox->currentText())) settings.thumbnailBox = *box;
}

bool OutputPage::validatePage() {
    if (m_directory->text().trimmed().isEmpty())
        return Refuse(
            m_directory,
            QStringLiteral("Please type the directory the home page will be created into."));
    if (!ParseBox(m_pictureBox->currentText()))
        return Refuse(
            m_pictureBox,
            QStringLiteral(
                "The picture size must be Original or a width and height, such as 800x600."));
    // An empty box would make every thumbnail as big as its picture.
    const auto thumbnail = ParseBox(m_thumbnailBox->currentText());
    if (!thumbnail || thumbnail->isEmpty())
        return Refuse(
            m_thumbnailBox,
            QStringLiteral("The thumbnail size must be a width and height, such as 200x150."));
    return true;
}

bool OutputPage::Refuse(QWidget* control, const QString& reason) {
    m_ui.MessageBox(reason, MsgButtons::Ok, MsgIcon::Exclamation);
    control->setFocus();
    return false;
}

void OutputPage::ChooseDirectory() {
    if (const auto folder =
            m_ui.ChooseFolder(QStringLiteral("Current Selection"), m_directory->text()))
        m_directory->setText(*folder);
}
