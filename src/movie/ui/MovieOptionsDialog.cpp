#include "MovieOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace {

// A frame a new user is offered: a common screen size.
constexpr QSize kSuggestedFrame{1024, 768};

QSpinBox* SideBox(int value) {
    auto* box = new QSpinBox;
    box->setRange(2, 8192);
    box->setValue(value);
    return box;
}

}  // namespace

MovieOptionsDialog::MovieOptionsDialog(const AlbumMovieOptions& options, QWidget* parent)
    : FormDialog(parent, QStringLiteral("Make movie from album")),
      m_sound(new QCheckBox(QStringLiteral("Include sound annotations"))),
      m_captions(new QCheckBox(QStringLiteral("Write each card's name and description on its picture"))),
      m_fit(new QCheckBox(QStringLiteral("&Fit every picture into a frame of"))),
      m_width(SideBox(options.fit.isEmpty() ? kSuggestedFrame.width() : options.fit.width())),
      m_height(SideBox(options.fit.isEmpty() ? kSuggestedFrame.height() : options.fit.height())),
      m_filter(new QComboBox) {
    m_sound->setChecked(options.sound);
    m_captions->setChecked(options.captions);
    m_fit->setChecked(!options.fit.isEmpty());
    for (const char* name : ImageTransforms::kFilterNames) m_filter->addItem(QString::fromLatin1(name).toLower());
    m_filter->setCurrentIndex(int(options.filter));
    auto* frame = new QHBoxLayout;
    frame->addWidget(m_width);
    frame->addWidget(new QLabel(QStringLiteral("x")));
    frame->addWidget(m_height);
    frame->addWidget(new QLabel(QStringLiteral("pixels, filter")));
    frame->addWidget(m_filter);
    const auto follow = [this](bool fit) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_width, m_height, m_filter}) w->setEnabled(fit);
    };
    follow(m_fit->isChecked());
    connect(m_fit, &QCheckBox::toggled, this, follow);
    Form()->addRow(m_sound);
    Form()->addRow(m_captions);
    Form()->addRow(m_fit);
    Form()->addRow(frame);
}

AlbumMovieOptions MovieOptionsDialog::Options() const {
    AlbumMovieOptions options;
    options.sound = m_sound->isChecked();
    options.captions = m_captions->isChecked();
    if (m_fit->isChecked()) {
        options.fit = QSize(m_width->value(), m_height->value());
        options.filter = ImageTransforms::Filter(m_filter->currentIndex());
    }
    return options;
}
