#pragma once

#include "OverlayPlane.h"
#include "OverlayWindows.h"

#include <QImage>
#include <QSize>
#include <functional>
#include <optional>

class CAppSettings;
class MciInterpreter;
class UiServices;

// The overlay window without its widget, so that albora-cli draws the same window offscreen:
// it opens the "overlay" MCI device under the alias "alboovr", binds it to the window by the
// window's handle, keeps its rectangles in step with the window, paints the key colour, ruler
// and plane, keys the video in, and saves the picture.
class OverlayController final : public OverlaySurface {
public:
    // MCI must know the "overlay" device type (RegisterOverlayDevice).
    OverlayController(const CAppSettings& settings, UiServices& ui, MciInterpreter& mci);
    ~OverlayController() override;
    OverlayController(const OverlayController&) = delete;
    OverlayController& operator=(const OverlayController&) = delete;

    // HANDLE names this window in "window alboovr handle N".
    void SetHandle(quint64 handle);
    bool IsOpen() const { return m_open; }
    // Opens and binds the device (true when it is open already); a failure says so and leaves
    // the device closed.
    bool Open();
    void Close();
    // ARGUMENT is the file and the format, as SaveArgument makes it.
    bool SavePicture(const QString& argument);
    // The device's rectangles for a client area of CLIENT: the whole window with "flgLock",
    // else the device's own.
    void SetRectangles(QSize client);
    // One paint of a client area of CLIENT: the rectangles, then the key colour, the ruler and
    // the plane. Returns a message the caller shows once painting is over (the plane's, once
    // per file), or an empty text.
    QString Paint(QSize client);
    QString Caption() const;
    // The last paint with the video keyed in, waiting up to TIMEOUT_MS for the first frame.
    QImage Composite(int timeoutMs = 0);

    // "FILE FORMAT" with FILE quoted, so that a name with blanks stays one word; nothing for a
    // name that holds a quote, which MCI cannot carry.
    static std::optional<QString> SaveArgument(const QString& file, const QString& format);

    // Told every command string as it is sent.
    std::function<void(const QString&)> onCommand;

    void Bind(OverlayVideo* video) override { m_video = video; }
    void Unbind(OverlayVideo* video) override;

private:
    int Send(const QString& command);
    void Warn(const QString& text);

    const CAppSettings& m_settings;
    UiServices& m_ui;
    MciInterpreter& m_mci;
    quint64 m_handle = 0;
    bool m_open = false;
    OverlayVideo* m_video = nullptr;
    OverlayPlane m_plane;
    QSize m_client;
    QImage m_background;
};
