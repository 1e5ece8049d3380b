#include "WindowPicker.h"

#include "capture/XcbScreen.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

constexpr int kHighlight = 3;
constexpr int kUpArrowGlyph = 114;  // XC_sb_up_arrow of the cursor font
constexpr int kPollMs = 15;

// Four thin override-redirect windows along a window's edges: nothing is drawn on the root or on
// the window itself, so nothing has to be restored.
class Highlight {
public:
    explicit Highlight(XcbScreen& screen) : m_c(screen.Connection()) {
        const std::uint32_t values[] = {0xff0000, 1};
        for (xcb_window_t& edge : m_edges) {
            edge = xcb_generate_id(m_c);
            xcb_create_window(m_c, XCB_COPY_FROM_PARENT, edge, screen.Root(), 0, 0, 1, 1, 0,
                              XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                              XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        }
    }
    ~Highlight() {
        for (xcb_window_t edge : m_edges) xcb_destroy_window(m_c, edge);
        xcb_flush(m_c);
    }
    bool IsEdge(std::uint32_t window) const {
        return std::find(m_edges.begin(), m_edges.end(), window) != m_edges.end();
    }
    void Show(const QRect& area) {
        const QRect edges[] = {{area.left(), area.top(), area.width(), kHighlight},
                               {area.left(), area.bottom() - kHighlight + 1, area.width(), kHighlight},
                               {area.left(), area.top(), kHighlight, area.height()},
                               {area.right() - kHighlight + 1, area.top(), kHighlight, area.height()}};
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t geometry[] = {std::uint32_t(edges[i].x()), std::uint32_t(edges[i].y()),
                                              std::uint32_t(std::max(1, edges[i].width())),
                                              std::uint32_t(std::max(1, edges[i].height())), XCB_STACK_MODE_ABOVE};
            xcb_configure_window(m_c, m_edges[i],
                                 XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                                     XCB_CONFIG_WINDOW_HEIGHT | XCB_CONFIG_WINDOW_STACK_MODE,
                                 geometry);
            xcb_map_window(m_c, m_edges[i]);
        }
        xcb_flush(m_c);
    }
    void Hide() {
        for (xcb_window_t edge : m_edges) xcb_unmap_window(m_c, edge);
        xcb_flush(m_c);
    }

private:
    xcb_connection_t* m_c;
    std::array<xcb_window_t, 4> m_edges{};
};

// The pointer held for the pick, with the up-arrow cursor; let go however the pick ends.
class PointerGrab {
public:
    explicit PointerGrab(XcbScreen& screen) : m_c(screen.Connection()) {
        const xcb_font_t font = xcb_generate_id(m_c);
        xcb_open_font(m_c, font, 6, "cursor");
        m_cursor = xcb_generate_id(m_c);
        xcb_create_glyph_cursor(m_c, m_cursor, font, font, kUpArrowGlyph, kUpArrowGlyph + 1, 0, 0, 0, 0xffff, 0xffff,
                                0xffff);
        xcb_close_font(m_c, font);
        const std::uint16_t events =
            XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
        auto* reply = xcb_grab_pointer_reply(
            m_c,
            xcb_grab_pointer(m_c, 0, screen.Root(), events, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
                             m_cursor, XCB_CURRENT_TIME),
            nullptr);
        m_held = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(reply);
        auto* keys = xcb_grab_keyboard_reply(
            m_c, xcb_grab_keyboard(m_c, 0, screen.Root(), XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr);
        std::free(keys);
    }
    ~PointerGrab() {
        xcb_ungrab_pointer(m_c, XCB_CURRENT_TIME);
        xcb_ungrab_keyboard(m_c, XCB_CURRENT_TIME);
        xcb_free_cursor(m_c, m_cursor);
        xcb_flush(m_c);
    }
    bool Held() const { return m_held; }

private:
    xcb_connection_t* m_c;
    xcb_cursor_t m_cursor = 0;
    bool m_held = false;
};

constexpr std::uint8_t kEscapeKeycode = 9;  // evdev's Escape, as Xorg and Xvfb map it

}  // namespace

std::optional<QPoint> WindowPicker::Pick(XcbScreen& screen, const std::function<void(const QString&)>& feedback) {
    if (!screen.IsOpen()) return std::nullopt;
    const PointerGrab grab(screen);
    if (!grab.Held()) return std::nullopt;
    Highlight highlight(screen);
    xcb_connection_t* c = screen.Connection();
    std::uint32_t last = 0;
    std::optional<QPoint> released;
    bool done = false;

    QEventLoop loop;
    QTimer poll;
    // Polled rather than watched: replies read for the tree queries queue events too.
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const int type = event->response_type & 0x7f;
            if (type == XCB_MOTION_NOTIFY) {
                const auto* motion = reinterpret_cast<xcb_motion_notify_event_t*>(event);
                const std::uint32_t under = screen.TopLevelAt(QPoint(motion->root_x, motion->root_y));
                if (under != last && !highlight.IsEdge(under)) {
                    last = under;
                    if (under == screen.Root())
                        highlight.Hide();
                    else
                        highlight.Show(screen.Area(under, XcbScreen::WindowPart::Whole));
                    if (feedback) feedback(screen.Title(under));
                }
            } else if (type == XCB_BUTTON_RELEASE) {
                const auto* button = reinterpret_cast<xcb_button_release_event_t*>(event);
                if (button->detail == XCB_BUTTON_INDEX_1) {
                    released = QPoint(button->root_x, button->root_y);
                    done = true;
                }
            } else if (type == XCB_KEY_PRESS && reinterpret_cast<xcb_key_press_event_t*>(event)->detail == kEscapeKeycode) {
                done = true;
            }
            std::free(event);
        }
        if (done || xcb_connection_has_error(c)) loop.quit();
    });
    poll.start(kPollMs);
    loop.exec();
    highlight.Hide();
    return released;
}
