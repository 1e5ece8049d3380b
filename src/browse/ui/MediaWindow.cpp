#include "MediaWindow.h"

#include "platform/UiServices.h"
#include "sound/SoundAnnotations.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace {

QString Clock(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2.%3").arg(s / 60).arg(s % 60, 2, 10, QChar('0')).arg(ms % 1000 / 100);
}

}  // namespace

MediaWindow::MediaWindow(const QString& file, SoundAnnotations& sound, UiServices& ui, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_file(file),
      m_sound(sound),
      m_ui(ui),
      m_player(new QMediaPlayer(this)),
      m_output(new QAudioOutput(this)),
      m_video(new QVideoWidget),
      m_name(new QLabel(file.isEmpty() ? QStringLiteral("waveaudio") : QFileInfo(file).fileName())),
      m_mode(new QLabel),
      m_position(new QLabel),
      m_seek(new QSlider(Qt::Horizontal)),
      m_record(new QPushButton(QStringLiteral("&Record"))) {
    setWindowTitle(QStringLiteral("MCI not assigned"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_player->setAudioOutput(m_output);
    m_player->setVideoOutput(m_video);
    m_video->setMinimumSize(320, 0);
    m_video->hide();

    auto* play = new QPushButton(QStringLiteral("&Play"));
    auto* pause = new QPushButton(QStringLiteral("P&ause"));
    auto* stop = new QPushButton(QStringLiteral("&Stop"));
    const bool wave = file.isEmpty() || QFileInfo(file).suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0;
    m_record->setVisible(wave);
    for (QPushButton* b : {play, pause, stop}) b->setEnabled(!file.isEmpty());
    m_seek->setEnabled(!file.isEmpty());

    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(play), static_cast<QWidget*>(pause), static_cast<QWidget*>(stop),
                       static_cast<QWidget*>(m_record)})
        buttons->addWidget(w);
    auto* status = new QHBoxLayout;
    status->addWidget(m_name, 1);
    status->addWidget(m_mode);
    status->addWidget(m_position);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_video, 1);
    layout->addLayout(status);
    layout->addWidget(m_seek);
    layout->addLayout(buttons);

    connect(play, &QPushButton::clicked, m_player, &QMediaPlayer::play);
    connect(pause, &QPushButton::clicked, m_player, &QMediaPlayer::pause);
    connect(stop, &QPushButton::clicked, m_player, &QMediaPlayer::stop);
    connect(m_record, &QPushButton::clicked, this, &MediaWindow::Record);
    connect(m_seek, &QSlider::sliderMoved, m_player, [this](int ms) { m_player->setPosition(ms); });
    connect(m_player, &QMediaPlayer::durationChanged, this, [this](qint64 ms) { m_seek->setRange(0, int(ms)); });
    connect(m_player, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
        if (!m_seek->isSliderDown()) m_seek->setValue(int(ms));
        ShowState();
    });
    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &MediaWindow::ShowState);
    connect(m_player, &QMediaPlayer::hasVideoChanged, m_video, &QWidget::setVisible);
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& text) {
        m_ui.SetStatusText(0, QStringLiteral("Can't play %1: %2").arg(m_file, text));
        ShowState();
    });
    if (!file.isEmpty()) m_player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    ShowState();
}

MediaWindow::~MediaWindow() = default;

QString MediaWindow::Mode() const {
    if (m_file.isEmpty()) return QStringLiteral("Not ready");
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState:
        return QStringLiteral("Playing");
    case QMediaPlayer::PausedState:
        return QStringLiteral("Paused");
    case QMediaPlayer::StoppedState:
        break;
    }
    return m_player->error() != QMediaPlayer::NoError ? QStringLiteral("Not ready") : QStringLiteral("Stopped");
}

void MediaWindow::ShowState() {
    m_mode->setText(Mode());
    m_position->setText(Clock(m_player->position()));
}

// The file is let go while the recorder writes it, then read again.
void MediaWindow::Record() {
    QString target = m_file;
    if (target.isEmpty()) {
        const auto chosen = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Record"),
                                            QStringLiteral("Wave sound (*.wav)"), QStringLiteral("sound.wav"));
        if (!chosen || chosen->isEmpty()) return;
        target = *chosen;
    }
    m_player->stop();
    m_player->setSource({});
    if (m_sound.RecordInto(target) && m_file.isEmpty()) m_file = target;
    if (!m_file.isEmpty()) m_player->setSource(QUrl::fromLocalFile(QFileInfo(m_file).absoluteFilePath()));
    m_name->setText(m_file.isEmpty() ? QStringLiteral("waveaudio") : QFileInfo(m_file).fileName());
    for (QPushButton* b : findChildren<QPushButton*>()) b->setEnabled(!m_file.isEmpty() || b == m_record);
    m_seek->setEnabled(!m_file.isEmpty());
    ShowState();
}
