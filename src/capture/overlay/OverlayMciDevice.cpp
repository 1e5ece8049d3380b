#include "OverlayMciDevice.h"

#include "OverlaySave.h"
#include "capture/video/VideoSourceRegistry.h"
#include "image/ImageTransforms.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/VideoSources.h"

namespace {

constexpr int kFrameWaitMs = 2000;

bool IsWord(const QString& word, const char* expected) {
    return word.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::unique_ptr<MciDevice> OverlayMciDevice::Open(const QStringList& options, int& error, QString& reason) {
    bool shareable = false;
    for (const QString& option : options) {
        if (!IsWord(option, "shareable")) {
            error = MciInterpreter::UnrecognizedKeyword;
            return nullptr;
        }
        shareable = true;
    }
    const std::vector<VideoSource> sources = ListVideoSources();
    if (sources.empty()) {
        error = MciInterpreter::Hardware;
        reason = QStringLiteral("There is no video source.");
        return nullptr;
    }
    std::unique_ptr<OverlayMciDevice> device(new OverlayMciDevice(sources.front().pipeline));
    if (VideoSourceRegistry::InUse(device->m_source)) {
        if (!shareable) {
            error = MciInterpreter::MustUseShareable;
            return nullptr;
        }
        device->m_shared = true;
    } else if (!device->m_camera.Connect(device->m_source, {}, &reason)) {
        error = MciInterpreter::Hardware;
        return nullptr;
    }
    return device;
}

OverlayMciDevice::~OverlayMciDevice() {
    if (OverlaySurface* window = OverlayWindows::Find(m_window)) window->Unbind(this);
}

int OverlayMciDevice::Command(const QString& verb, const QStringList& words, QString& reason) {
    if (verb == QStringLiteral("window")) return Window(words);
    if (verb == QStringLiteral("put")) return Put(words);
    if (verb == QStringLiteral("set")) return Set(words);
    if (verb == QStringLiteral("save")) return Save(words, reason);
    if (verb == QStringLiteral("load")) return Load(words, reason);
    if (verb == QStringLiteral("freeze") || verb == QStringLiteral("unfreeze")) {
        if (!words.isEmpty()) return MciInterpreter::UnrecognizedKeyword;
        if (verb == QStringLiteral("freeze")) return Freeze();
        m_held = CImageObject();
        return MciInterpreter::Ok;
    }
    return MciInterpreter::UnrecognizedCommand;
}

CImageObject OverlayMciDevice::Frame(int timeoutMs) {
    if (m_held.IsValid()) return m_held.Clone();
    // A shared source whose owner has stopped gives no frame; the window then shows its key.
    return m_shared ? VideoSourceRegistry::SharedFrame(m_source, timeoutMs) : m_camera.NewestFrame(timeoutMs);
}

OverlayPicture OverlayMciDevice::Shown(int timeoutMs) {
    if (!m_videoOn) return {};
    return {Frame(timeoutMs).MakeBitmap(), m_sourceRect, m_destination};
}

int OverlayMciDevice::Window(const QStringList& words) {
    if (words.size() != 2 || !IsWord(words[0], "handle")) return MciInterpreter::MissingParameter;
    bool ok = false;
    const quint64 handle = words[1].toULongLong(&ok);
    if (!ok) return MciInterpreter::BadInteger;
    OverlaySurface* window = OverlayWindows::Find(handle);
    if (!window) return MciInterpreter::NoWindow;
    if (OverlaySurface* previous = OverlayWindows::Find(m_window); previous && previous != window) previous->Unbind(this);
    m_window = handle;
    window->Bind(this);
    return MciInterpreter::Ok;
}

int OverlayMciDevice::Put(const QStringList& words) {
    if (words.isEmpty()) return MciInterpreter::MissingParameter;
    QRect* rect = IsWord(words[0], "frame")         ? &m_frame
                  : IsWord(words[0], "source")      ? &m_sourceRect
                  : IsWord(words[0], "destination") ? &m_destination
                                                    : nullptr;
    if (!rect) return MciInterpreter::UnrecognizedKeyword;
    if (words.size() == 1) {
        *rect = QRect();  // the device's own: the whole picture, the whole window
        return MciInterpreter::Ok;
    }
    if (!IsWord(words[1], "at")) return MciInterpreter::UnrecognizedKeyword;
    if (words.size() != 6) return MciInterpreter::MissingParameter;
    int n[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        n[i] = words[2 + i].toInt(&ok);
        if (!ok) return MciInterpreter::BadInteger;
    }
    if (n[2] <= 0 || n[3] <= 0) return MciInterpreter::OutOfRange;
    *rect = QRect(n[0], n[1], n[2], n[3]);
    return MciInterpreter::Ok;
}

int OverlayMciDevice::Set(const QStringList& words) {
    if (words.size() != 2 || !IsWord(words[0], "video")) return MciInterpreter::UnrecognizedKeyword;
    if (!IsWord(words[1], "on") && !IsWord(words[1], "off")) return MciInterpreter::OutOfRange;
    m_videoOn = IsWord(words[1], "on");
    return MciInterpreter::Ok;
}

int OverlayMciDevice::Freeze() {
    CImageObject frame = Frame(kFrameWaitMs);
    if (!frame.IsValid()) return MciInterpreter::DeviceNotReady;
    m_held = std::move(frame);
    return MciInterpreter::Ok;
}

// save A FILE FORMAT...: the format's words follow the file name ("BMP type DIB 24-bit").
int OverlayMciDevice::Save(const QStringList& words, QString& reason) {
    if (words.size() < 2 || words[0].isEmpty()) return MciInterpreter::MissingParameter;
    const QString format = words.mid(1).join(QLatin1Char(' '));
    if (!OverlaySave::IsKnownFormat(format)) {
        reason = QStringLiteral("The format \"%1\" is not one the overlay saves in.").arg(format);
        return MciInterpreter::OutOfRange;
    }
    CImageObject frame = Frame(kFrameWaitMs);
    if (!frame.IsValid()) return MciInterpreter::DeviceNotReady;
    const QRect whole(0, 0, frame.GetWidth(), frame.GetHeight());
    const QRect part = m_frame.isNull() ? whole : m_frame.intersected(whole);
    if (part.isEmpty()) return MciInterpreter::OutOfRange;
    if (part != whole) frame = ImageTransforms::Crop(frame, part);
    if (const auto failure = OverlaySave::Write(frame, words[0], format)) {
        reason = *failure;
        return MciInterpreter::FileNotSaved;
    }
    return MciInterpreter::Ok;
}

int OverlayMciDevice::Load(const QStringList& words, QString& reason) {
    if (words.size() != 1) return MciInterpreter::MissingParameter;
    CImageObject picture;
    if (!picture.Load(words[0]) || !picture.IsValid()) {
        reason = picture.ReadError();
        return MciInterpreter::FileNotFound;
    }
    m_held = std::move(picture);
    return MciInterpreter::Ok;
}

void RegisterOverlayDevice(MciInterpreter& mci) { mci.RegisterDeviceType(QStringLiteral("overlay"), &OverlayMciDevice::Open); }
