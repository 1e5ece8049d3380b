#include "CapturedVideoPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

CapturedVideoPlayer::CapturedVideoPlayer(const QString& file, QWidget* parent)
    : QWidget(parent), m_player(new QMediaPlayer(this)) {
    auto* video = new QVideoWidget;
    auto* play = new QPushButton(QStringLiteral("&Play"));
    auto* position = new QSlider(Qt::Horizontal);
    m_player->setVideoOutput(video);
    m_player->setAudioOutput(new QAudioOutput(this));
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    connect(play, &QPushButton::clicked, this, [this] {
        m_player->playbackState() == QMediaPlayer::PlayingState ? m_player->pause() : m_player->play();
    });
    connect(m_player, &QMediaPlayer::playbackStateChanged, play, [play](QMediaPlayer::PlaybackState state) {
        play->setText(state == QMediaPlayer::PlayingState ? QStringLiteral("&Pause") : QStringLiteral("&Play"));
    });
    connect(m_player, &QMediaPlayer::durationChanged, position, [position](qint64 ms) { position->setRange(0, int(ms)); });
    connect(m_player, &QMediaPlayer::positionChanged, position, [position](qint64 ms) {
        if (!position->isSliderDown()) position->setValue(int(ms));
    });
    connect(position, &QSlider::sliderMoved, m_player, [this](int ms) { m_player->setPosition(ms); });
    auto* controls = new QHBoxLayout;
    controls->addWidget(play);
    controls->addWidget(position, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(video, 1);
    layout->addLayout(controls);
}

QSize CapturedVideoPlayer::sizeHint() const { return {320, 280}; }
