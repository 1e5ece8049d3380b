#pragma once

#include <QCursor>
#include <QPoint>
#include <QRect>

class QPainter;

// A rubber-band selection with eight handles: a press on a handle resizes it, inside it moves
// it, elsewhere starts a new one. Coordinates are those of the window.
class SelectionTracker {
public:
    static constexpr int kHandle = 6;

    const QRect& Rect() const { return m_rect; }
    void SetRect(const QRect& rect) { m_rect = rect.normalized(); }
    void Clear() { m_rect = QRect(); }
    bool IsEmpty() const { return m_rect.isEmpty(); }

    void Press(const QPoint& point);
    // True when the rectangle changed.
    bool Move(const QPoint& point);
    void Release();
    bool Dragging() const { return m_mode != Mode::None; }
    // The cursor for the point: sizes over handles, moves inside.
    Qt::CursorShape CursorAt(const QPoint& point) const;
    void Paint(QPainter& painter) const;

private:
    enum class Mode { None, Create, Move, Resize };
    // Handle index 0..7 clockwise from the top-left, or -1.
    int HandleAt(const QPoint& point) const;
    QRect HandleRect(int handle) const;

    QRect m_rect;
    Mode m_mode = Mode::None;
    int m_handle = -1;
    QPoint m_anchor;
    QRect m_start;
};
