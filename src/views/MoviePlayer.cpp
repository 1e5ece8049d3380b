#include "MoviePlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

MoviePlayer::MoviePlayer(const QString& file, QWidget* parent)
    : QWidget(parent, Qt::Window), m_player(new QMediaPlayer(this)) {
    setWindowTitle(QStringLiteral("Movie - %1").arg(QFileInfo(file).fileName()));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* video = new QVideoWidget;
    auto* audio = new QAudioOutput(this);
    auto* toggle = new QPushButton(QStringLiteral("&Pause"));
    m_player->setVideoOutput(video);
    m_player->setAudioOutput(audio);
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    connect(toggle, &QPushButton::clicked, this, [this, toggle] {
        const bool playing = m_player->playbackState() == QMediaPlayer::PlayingState;
        playing ? m_player->pause() : m_player->play();
        toggle->setText(playing ? QStringLiteral("&Play") : QStringLiteral("&Pause"));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(video, 1);
    layout->addWidget(toggle);
    resize(480, 400);
    m_player->play();
}
