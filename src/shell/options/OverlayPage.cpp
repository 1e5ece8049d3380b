#include "OverlayPage.h"

#include "album/CAppSettings.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kVideoBlaster = QStringLiteral("VideoBlaster Compatible");
const QString kBravado = QStringLiteral("Bravado Compatible");

QComboBox* FormatList(const char* name, const QStringList& formats) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(formats);
    return list;
}

// A list that does not hold the stored format shows its first rather than nothing, so that OK
// cannot store an empty format (the stored default is a VideoBlaster format, the hardware Bravado).
void ShowFormat(QComboBox* list, const QString& format) { list->setCurrentIndex(std::max(0, list->findText(format))); }

QWidget* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) layout->addWidget(widget);
    row->setFocusProxy(*widgets.begin());
    return row;
}

}  // namespace

OverlayPage::OverlayPage(UiServices& ui, QWidget* parent)
    : OptionsPage(parent),
      m_ui(ui),
      m_hardware(new QComboBox),
      m_formats(new QStackedWidget),
      m_videoBlasterFormats(FormatList("videoBlasterFormats", SettingRules::VideoBlasterFormats())),
      m_bravadoFormats(FormatList("bravadoFormats", SettingRules::BravadoFormats())),
      m_plane(BoundText("Plantilla")),
      m_red(BoundNumber("overlayColorR")),
      m_green(BoundNumber("overlayColorG")),
      m_blue(BoundNumber("overlayColorB")) {
    chooseColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    m_hardware->setObjectName(QStringLiteral("flgVideoBlaster"));
    m_hardware->addItems({kBravado, kVideoBlaster});
    m_formats->addWidget(m_videoBlasterFormats);
    m_formats->addWidget(m_bravadoFormats);
    connect(m_hardware, &QComboBox::currentIndexChanged, this, &OverlayPage::ShowHardwareFormats);

    auto* hardware = new QFormLayout;
    hardware->addRow(QStringLiteral("Hardware:"), m_hardware);
    hardware->addRow(BoundCheck(QStringLiteral("Shareable"), "flgShareable"));

    auto* photos = new QGroupBox(QStringLiteral("Photos"));
    auto* photosForm = new QFormLayout(photos);
    photosForm->addRow(QStringLiteral("Save &as:"), m_formats);
    photosForm->addRow(BoundCheck(QStringLiteral("&Unfreeze after photo"), "descongelaFoto"));

    auto* browse = new QPushButton(QStringLiteral("&Browse..."));
    browse->setObjectName(QStringLiteral("browsePlane"));
    connect(browse, &QPushButton::clicked, this, &OverlayPage::BrowsePlane);
    auto* plane = new QGroupBox(QStringLiteral("Plane (ex template)"));
    auto* planeForm = new QFormLayout(plane);
    planeForm->addRow(BoundCheck(QStringLiteral("&Plane:"), "flgPlano"), Row({m_plane, browse}));

    auto* select = new QPushButton(QStringLiteral("Se&lect..."));
    select->setObjectName(QStringLiteral("selectKeyColor"));
    connect(select, &QPushButton::clicked, this, &OverlayPage::ChooseKeyColor);
    for (NumberEdit* edit : {m_red, m_green, m_blue}) edit->setMaximumWidth(50);
    auto* key = new QGroupBox(QStringLiteral("Croma &key"));
    auto* keyForm = new QFormLayout(key);
    keyForm->addRow(QStringLiteral("RGB:"), Row({m_red, m_green, m_blue, select}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(hardware);
    layout->addWidget(photos);
    layout->addWidget(plane);
    layout->addWidget(key);
    layout->addStretch();
}

bool OverlayPage::Bravado() const { return m_hardware->currentText() == kBravado; }

void OverlayPage::ShowHardwareFormats() {
    m_formats->setCurrentWidget(Bravado() ? m_bravadoFormats : m_videoBlasterFormats);
}

void OverlayPage::Load(const CAppSettings& settings) {
    OptionsPage::Load(settings);
    m_hardware->setCurrentText(settings.flgVideoBlaster ? kBravado : kVideoBlaster);
    ShowFormat(m_videoBlasterFormats, settings.GrabaFormato);
    ShowFormat(m_bravadoFormats, settings.GrabaFormato);
    ShowHardwareFormats();
    m_shownAtLoad = {m_hardware->currentText(), qobject_cast<QComboBox*>(m_formats->currentWidget())->currentText()};
}

void OverlayPage::Store(CAppSettings& settings) const {
    OptionsPage::Store(settings);
    settings.flgVideoBlaster = Bravado() ? 1 : 0;
    const QString format = qobject_cast<QComboBox*>(m_formats->currentWidget())->currentText();
    if (std::pair(m_hardware->currentText(), format) != m_shownAtLoad) settings.GrabaFormato = format;
}

void OverlayPage::ChooseKeyColor() {
    const auto part = [](const NumberEdit* edit) { return std::clamp(edit->Value(), 0, 255); };
    const std::optional<QColor> chosen = chooseColor(QColor(part(m_red), part(m_green), part(m_blue)));
    if (!chosen) return;
    m_red->SetValue(chosen->red());
    m_green->SetValue(chosen->green());
    m_blue->SetValue(chosen->blue());
}

void OverlayPage::BrowsePlane() {
    // Metafiles are drawn through SVG here, so an SVG or a plain picture serves as well.
    if (const auto path = m_ui.ChooseFile(
            FileDialogKind::Open, QStringLiteral("Open"),
            QStringLiteral("Planes (*.svg *.emf *.wmf *.png *.jpg *.jpeg *.bmp *.gif);;Windows metafile (*.emf);;"
                           "All files (*)"),
            m_plane->text()))
        m_plane->setText(*path);
}
