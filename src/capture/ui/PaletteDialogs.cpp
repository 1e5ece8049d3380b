#include "PaletteDialogs.h"

#include "image/ImagePalette.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kSwatch = 16;
constexpr int kPerRow = 16;

QPixmap Swatches(const ImagePalette& palette) {
    const int count = std::max(palette.Count(), 1);
    QPixmap grid(kPerRow * kSwatch, (count + kPerRow - 1) / kPerRow * kSwatch);
    grid.fill(Qt::lightGray);
    QPainter painter(&grid);
    for (int i = 0; i < palette.Count(); ++i) {
        const PaletteEntry& e = palette.Entries()[std::size_t(i)];
        painter.fillRect(i % kPerRow * kSwatch, i / kPerRow * kSwatch, kSwatch - 1, kSwatch - 1, QColor(e.red, e.green, e.blue));
    }
    return grid;
}

}  // namespace

MakePaletteDialog::MakePaletteDialog(QWidget* parent)
    : FormDialog(parent, QStringLiteral("Make palette")), m_colours(new QSpinBox), m_frames(new QSpinBox) {
    m_colours->setObjectName(QStringLiteral("colours"));
    m_colours->setRange(1, 256);
    m_colours->setValue(236);
    m_frames->setObjectName(QStringLiteral("frames"));
    m_frames->setRange(1, 100);
    m_frames->setValue(10);
    Form()->addRow(QStringLiteral("&Colors:"), m_colours);
    Form()->addRow(QStringLiteral("&Frames:"), m_frames);
}

int MakePaletteDialog::Colours() const { return m_colours->value(); }
int MakePaletteDialog::Frames() const { return m_frames->value(); }

void ShowPalette(const ImagePalette& palette, const QString& caption, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* swatches = new QLabel;
    swatches->setPixmap(Swatches(palette));
    auto* count = new QLabel(palette.Count() ? QStringLiteral("%1 colours").arg(palette.Count())
                                             : QStringLiteral("The camera's own colours"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(swatches);
    layout->addWidget(count);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
}
