#include "TestXServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <xcb/xcb.h>

namespace {

bool Poll(const std::function<bool()>& condition, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QThread::msleep(10);
    }
    return true;
}

}  // namespace

TestXServer::TestXServer(int width, int height) {
    // Xvfb picks a free display and writes its number to standard output.
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(width).arg(height),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server.waitForStarted() || !Poll([this] { return m_server.waitForReadyRead(50) || m_server.canReadLine(); }))
        return;
    m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine().trimmed());
    m_connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) return;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;

    const QString rc = m_dir.filePath(QStringLiteral("twmrc"));
    QFile config(rc);
    if (!config.open(QIODevice::WriteOnly)) return;
    // twm gives up without its fonts, and Xvfb has few: "fixed" is always there.
    config.write("RandomPlacement\nNoGrabServer\nUsePPosition \"on\"\n");
    for (const char* font : {"TitleFont", "MenuFont", "IconFont", "ResizeFont", "IconManagerFont"})
        config.write(QByteArray(font) + " \"fixed\"\n");
    config.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    m_manager.setProcessEnvironment(environment);
    m_manager.setStandardErrorFile(QProcess::nullDevice());
    m_manager.start(QStringLiteral("twm"), {QStringLiteral("-f"), rc});
    m_ready = m_manager.waitForStarted() && Poll([this] { return Managed(); });
}

TestXServer::~TestXServer() {
    if (m_connection) xcb_disconnect(m_connection);
    for (QProcess* process : {&m_manager, &m_server}) {
        process->terminate();
        if (!process->waitForFinished(2000)) process->kill();
        process->waitForFinished(1000);
    }
}

// Only a window manager redirects the root's children; asking does not disturb it.
bool TestXServer::Managed() const {
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, m_root), nullptr);
    const bool managed = attributes && (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
    std::free(attributes);
    return managed;
}

bool TestXServer::Framed(std::uint32_t window) const {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr);
    const bool framed = tree && tree->parent != m_root;
    std::free(tree);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return framed && viewable;
}

std::uint32_t TestXServer::AddWindow(int x, int y, int width, int height, std::uint32_t colour, const QString& title,
                                     bool unmapped) {
    const std::uint32_t window = xcb_generate_id(m_connection);
    const std::uint32_t values[] = {colour};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, std::int16_t(x), std::int16_t(y),
                      std::uint16_t(width), std::uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, values);
    // WM_NORMAL_HINTS with USPosition and USSize, so twm puts it where asked.
    std::uint32_t hints[18] = {3, std::uint32_t(x), std::uint32_t(y), std::uint32_t(width), std::uint32_t(height)};
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                        32, 18, hints);
    const QByteArray name = title.toUtf8();
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        std::uint32_t(name.size()), name.constData());
    if (unmapped) {
        xcb_flush(m_connection);
        return window;
    }
    xcb_map_window(m_connection, window);
    xcb_flush(m_connection);
    Poll([&] { return Framed(window); });
    // twm paints its frame after mapping; give it a moment.
    QThread::msleep(200);
    return window;
}
