#include "LiveCam.h"

#include "image/CJpegImage.h"
#include "image/ImageLibrary.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <memory>

LiveCam::LiveCam(FrameSource frames, UiServices& ui, QObject* parent)
    : QObject(parent), m_frames(std::move(frames)), m_ui(ui) {
    m_pool.setMaxThreadCount(1);
    connect(&m_timer, &QTimer::timeout, this, &LiveCam::Tick);
}

// The last write finishes; its answer, queued to an object that is gone, is dropped.
LiveCam::~LiveCam() { m_pool.waitForDone(); }

void LiveCam::Begin(const LiveCamSettings& settings) {
    m_settings = settings;
    m_errors = 0;
    m_timer.start(std::max(settings.rateMs, 1));
}

void LiveCam::Stop() { m_timer.stop(); }

void LiveCam::Tick() {
    if (m_busy) return;
    auto frame = std::make_shared<CImageObject>(m_frames ? m_frames() : CImageObject());
    if (!frame->IsValid()) return;
    m_busy = true;
    const QString path = QDir::current().absoluteFilePath(m_settings.imagePath);
    const int quality = ImageLibrary::JpegQuality();
    m_pool.start([this, frame, path, quality] {
        QByteArray jpeg = CJpegImage::Encode(*frame->GetImplementation(), quality);
        const bool written = !jpeg.isEmpty() && SafeFile::Write(path, jpeg);
        QMetaObject::invokeMethod(this, [this, jpeg = std::move(jpeg), written] { Finish(jpeg, written); },
                                  Qt::QueuedConnection);
    });
}

void LiveCam::Finish(const QByteArray& jpeg, bool written) {
    m_busy = false;
    if (written) {
        m_errors = 0;
        m_ui.SetStatusText(0, QStringLiteral("LiveCamWebServer: image capture OK"));
        Q_EMIT TickDone(jpeg);
        return;
    }
    ++m_errors;
    m_ui.SetStatusText(0, QStringLiteral("Error: Convert JPEG LiveCamWebServer! (#%1)").arg(m_errors));
    Q_EMIT TickDone({});
    if (m_errors > m_settings.maxErrors) {
        Stop();
        m_ui.MessageBox(QStringLiteral("Error:\nLiveCamWebServer, can't continue!\nMax errors!"), MsgButtons::Ok,
                        MsgIcon::Stop);
        Q_EMIT GaveUp();
    }
}
