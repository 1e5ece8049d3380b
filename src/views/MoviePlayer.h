#pragma once

#include <QWidget>

class QMediaPlayer;

// "Movie": a window that plays a video or sound file, with a play/pause button.
class MoviePlayer : public QWidget {
    Q_OBJECT

public:
    MoviePlayer(const QString& file, QWidget* parent);
    QMediaPlayer* Player() const { return m_player; }

private:
    QMediaPlayer* m_player;
};
