#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>

class CImageObject;
struct xcb_connection_t;

// The X screen through a connection of its own, so albora-cli grabs it under Qt's offscreen
// platform and the GUI's pickers can grab the pointer without fighting Qt's event loop.
class XcbScreen {
public:
    using Window = std::uint32_t;

    // The grabber's result codes.
    static constexpr int kGrabbed = 0;
    static constexpr int kNothingPicked = 100;
    static constexpr int kGrabFailed = 101;

    // DISPLAY names the server; empty means the DISPLAY variable.
    explicit XcbScreen(const QString& display = {});
    ~XcbScreen();
    XcbScreen(const XcbScreen&) = delete;
    XcbScreen& operator=(const XcbScreen&) = delete;

    bool IsOpen() const { return m_connection != nullptr; }
    // Why the screen cannot be read or the last grab failed.
    const QString& Error() const { return m_error; }
    xcb_connection_t* Connection() const { return m_connection; }
    Window Root() const { return m_root; }
    QRect Bounds() const { return {0, 0, m_width, m_height}; }

    // Each fills PICTURE with a 24-bit picture and returns a result code.
    int GrabScreen(CImageObject& picture);
    int GrabRectangle(const QRect& area, CImageObject& picture);
    // The whole window takes in the window manager's frame; the client area is the application's
    // own window; WINDOW may be either. A window that is not viewable gives kNothingPicked.
    enum class WindowPart { Whole, Client };
    int GrabWindow(Window window, WindowPart part, CImageObject& picture);
    // The window picked by a release at POINT.
    int GrabWindowAt(QPoint point, WindowPart part, CImageObject& picture);

    // The top-level window (the manager's frame) showing at POINT; the root over the background.
    Window TopLevelAt(QPoint point) const;
    // The top-level window holding WINDOW: the frame around an application's window.
    Window FrameOf(Window window) const;
    // The application's window inside FRAME: the one carrying WM_STATE; FRAME itself without a
    // window manager.
    Window ClientOf(Window frame) const;
    // What PART of WINDOW covers on the screen, border included for the whole window; empty when
    // the window is unknown.
    QRect Area(Window window, WindowPart part) const;
    bool Viewable(Window window) const;
    // The application's title, at most 100 characters.
    QString Title(Window window) const;

private:
    Window FindStateCarrier(Window window, int depthLeft) const;
    std::uint32_t Atom(const char* name) const;
    QString TextProperty(Window window, std::uint32_t property, std::uint32_t type) const;

    xcb_connection_t* m_connection = nullptr;
    Window m_root = 0;
    int m_width = 0;
    int m_height = 0;
    QString m_error;
};

// Whether X can read the screen here; WHY says what stands in the way when not.
bool XScreenReadable(QString* why = nullptr);
