#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
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
    QRect Band() const { return QRect(m_start, m_end).normalized(); }
    void Finish(bool withRectangle);

    QImage m_frozen;
    Feedback m_feedback;
    QString m_text;
    QPoint m_start, m_end;
    bool m_started = false;
    bool m_done = false;
    std::optional<QRect> m_result;
};
