#include "AutophotoAndPageSetupPages.h"

#include "album/CAppSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// A sheet of paper with its margins dashed, set among the margin edits.
class PagePicture : public QWidget {
public:
    PagePicture() { setFixedSize(60, 80); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect().adjusted(3, 3, 0, 0), palette().shadow());
        const QRect page = rect().adjusted(0, 0, -3, -3);
        painter.fillRect(page, Qt::white);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(page.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
        painter.drawRect(page.adjusted(10, 10, -9, -9));
    }
};

}  // namespace

AutophotoPage::AutophotoPage(QWidget* parent) : OptionsPage(parent), m_unit(new QComboBox) {
    m_unit->setObjectName(QStringLiteral("tFactor"));
    m_unit->addItems({QStringLiteral("minutes"), QStringLiteral("seconds"), QString()});
    NumberEdit* gapEdit = BoundNumber("latenciaTimer");
    auto* gap = new QWidget;
    gap->setFocusProxy(gapEdit);
    auto* gapRow = new QHBoxLayout(gap);
    gapRow->setContentsMargins(0, 0, 0, 0);
    gapRow->addWidget(gapEdit);
    gapRow->addWidget(m_unit);
    gapRow->addStretch();

    auto* timer = new QGroupBox(QStringLiteral("T&imer"));
    auto* form = new QFormLayout(timer);
    form->addRow(QStringLiteral("&Gap between photos:"), gap);
    form->addRow(QStringLiteral("Stop on photo &number:"), BoundNumber("tNDetiene"));
    form->addRow(BoundCheck(QStringLiteral("&Minimize program"), "fmini"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(timer);
    layout->addStretch();
}

void AutophotoPage::Load(const CAppSettings& settings) {
    OptionsPage::Load(settings);
    // The stored default, 60, is the seconds of a minute rather than a list index: "minutes".
    const bool listed = settings.tFactor >= 0 && settings.tFactor < m_unit->count();
    m_unit->setCurrentIndex(listed ? settings.tFactor : 0);
    m_shownAtLoad = m_unit->currentIndex();
}

void AutophotoPage::Store(CAppSettings& settings) const {
    OptionsPage::Store(settings);
    if (m_unit->currentIndex() != m_shownAtLoad) settings.tFactor = m_unit->currentIndex();
}

PageSetupPage::PageSetupPage(QWidget* parent) : OptionsPage(parent) {
    auto* font = new QFormLayout;
    font->addRow(QStringLiteral("Font si&ze:"), BoundNumber("FontSize"));

    auto* margins = new QGridLayout;
    const auto addMargin = [this, margins](const QString& label, const char* key, int row, int column) {
        NumberEdit* edit = BoundNumber(key);
        auto* caption = new QLabel(label);
        caption->setBuddy(edit);
        margins->addWidget(caption, row, column, Qt::AlignRight);
        margins->addWidget(edit, row, column + 1);
    };
    addMargin(QStringLiteral("&Top:"), "MarYArribaBorde", 0, 2);
    addMargin(QStringLiteral("&Left:"), "MarXIzqBorde", 1, 0);
    margins->addWidget(new PagePicture, 1, 2, 1, 2, Qt::AlignCenter);
    addMargin(QStringLiteral("&Right:"), "MarXDerBorde", 1, 4);
    addMargin(QStringLiteral("&Bottom:"), "MarYAbajoBorde", 2, 2);

    QStringList placeholders{"{CRPNAME}", "{CURDATE}", "{CRPDATE}", "{CRPPATH}", "{ALBOPATH}", "{PAGENUM}"};
    placeholders.sort();
    auto* headers = new QFormLayout;
    headers->addRow(BoundCheck(QStringLiteral("Header:"), "flgMarHeaderPag"), BoundCombo("MarHeader", placeholders));
    headers->addRow(BoundCheck(QStringLiteral("Foother:"), "flgMarFooherPag"), BoundCombo("MarFoother", placeholders));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(font);
    layout->addLayout(margins);
    layout->addLayout(headers);
    layout->addWidget(BoundCheck(QStringLiteral("&Frame on image"), "flgMarRect"));
    layout->addStretch();
}
