#pragma once

#include "OverlayWindows.h"
#include "capture/video/VideoCapture.h"
#include "platform/media/MciDevice.h"

class MciInterpreter;

// The "overlay" device of the MCI interpreter, over the video source of capture driver 0: the
// window it is bound to ("window A handle N") keys its picture in; "put A frame|source|
// destination [at X Y W H]" sets the part saved, the part shown and where it is shown (without
// "at": the whole picture, the whole window); "set A video on|off"; "freeze A" holds the current
// frame and "unfreeze A" goes live again; "load A FILE" shows a picture file as a held frame;
// "save A FILE FORMAT" writes the frame's part in one of the formats of OverlaySave.
class OverlayMciDevice final : public MciDevice, public OverlayVideo {
public:
    // Opens the source. One that runs already in this process (another window's camera) is
    // busy: "shareable" among OPTIONS shares its frames, otherwise MustUseShareable.
    static std::unique_ptr<MciDevice> Open(const QStringList& options, int& error, QString& reason);
    ~OverlayMciDevice() override;

    int Command(const QString& verb, const QStringList& words, QString& reason) override;
    OverlayPicture Shown(int timeoutMs) override;

private:
    explicit OverlayMciDevice(const QString& source) : m_source(source) {}
    // The held frame, or the newest live one.
    CImageObject Frame(int timeoutMs);
    int Window(const QStringList& words);
    int Put(const QStringList& words);
    int Set(const QStringList& words);
    int Freeze();
    int Save(const QStringList& words, QString& reason);
    int Load(const QStringList& words, QString& reason);

    QString m_source;
    VideoCapture m_camera;  // not connected while another's frames are shared
    bool m_shared = false;
    quint64 m_window = 0;
    QRect m_frame, m_sourceRect, m_destination;
    bool m_videoOn = true;
    CImageObject m_held;  // frozen or loaded
};

// Lets MCI open "overlay" devices.
void RegisterOverlayDevice(MciInterpreter& mci);
