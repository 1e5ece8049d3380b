#include "BrowserAndAlbumPages.h"

#include "album/CAppSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

DropBrowserPage::DropBrowserPage(QWidget* parent) : OptionsPage(parent) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File mask:"),
                 BoundCombo("browserMask", {"Internet images (*.jpg; *.jpeg; *.gif)",
                                            "All images (*.jpg; *.jpeg; *.gif;*.bmp; *.dib; *png; *.avi)", "*.jpg",
                                            "*.gif", "*.bmp", "*.png", "*.avi", "*.wmf", "*.emf", "*.*"}));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(BoundCheck(QStringLiteral("Add path to the file name (drop files and browser)"), "addPathBrowser"));
    layout->addWidget(BoundCheck(QStringLiteral("Reload Browser after select"), "reloadBrowser"));
    layout->addStretch();
}

AlbumPage::AlbumPage(QWidget* parent)
    : OptionsPage(parent), m_descriptionLimit(CheckedNumber(SettingRules::DescriptionLimit())) {
    m_descriptionLimit->setObjectName(QStringLiteral("descriptionLimit"));
    auto* limit = new QWidget;
    auto* limitRow = new QHBoxLayout(limit);
    limitRow->setContentsMargins(0, 0, 0, 0);
    auto* limitLabel = new QLabel(QStringLiteral("Description limit:"));
    limitLabel->setBuddy(m_descriptionLimit);
    limitRow->addWidget(limitLabel);
    limitRow->addWidget(m_descriptionLimit);
    limitRow->addWidget(new QLabel(QStringLiteral("Kb.")));
    limitRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(QStringLiteral("Cards"), {BoundCheck(QStringLiteral("Auto &insert"), "flgAutoInsert"),
                                                      BoundCheck(QStringLiteral("&Edit after photo"), "flgAutoEdita")}));
    layout->addWidget(Group(QStringLiteral("Modifications"),
                            {BoundCheck(QStringLiteral("O&n delete erase files"), "flgAutoErase"), limit}));
    layout->addWidget(
        Group(QStringLiteral("Generals"), {BoundCheck(QStringLiteral("Confirmation &on photo/scan/video"), "confirmaFoto"),
                                           BoundCheck(QStringLiteral("Confirmation on &delete card"), "confirmaBorra"),
                                           BoundCheck(QStringLiteral("Create a &New folder by album"), "flgCreaDir")}));
    layout->addStretch();
}

void AlbumPage::Load(const CAppSettings& settings) {
    OptionsPage::Load(settings);
    m_descriptionLimit->SetValue(settings.m_descriptionLimitKb);
}

void AlbumPage::Store(CAppSettings& settings) const {
    OptionsPage::Store(settings);
    settings.m_descriptionLimitKb = m_descriptionLimit->Value();
}
