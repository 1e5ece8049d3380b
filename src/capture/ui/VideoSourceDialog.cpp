#include "VideoSourceDialog.h"

#include "platform/media/VideoSources.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSlider>

VideoSourceDialog::VideoSourceDialog(VideoCapture& camera, int driver, QWidget* parent)
    : FormDialog(parent, QStringLiteral("Video Source")), m_camera(camera), m_before(camera.Balance()), m_device(new QComboBox) {
    m_device->setObjectName(QStringLiteral("device"));
    for (const VideoSource& source : ListVideoSources()) m_device->addItem(source.name);
    m_device->setCurrentIndex(driver);
    Form()->addRow(QStringLiteral("&Device:"), m_device);
    for (const BalanceChannel& channel : m_before) {
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setObjectName(channel.label);
        slider->setRange(channel.minimum, channel.maximum);
        slider->setValue(channel.value);
        connect(slider, &QSlider::valueChanged, this, [this, label = channel.label](int value) { m_camera.SetBalance(label, value); });
        QString name = channel.label;
        if (!name.isEmpty()) name[0] = name[0].toUpper();
        Form()->addRow(name + QLatin1Char(':'), slider);
    }
}

int VideoSourceDialog::Driver() const { return m_device->currentIndex(); }

void VideoSourceDialog::reject() {
    for (const BalanceChannel& channel : m_before) m_camera.SetBalance(channel.label, channel.value);
    QDialog::reject();
}
