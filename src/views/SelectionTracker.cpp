#include "SelectionTracker.h"

#include <QPainter>

namespace {
// The handles' positions as fractions of the rectangle, clockwise from the top-left.
constexpr int kFx[8] = {0, 1, 2, 2, 2, 1, 0, 0};
constexpr int kFy[8] = {0, 0, 0, 1, 2, 2, 2, 1};
}  // namespace

QRect SelectionTracker::HandleRect(int handle) const {
    const int x = m_rect.left() + kFx[handle] * m_rect.width() / 2;
    const int y = m_rect.top() + kFy[handle] * m_rect.height() / 2;
    return QRect(x - kHandle / 2, y - kHandle / 2, kHandle, kHandle);
}

int SelectionTracker::HandleAt(const QPoint& point) const {
    if (m_rect.isEmpty()) return -1;
    for (int h = 0; h < 8; ++h)
        if (HandleRect(h).adjusted(-1, -1, 1, 1).contains(point)) return h;
    return -1;
}

void SelectionTracker::Press(const QPoint& point) {
    m_anchor = point;
    m_start = m_rect;
    m_handle = HandleAt(point);
    if (m_handle >= 0)
        m_mode = Mode::Resize;
    else if (m_rect.contains(point))
        m_mode = Mode::Move;
    else {
        m_mode = Mode::Create;
        m_rect = QRect(point, QSize(0, 0));
    }
}

bool SelectionTracker::Move(const QPoint& point) {
    const QRect before = m_rect;
    const QPoint delta = point - m_anchor;
    switch (m_mode) {
        case Mode::None: return false;
        case Mode::Create: m_rect = QRect(m_anchor, point).normalized(); break;
        case Mode::Move: m_rect = m_start.translated(delta); break;
        case Mode::Resize: {
            QRect r = m_start;
            if (kFx[m_handle] == 0) r.setLeft(r.left() + delta.x());
            if (kFx[m_handle] == 2) r.setRight(r.right() + delta.x());
            if (kFy[m_handle] == 0) r.setTop(r.top() + delta.y());
            if (kFy[m_handle] == 2) r.setBottom(r.bottom() + delta.y());
            m_rect = r.normalized();
            break;
        }
    }
    return m_rect != before;
}

void SelectionTracker::Release() {
    m_mode = Mode::None;
    if (m_rect.width() <= 1 || m_rect.height() <= 1) m_rect = QRect();
}

Qt::CursorShape SelectionTracker::CursorAt(const QPoint& point) const {
    switch (HandleAt(point)) {
        case 0: case 4: return Qt::SizeFDiagCursor;
        case 2: case 6: return Qt::SizeBDiagCursor;
        case 1: case 5: return Qt::SizeVerCursor;
        case 3: case 7: return Qt::SizeHorCursor;
        default: return m_rect.contains(point) ? Qt::SizeAllCursor : Qt::CrossCursor;
    }
}

void SelectionTracker::Paint(QPainter& painter) const {
    if (m_rect.isEmpty()) return;
    painter.save();
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
    for (int h = 0; h < 8; ++h) painter.fillRect(HandleRect(h), Qt::white);
    painter.restore();
}
