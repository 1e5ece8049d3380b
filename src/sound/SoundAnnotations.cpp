#include "SoundAnnotations.h"

#include "album/CAppSettings.h"
#include "album/CFotoObj.h"
#include "platform/UiServices.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"

#include <QFile>

namespace {

// Only this much of an object file's name counts.
constexpr int kNameLimit = 239;

QString Stem(const QString& objectFile) {
    const QString sound = SoundFileName(objectFile.left(kNameLimit));
    return sound.left(sound.size() - 4);
}

// Whether the object is itself a sound: the text between its first "." and the next one.
bool IsSoundObject(const QString& objectFile) {
    const qsizetype dot = objectFile.indexOf('.');
    if (dot < 0) return false;
    return objectFile.mid(dot + 1).section('.', 0, 0).compare(QStringLiteral("WAV"), Qt::CaseInsensitive) == 0;
}

}  // namespace

SoundAnnotations::SoundAnnotations(UiServices& ui, const CAppSettings& settings,
                                   MciInterpreter& mci, SoundPlayer& player)
    : m_ui(ui), m_settings(settings), m_mci(mci), m_player(player) {}

QString SoundAnnotations::SoundFileOf(const QString& objectFile) {
    return SoundFileName(objectFile.left(kNameLimit));
}

bool SoundAnnotations::HasSound(const QString& objectFile) {
    const QString stem = Stem(objectFile);
    return QFile::exists(stem + QStringLiteral(".wav")) || QFile::exists(stem + QStringLiteral(".WAV"));
}

bool SoundAnnotations::DeleteSound(const CFotoObj& card) {
    if (!HasSound(card.m_strGraphic)) return false;
    const QString stem = Stem(card.m_strGraphic);
    const QString lower = stem + QStringLiteral(".wav");
    return QFile::remove(QFile::exists(lower) ? lower : stem + QStringLiteral(".WAV"));
}

void SoundAnnotations::PlaySound(const QString& objectFile) {
    const QString stem = Stem(objectFile);
    const QString lower = stem + QStringLiteral(".wav");
    m_player.Play(QFile::exists(lower) ? lower : stem + QStringLiteral(".WAV"));
}

bool SoundAnnotations::RecordSound(const QString& objectFile) {
    if (objectFile.isEmpty()) {
        m_ui.MessageBox(QStringLiteral("If there is no object, can't assign a sound!"), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }
    if (IsSoundObject(objectFile)) {
        m_ui.MessageBox(QStringLiteral("Can't assign one sound  to another!"), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }
    if (m_ui.MessageBox(QStringLiteral("Press <Enter> to start recording\n\nRemember turn on your microphone."),
                        MsgButtons::OkCancel, MsgIcon::Information) != MsgAnswer::Ok)
        return false;
    // The old note is kept until the new one is saved over it, so a cancelled or failed
    // recording loses nothing.
    const QString stem = Stem(objectFile);
    const QString alias = kAlias;
    m_mci.SendString(QStringLiteral("open new type waveaudio alias %1 buffer 6").arg(alias));
    m_mci.SendString(m_settings.configSonido);
    m_mci.SendString(QStringLiteral("record %1").arg(alias));
    bool saved = false;
    if (m_ui.MessageBox(QStringLiteral("Recording...\nPress <Enter> to stop."), MsgButtons::OkCancel,
                        MsgIcon::Information) == MsgAnswer::Ok) {
        QString error;
        if (m_mci.SendString(QStringLiteral("save %1 \"%2.wav\"").arg(alias, stem), &error) != 0) {
            m_ui.MessageBox(QStringLiteral("Error:\nProblems saving sound!\n\n") + error, MsgButtons::Ok,
                            MsgIcon::Exclamation);
        } else {
            m_ui.MessageBox(QStringLiteral("Saved sound!\n\n") + stem + QStringLiteral(".wav"),
                            MsgButtons::Ok, MsgIcon::Information);
            saved = true;
        }
    }
    m_mci.SendString(QStringLiteral("close %1").arg(alias));
    return saved;
}
