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
    m_frameNumber = 0;
    m_timer.start(std::max(settings.rateMs, 1));
}

void LiveCam::Stop() { m_timer.stop(); }

void LiveCam::Tick() {
    if (m_busy || !m_frames) return;
    std::optional<CImageObject> grabbed = m_frames(m_frameNumber);
    if (!grabbed) return;
    if (!grabbed->IsValid()) return Fail(QStringLiteral("Error: No new picture for LiveCamWebServer! (#%1)"));
    auto frame = std::make_shared<CImageObject>(std::move(*grabbed));
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
    if (!written) return Fail(QStringLiteral("Error: Convert JPEG LiveCamWebServer! (#%1)"));
    m_errors = 0;
    m_ui.SetStatusText(0, QStringLiteral("LiveCamWebServer: image capture OK"));
    Q_EMIT TickDone(jpeg);
}

void LiveCam::Fail(const QString& status) {
    ++m_errors;
    m_ui.SetStatusText(0, status.arg(m_errors));
    Q_EMIT TickDone({});
    if (m_errors > m_settings.maxErrors) {
        Stop();
        m_ui.MessageBox(QStringLiteral("Error:\nLiveCamWebServer, can't continue!\nMax errors!"), MsgButtons::Ok,
                        MsgIcon::Stop);
        Q_EMIT GaveUp();
    }
}
