#include "LevelMeterDialog.h"

#include "sound/LevelMeter.h"
#include "platform/media/GstSupport.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

MeterWidget::MeterWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 18);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

void MeterWidget::SetLevel(int level) {
    m_peak = LevelMeter::DecayPeak(m_peak, level);
    m_level = level;
    update();
}

void MeterWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(QRect(0, 0, X(m_level), height()), Qt::black);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawLine(X(m_peak), 0, X(m_peak), height());
}

LevelMeterDialog::LevelMeterDialog(const RecordingFormat& format, const QString& source, QWidget* parent)
    : QDialog(parent),
      m_format(format),
      m_capture(std::make_unique<AudioCapture>(source.isEmpty() ? DefaultAudioSource() : source, format)) {
    const bool stereo = format.channels > 1;
    setWindowTitle(stereo ? QStringLiteral("Recording Level (stereo)") : QStringLiteral("Recording Level (mono)"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please set the volume on your audio source:")), 0, 0, 1, 2);
    for (int c = 0; c < (stereo ? 2 : 1); ++c) {
        m_meters[c] = new MeterWidget;
        if (stereo) layout->addWidget(new QLabel(c == 0 ? QStringLiteral("L") : QStringLiteral("R")), 1 + c, 0);
        layout->addWidget(m_meters[c], 1 + c, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons, 3, 0, 1, 2);
}

LevelMeterDialog::~LevelMeterDialog() { m_capture->Stop(); }

bool LevelMeterDialog::Start() {
    // A twentieth of a second a buffer; the levels go to the meters on the window's thread.
    m_capture->SetChunkHandler(m_format.BytesPerSecond() / 20, [this](const QByteArray& chunk) {
        QMetaObject::invokeMethod(this, [this, chunk] { OnBuffer(chunk); }, Qt::QueuedConnection);
    });
    return m_capture->Start();
}

void LevelMeterDialog::OnBuffer(const QByteArray& buffer) {
    const auto levels = LevelMeter::ChannelLevels(buffer, m_format.bitsPerSample, m_format.channels);
    for (int c = 0; c < 2; ++c)
        if (m_meters[c]) m_meters[c]->SetLevel(levels[c]);
}

void ShowLevelMeter(QWidget* owner, int channels, int bitsPerSample, int samplesPerSecond,
                    const QString& source) {
    const RecordingFormat format{bitsPerSample == 16 ? 16 : 8, channels > 1 ? 2 : 1, samplesPerSecond};
    LevelMeterDialog dialog(format, source, owner);
    if (dialog.Start()) dialog.exec();
}
