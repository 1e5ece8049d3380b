#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <optional>

// The rectangle pick: the frozen screen on a full-screen window, where the right button starts a
// rubber band; its size is shown in its middle and the coordinates in the feedback line.
class RectanglePicker : public QWidget {
public:
    using Feedback = std::function<void(const QString&)>;
    // The rectangle in screen pixels; nullopt when the pick ended before a rectangle was started.
    static std::optional<QRect> Pick(const QImage& frozen, const Feedback& feedback);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    RectanglePicker(const QImage& frozen, const Feedback& feedback);
    // From the start to the pointer, the pointer's pixel not included: a click is empty.
    QRect Band() const {
        return {QPoint(std::min(m_start.x(), m_end.x()), std::min(m_start.y(), m_end.y())),
                QSize(std::abs(m_end.x() - m_start.x()), std::abs(m_end.y() - m_start.y()))};
    }
    void Finish(bool withRectangle);

    QImage m_frozen;
    Feedback m_feedback;
    QString m_text;
    QPoint m_start, m_end;
    bool m_started = false;
    bool m_done = false;
    std::optional<QRect> m_result;
};
