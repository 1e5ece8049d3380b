#include "PresentationSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/widgets/ThemeIcon.h"

namespace {

constexpr int kPictureSize = 64;
constexpr int kIndent = 20;

QCheckBox* Check(const char* name, const QString& text, bool checked) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    return box;
}

}  // namespace

PresentationSetupDialog::PresentationSetupDialog(const PresentationOptions& options, Moment moment,
                                                 QWidget* parent)
    : QDialog(parent),
      m_options(options),
      m_fit(Check("fitToScreen", QStringLiteral("Resi&ze large images to fit screen size"),
                  options.fitToScreen)),
      m_playAudio(Check("playAudio", QStringLiteral("Play audio &annotation"), options.playAudio)),
      m_waitForSound(
          Check("waitForSound", QStringLiteral("Wait for sound annotation"), options.waitForSound)),
      m_repeat(Check("repeat", QStringLiteral("&Repeat continuously"), options.repeat)),
      m_showInfo(Check("showInfo", QStringLiteral("Show &image information"), options.showInfo)),
      m_startAtCurrent(Check("startAtCurrent", QStringLiteral("Start at the current card"),
                             options.startAtCurrent)),
      m_delay(new QSpinBox),
      m_noDelay(Check("noDelay", QStringLiteral("&No delay"), options.noDelay)),
      m_unit(new QComboBox) {
    setWindowTitle(QStringLiteral("Presentations setup"));
    m_delay->setObjectName(QStringLiteral("delay"));
    m_delay->setRange(0, PresentationOptions::kMaxDelay);
    m_delay->setValue(options.delay);
    m_unit->setObjectName(QStringLiteral("delayUnit"));
    m_unit->addItems({QStringLiteral("seconds"), QStringLiteral("miliseconds")});
    m_unit->setCurrentIndex(options.delayUnit);
    // Where the show begins is settled once it runs.
    m_startAtCurrent->setEnabled(moment == Moment::Start);

    auto* picture = new QLabel;
    picture->setPixmap(ThemeIcon(QStringLiteral("x-office-presentation")).pixmap(kPictureSize));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The wait belongs to the note, so it sits indented under "Play audio annotation".
    auto* wait = new QHBoxLayout;
    wait->addSpacing(kIndent);
    wait->addWidget(m_waitForSound);
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_fit);
    checks->addWidget(m_playAudio);
    checks->addLayout(wait);
    for (QCheckBox* box : {m_repeat, m_showInfo, m_startAtCurrent}) checks->addWidget(box);

    auto* transition = new QGroupBox(QStringLiteral("Transition"));
    auto* grid = new QGridLayout(transition);
    auto* delayLabel = new QLabel(QStringLiteral("&Delay:"));
    delayLabel->setBuddy(m_delay);
    grid->addWidget(delayLabel, 0, 0);
    grid->addWidget(m_delay, 0, 1);
    grid->addWidget(m_unit, 0, 2);
    grid->addWidget(m_noDelay, 1, 0, 1, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Begin..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(checks, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(transition);
    layout->addWidget(buttons);

    connect(m_noDelay, &QCheckBox::toggled, this, &PresentationSetupDialog::UpdateEnabled);
    connect(m_playAudio, &QCheckBox::toggled, this, &PresentationSetupDialog::UpdateEnabled);
    UpdateEnabled();
}

void PresentationSetupDialog::UpdateEnabled() {
    const bool timed = !m_noDelay->isChecked();
    m_delay->setEnabled(timed);
    m_unit->setEnabled(timed);
    m_waitForSound->setEnabled(m_playAudio->isChecked());
}

PresentationOptions PresentationSetupDialog::Options() const {
    PresentationOptions options = m_options;
    options.fitToScreen = m_fit->isChecked();
    options.playAudio = m_playAudio->isChecked();
    options.waitForSound = m_waitForSound->isChecked();
    options.repeat = m_repeat->isChecked();
    options.showInfo = m_showInfo->isChecked();
    options.startAtCurrent = m_startAtCurrent->isChecked();
    options.delay = m_delay->value();
    options.noDelay = m_noDelay->isChecked();
    options.delayUnit = m_unit->currentIndex();
    return options;
}

bool PresentationSetupDialog::Edit(PresentationOptions& options, Moment moment, QWidget* parent) {
    PresentationSetupDialog dialog(options, moment, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    options = dialog.Options();
    return true;
}
