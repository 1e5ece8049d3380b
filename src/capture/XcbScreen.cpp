#include "XcbScreen.h"

#include "ZPixmapPicture.h"
#include "image/CImageObject.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

constexpr int kMostTitle = 100;
// Frames nest the application's window a level or two down; a deeper tree is not a manager's.
constexpr int kMostFrameDepth = 4;

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <class T>
Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

}  // namespace

XcbScreen::XcbScreen(const QString& display) {
    const QByteArray name = display.toLocal8Bit();
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(display.isEmpty() ? nullptr : name.constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        const QByteArray shown = display.isEmpty() ? qgetenv("DISPLAY") : name;
        m_error = shown.isEmpty() ? QStringLiteral("no X display is set (DISPLAY is empty)")
                                  : QStringLiteral("the X display %1 cannot be opened").arg(QString::fromLocal8Bit(shown));
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(connection);
        m_error = QStringLiteral("the X display has no screen %1").arg(screenNumber);
        return;
    }
    m_connection = connection;
    m_root = it.data->root;
    m_width = it.data->width_in_pixels;
    m_height = it.data->height_in_pixels;
}

XcbScreen::~XcbScreen() {
    if (m_connection) xcb_disconnect(m_connection);
}

int XcbScreen::GrabScreen(CImageObject& picture) { return GrabRectangle(Bounds(), picture); }

int XcbScreen::GrabRectangle(const QRect& area, CImageObject& picture) {
    if (!m_connection) return kGrabFailed;
    const QRect shown = area.intersected(Bounds());
    if (shown.isEmpty()) {
        m_error = QStringLiteral("nothing of the rectangle is on the screen");
        return kGrabFailed;
    }
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    while (screens.rem && screens.data->root != m_root) xcb_screen_next(&screens);
    const xcb_screen_t& screen = *screens.data;

    ZPixmapLayout layout;
    layout.msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    int pad = 32;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == screen.root_depth) {
            layout.bitsPerPixel = f.data->bits_per_pixel;
            pad = f.data->scanline_pad;
        }
    const xcb_visualtype_t* visual = nullptr;
    for (auto d = xcb_screen_allowed_depths_iterator(&screen); d.rem && !visual; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen.root_visual) visual = v.data;
    if (visual) {
        layout.redMask = visual->red_mask;
        layout.greenMask = visual->green_mask;
        layout.blueMask = visual->blue_mask;
    }
    if (!visual || (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR && visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)) {
        m_error = QStringLiteral("the display does not show true colours");
        return kGrabFailed;
    }
    const int bits = shown.width() * layout.bitsPerPixel;
    layout.stride = (bits + pad - 1) / pad * pad / 8;

    xcb_generic_error_t* error = nullptr;
    const auto reply = Owned(xcb_get_image_reply(
        m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, std::int16_t(shown.x()), std::int16_t(shown.y()),
                      std::uint16_t(shown.width()), std::uint16_t(shown.height()), ~0u),
        &error));
    std::free(error);
    if (!reply) {
        m_error = QStringLiteral("the X server refused to give the screen's pixels");
        return kGrabFailed;
    }
    const int length = xcb_get_image_data_length(reply.get());
    if (!ZPixmapToPicture(xcb_get_image_data(reply.get()), std::size_t(length < 0 ? 0 : length), shown.width(),
                          shown.height(), layout, picture, &m_error))
        return kGrabFailed;
    return kGrabbed;
}

int XcbScreen::GrabWindowAt(QPoint point, WindowPart part, CImageObject& picture) {
    return GrabWindow(TopLevelAt(point), part, picture);
}

int XcbScreen::GrabWindow(Window window, WindowPart part, CImageObject& picture) {
    if (!m_connection) return kGrabFailed;
    window = FrameOf(window);
    if (part == WindowPart::Client) window = ClientOf(window);
    if (window != m_root && !Viewable(window)) {
        m_error = QStringLiteral("the window is not on the screen");
        return kNothingPicked;
    }
    const QRect area = Area(window, part).intersected(Bounds());
    if (area.isEmpty()) {
        m_error = QStringLiteral("the window is not on the screen");
        return kNothingPicked;
    }
    // What the screen shows there, as the user saw it when picking.
    return GrabRectangle(area, picture);
}

XcbScreen::Window XcbScreen::TopLevelAt(QPoint point) const {
    if (!m_connection) return 0;
    // The server knows which mapped child of the root holds the point: the top-most one.
    const auto reply = Owned(xcb_translate_coordinates_reply(
        m_connection,
        xcb_translate_coordinates(m_connection, m_root, m_root, std::int16_t(point.x()), std::int16_t(point.y())),
        nullptr));
    return reply && reply->child != XCB_WINDOW_NONE ? reply->child : m_root;
}

XcbScreen::Window XcbScreen::FrameOf(Window window) const {
    if (!m_connection) return window;
    for (int depth = 0; depth <= kMostFrameDepth && window != m_root; ++depth) {
        const auto tree = Owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree || tree->parent == m_root || tree->parent == XCB_WINDOW_NONE) return window;
        window = tree->parent;
    }
    return window;
}

XcbScreen::Window XcbScreen::ClientOf(Window frame) const {
    if (!m_connection || frame == m_root) return frame;
    const Window client = FindStateCarrier(frame, kMostFrameDepth);
    return client ? client : frame;
}

XcbScreen::Window XcbScreen::FindStateCarrier(Window window, int depthLeft) const {
    const auto state = Owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, Atom("WM_STATE"), XCB_ATOM_ANY, 0, 0), nullptr));
    if (state && state->type != XCB_ATOM_NONE) return window;
    if (depthLeft == 0) return 0;
    const auto tree = Owned(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
    if (!tree) return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    // Top-most first: the children come bottom to top.
    for (int i = xcb_query_tree_children_length(tree.get()) - 1; i >= 0; --i)
        if (const Window found = FindStateCarrier(children[i], depthLeft - 1)) return found;
    return 0;
}

QRect XcbScreen::Area(Window window, WindowPart part) const {
    if (!m_connection) return {};
    const auto geometry =
        Owned(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
    const auto origin = Owned(xcb_translate_coordinates_reply(
        m_connection, xcb_translate_coordinates(m_connection, window, m_root, 0, 0), nullptr));
    if (!geometry || !origin) return {};
    const int border = part == WindowPart::Whole ? geometry->border_width : 0;
    return {origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
            geometry->height + 2 * border};
}

bool XcbScreen::Viewable(Window window) const {
    if (!m_connection) return false;
    const auto attributes = Owned(
        xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

QString XcbScreen::Title(Window window) const {
    if (!m_connection) return {};
    const Window client = ClientOf(window);
    QString title = TextProperty(client, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"));
    if (title.isEmpty()) title = TextProperty(client, XCB_ATOM_WM_NAME, XCB_ATOM_ANY);
    return title.left(kMostTitle);
}

std::uint32_t XcbScreen::Atom(const char* name) const {
    const auto reply = Owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 1, std::uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
}

QString XcbScreen::TextProperty(Window window, std::uint32_t property, std::uint32_t type) const {
    if (property == XCB_ATOM_NONE) return {};
    // Four times the title's characters is room for any UTF-8; the rest is cut anyway.
    const auto reply = Owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, kMostTitle), nullptr));
    if (!reply || reply->format != 8) return {};
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    if (reply->type == Atom("UTF8_STRING")) return QString::fromUtf8(text, length);
    return QString::fromLatin1(text, length);
}

bool XScreenReadable(QString* why) {
    // Under Wayland an X server (Xwayland) shows only its own clients' windows: what it gives for
    // the rest is black, and a black picture is no capture.
    if (qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        if (why)
            *why = QStringLiteral("the desktop is a Wayland session, where X cannot read other programs' windows");
        return false;
    }
    const XcbScreen screen;
    if (!screen.IsOpen() && why) *why = screen.Error();
    return screen.IsOpen();
}
