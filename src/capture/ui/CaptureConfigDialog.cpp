#include "CaptureConfigDialog.h"

#include "platform/CommandIds.h"
#include "platform/UiServices.h"
#include "sound/ui/LevelMeterDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const RecordingFormat kAudioFormats[] = {{8, 1, 11025}, {16, 1, 11025}, {16, 1, 22050}, {16, 2, 22050}, {16, 2, 44100}};

QString Describe(const RecordingFormat& f) {
    return QStringLiteral("PCM %1 Hz, %2 bits, %3")
        .arg(f.samplesPerSecond)
        .arg(f.bitsPerSample)
        .arg(f.channels == 1 ? QStringLiteral("mono") : QStringLiteral("stereo"));
}

}  // namespace

CaptureConfigDialog::CaptureConfigDialog(CaptureParameters& parameters, int& hardPlay, UiServices& ui, Buttons opens,
                                         QWidget* parent)
    : QDialog(parent), m_parameters(parameters), m_hardPlay(hardPlay), m_ui(ui) {
    setWindowTitle(QStringLiteral("Video capture configuration"));
    // Four significant digits bring 1000000 / 66666 back to "15".
    m_rate = new QLineEdit(QString::number(parameters.FramesPerSecond(), 'g', 4));
    m_rate->setObjectName(QStringLiteral("rate"));
    m_buffers = new QLabel;
    m_drop = new QSpinBox;
    m_drop->setRange(0, 100);
    m_drop->setSuffix(QStringLiteral(" %"));
    m_drop->setValue(parameters.percentDropForError);
    m_memory = new QCheckBox(QStringLiteral("Capt&ure to Memory"));
    m_memory->setChecked(parameters.captureToMemory);
    m_writeCacheOff = new QCheckBox(QStringLiteral("I&nactive Write Cache"));
    m_writeCacheOff->setChecked(parameters.writeCacheOff);
    m_audio = new QCheckBox(QStringLiteral("&Capture audio"));
    m_audio->setChecked(parameters.captureAudio);
    m_audioFormat = new QComboBox;
    for (const RecordingFormat& format : kAudioFormats) {
        m_audioFormat->addItem(Describe(format));
        if (format.bitsPerSample == parameters.audioFormat.bitsPerSample && format.channels == parameters.audioFormat.channels &&
            format.samplesPerSecond == parameters.audioFormat.samplesPerSecond)
            m_audioFormat->setCurrentIndex(m_audioFormat->count() - 1);
    }
    auto* levels = new QPushButton(QStringLiteral("C&heck audio level..."));
    connect(levels, &QPushButton::clicked, this, [this] {
        const RecordingFormat format = kAudioFormats[std::max(0, m_audioFormat->currentIndex())];
        ShowLevelMeter(this, format.channels, format.bitsPerSample, format.samplesPerSecond);
    });
    m_compression = new QComboBox;
    m_compression->setObjectName(QStringLiteral("compression"));
    m_compression->addItems({QStringLiteral("Motion JPEG"), QStringLiteral("Uncompressed")});
    m_compression->setCurrentIndex(parameters.compressed ? 0 : 1);
    m_hardwarePlay = new QCheckBox(QStringLiteral("Hard&ware play"));
    m_hardwarePlay->setChecked(hardPlay != 0);
    m_timeLimit = new QSpinBox;
    m_timeLimit->setRange(0, 24 * 3600);
    m_timeLimit->setSuffix(QStringLiteral(" s"));
    m_timeLimit->setSpecialValueText(QStringLiteral("None"));
    m_timeLimit->setValue(parameters.timeLimitSeconds);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Fram&e rate:"), m_rate);
    form->addRow(QStringLiteral("V&ideo buffers:"), m_buffers);
    form->addRow(QStringLiteral("Ma&x. Drop Rate:"), m_drop);
    form->addRow(m_memory);
    form->addRow(m_writeCacheOff);
    form->addRow(m_audio);
    form->addRow(QStringLiteral("Sound format"), m_audioFormat);
    form->addRow(QString(), levels);
    form->addRow(QStringLiteral("Save Com&pression:"), m_compression);
    form->addRow(m_hardwarePlay);
    form->addRow(QStringLiteral("Time limit"), m_timeLimit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ButtonRow(std::move(opens)));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CaptureConfigDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto showBuffers = [this] { m_buffers->setText(QString::number(m_memory->isChecked() ? 32 : 1000)); };
    connect(m_memory, &QCheckBox::toggled, this, showBuffers);
    showBuffers();
}

QWidget* CaptureConfigDialog::ButtonRow(Buttons buttons) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const QString& text, std::function<void()> open) {
        auto* button = new QPushButton(text);
        button->setEnabled(bool(open));
        connect(button, &QPushButton::clicked, this, std::move(open));
        layout->addWidget(button);
    };
    add(QStringLiteral("Temporar&y capture file..."), std::move(buttons.captureFile));
    add(QStringLiteral("Video &Format..."), std::move(buttons.device[Cmd::VfwVideoFormat]));
    add(QStringLiteral("Video &Source..."), std::move(buttons.device[Cmd::VfwVideoSource]));
    add(QStringLiteral("Video &Display..."), std::move(buttons.device[Cmd::VfwVideoDisplay]));
    return row;
}

void CaptureConfigDialog::accept() {
    bool number = false;
    const double rate = m_rate->text().trimmed().toDouble(&number);
    QString refusal;
    const auto period = MicrosecondsPerFrame(number ? rate : 0, &refusal);
    if (!period) {
        m_ui.MessageBox(refusal, MsgButtons::Ok, MsgIcon::Exclamation);
        m_rate->setFocus();
        return;
    }
    m_parameters.microSecPerFrame = *period;
    m_parameters.percentDropForError = m_drop->value();
    m_parameters.captureToMemory = m_memory->isChecked();
    m_parameters.writeCacheOff = m_writeCacheOff->isChecked();
    m_parameters.captureAudio = m_audio->isChecked();
    m_parameters.compressed = m_compression->currentIndex() == 0;

    m_parameters.audioFormat = kAudioFormats[std::max(0, m_audioFormat->currentIndex())];
    m_parameters.timeLimitSeconds = m_timeLimit->value();
    m_hardPlay = m_hardwarePlay->isChecked() ? 1 : 0;
    QDialog::accept();
}
