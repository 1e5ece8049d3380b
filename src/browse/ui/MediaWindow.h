#pragma once

#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;
class QVideoWidget;
class SoundAnnotations;
class UiServices;

// The media window of the multimedia browser, titled "MCI not assigned": a file's name, mode and
// position with play, pause, stop and seek; a WAV file, or the sound input itself, can be
// recorded through the sound-note recorder.
class MediaWindow : public QWidget {
    Q_OBJECT

public:
    // FILE to play, or empty for the sound input alone (the "waveaudio" device).
    MediaWindow(const QString& file, SoundAnnotations& sound, UiServices& ui, QWidget* parent = nullptr);
    ~MediaWindow() override;

    QMediaPlayer* Player() const { return m_player; }
    QString Mode() const;
    void Record();

private:
    void ShowState();

    QString m_file;
    SoundAnnotations& m_sound;
    UiServices& m_ui;
    QMediaPlayer* m_player;
    QAudioOutput* m_output;
    QVideoWidget* m_video;
    QLabel* m_name;
    QLabel* m_mode;
    QLabel* m_position;
    QSlider* m_seek;
    QPushButton* m_record;
};
