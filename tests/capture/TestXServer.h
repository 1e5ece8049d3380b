#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

// An Xvfb of its own on a free display number, managed by twm (a reparenting window manager), so
// frames and client windows are as on a user's desktop.
class TestXServer {
public:
    TestXServer(int width = 640, int height = 480);
    ~TestXServer();
    bool Ready() const { return m_ready; }
    const QString& Display() const { return m_display; }

    // A top-level window at X,Y of one colour (0xRRGGBB), named TITLE, shown and framed by twm;
    // UNMAPPED leaves it hidden. Its id.
    std::uint32_t AddWindow(int x, int y, int width, int height, std::uint32_t colour, const QString& title,
                            bool unmapped = false);

private:
    bool Managed() const;
    bool Framed(std::uint32_t window) const;

    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_manager;
    QString m_display;
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    bool m_ready = false;
};
