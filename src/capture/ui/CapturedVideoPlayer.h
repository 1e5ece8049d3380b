#pragma once

#include <QWidget>

class QMediaPlayer;

// The captured sequence played inside the video window, with its own play button and position.
class CapturedVideoPlayer : public QWidget {
    Q_OBJECT

public:
    CapturedVideoPlayer(const QString& file, QWidget* parent);
    QMediaPlayer* Player() const { return m_player; }
    QSize sizeHint() const override;

private:
    QMediaPlayer* m_player;
};
