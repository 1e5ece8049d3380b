#pragma once

#include <QObject>
#include <QTimer>

typedef struct _GstElement GstElement;

// Plays one sound file at a time without waiting for it: a new sound stops the one playing, a
// file that cannot be played plays nothing. The sound output is DefaultAudioSink().
class SoundPlayer : public QObject {
    Q_OBJECT

public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Starts PATH and returns at once; false, with REASON when given, when it could not be started.
    bool Play(const QString& path, QString* reason = nullptr);
    void Stop();
    bool IsPlaying() const { return m_pipeline != nullptr; }

Q_SIGNALS:
    // The sound ended, was stopped or failed.
    void finished();

private:
    void PollBus();

    GstElement* m_pipeline = nullptr;
    QTimer m_busTimer;
};
