#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

// The current picture alone on the whole screen, in proportion on black. Esc or F11 leaves;
// Space, Backspace and the page keys ask for the next or previous card.
class FullScreenPicture : public QWidget {
public:
    explicit FullScreenPicture(QWidget* owner);

    // Called with +1 for the next card and -1 for the previous one.
    std::function<void(int)> step;

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};
