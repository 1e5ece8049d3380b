#include "RecordingDialog.h"

#include "capture/video/SequenceRecorder.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

RecordingDialog::RecordingDialog(const SequenceRecorder& recorder, int timeLimitSeconds, QWidget* parent)
    : QDialog(parent), m_count(new QLabel) {
    setWindowTitle(QStringLiteral("Video Sequence: Capture"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Capturing... Press Esc or click to stop.")));
    layout->addWidget(m_count);
    auto* counter = new QTimer(this);
    connect(counter, &QTimer::timeout, this,
            [this, &recorder] { m_count->setText(QStringLiteral("Frames: %1").arg(recorder.Frames())); });
    counter->start(200);
    if (timeLimitSeconds > 0) QTimer::singleShot(timeLimitSeconds * 1000, this, &QDialog::accept);
}

void RecordingDialog::mousePressEvent(QMouseEvent*) { accept(); }
