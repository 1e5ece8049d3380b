#include "LineFillPage.h"

#include "ColorPopup.h"

#include "draw/DrawPainting.h"
#include "draw/DrawSheetTables.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QMessageBox>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QSize kFillPicture(48, 16);

QIcon FillPicture(const DrawSheetTables::FillEntry& entry) {
    QPixmap pixmap(kFillPicture);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    const LogBrush brush{entry.style, Rgb(0, 0, 0), entry.hatch};
    DrawPainting::Prepare(painter, nullptr, &brush);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(QPoint(0, 0), kFillPicture - QSize(1, 1)));
    return QIcon(pixmap);
}

}  // namespace

LineFillPage::LineFillPage(const CDrawObj& object)
    : m_width(new QSpinBox),
      m_style(new QComboBox),
      m_transparent(new QCheckBox(QStringLiteral("&Transparent"))),
      m_fill(new QComboBox) {
    const DrawSheetTables::LineAndFill fields = DrawSheetTables::ReadLineAndFill(object);
    const DrawDefaults& defaults = CurrentDrawDefaults();
    m_lineColor = new ColorButton(fields.lineColor, defaults.lineColor);
    m_fillColor = new ColorButton(fields.fillColor, defaults.fillColor);

    m_width->setObjectName(QStringLiteral("lineWidth"));
    m_width->setRange(0, DrawPainting::kMaxPenWidth);
    m_width->setValue(fields.width);
    m_style->setObjectName(QStringLiteral("lineStyle"));
    for (const auto& entry : DrawSheetTables::kPenStyles) m_style->addItem(QString::fromUtf8(entry.text));
    m_style->setCurrentIndex(fields.penStyle.value_or(-1));
    m_lineColor->setObjectName(QStringLiteral("lineColor"));

    m_transparent->setObjectName(QStringLiteral("transparent"));
    m_transparent->setChecked(fields.transparent);
    m_fillColor->setObjectName(QStringLiteral("fillColor"));
    m_fill->setObjectName(QStringLiteral("fillType"));
    m_fill->setIconSize(kFillPicture);
    for (const auto& entry : DrawSheetTables::kFills) m_fill->addItem(FillPicture(entry), QString());
    m_fill->setCurrentIndex(fields.fill.value_or(-1));

    auto* line = new QGroupBox(QStringLiteral("Line"));
    auto* lineForm = new QFormLayout(line);
    lineForm->addRow(QStringLiteral("&Width:"), m_width);
    lineForm->addRow(QStringLiteral("St&yle:"), m_style);
    lineForm->addRow(m_lineColor);
    auto* fill = new QGroupBox(QStringLiteral("Fill"));
    auto* fillForm = new QFormLayout(fill);
    fillForm->addRow(m_transparent);
    fillForm->addRow(m_fillColor);
    fillForm->addRow(QStringLiteral("&Pattern:"), m_fill);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line);
    layout->addWidget(fill);
    layout->addStretch();
}

void LineFillPage::Confirm() {
    if (m_style->currentIndex() < 0) QMessageBox::warning(this, kProgramCaption, kUnknownPen);
    if (m_fill->currentIndex() < 0) QMessageBox::warning(this, kProgramCaption, kUnknownFill);
}

void LineFillPage::Apply(CDrawObj& object) const {
    const auto entry = [](const QComboBox* list) {
        return list->currentIndex() < 0 ? std::nullopt : std::optional<int>(list->currentIndex());
    };
    DrawSheetTables::ApplyLineAndFill(object, {m_width->value(), entry(m_style), m_lineColor->Color(),
                                               m_transparent->isChecked(), entry(m_fill), m_fillColor->Color()});
}
