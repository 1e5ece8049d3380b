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

}  // namespace

QString SoundAnnotations::ExistingNote(const QString& objectFile) {
    return ExistingSoundFile(objectFile.left(kNameLimit));
}

namespace {

// Whether the object is itself a sound: the text of its file name between the first "." and the
// next one.
bool IsSoundObject(const QString& objectFile) {
    const QString name = objectFile.section('/', -1).section('\\', -1);
    const qsizetype dot = name.indexOf('.');
    if (dot < 0) return false;
    return name.mid(dot + 1).section('.', 0, 0).compare(QStringLiteral("WAV"), Qt::CaseInsensitive) == 0;
}

}  // namespace

SoundAnnotations::SoundAnnotations(UiServices& ui, const CAppSettings& settings,
                                   MciInterpreter& mci, SoundPlayer& player)
    : m_ui(ui), m_settings(settings), m_mci(mci), m_player(player) {}

QString SoundAnnotations::SoundFileOf(const QString& objectFile) {
    return SoundFileName(objectFile.left(kNameLimit));
}

bool SoundAnnotations::HasSound(const QString& objectFile) { return !ExistingNote(objectFile).isEmpty(); }

bool SoundAnnotations::DeleteSound(const QString& objectFile) {
    const QString note = ExistingNote(objectFile);
    return !note.isEmpty() && QFile::remove(note);
}

void SoundAnnotations::PlaySound(const QString& objectFile, QString* problem) {
    const QString note = ExistingNote(objectFile);
    QString reason;
    if (note.isEmpty() || m_player.Play(note, &reason)) return;
    const QString named = QStringLiteral("%1 (%2)").arg(note, reason);
    if (problem)
        *problem = named;
    else
        m_ui.MessageBox(QStringLiteral("The sound note cannot be played:\n") + named, MsgButtons::Ok, MsgIcon::Exclamation);
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
    return RecordInto(Stem(objectFile) + QStringLiteral(".wav"));
}

bool SoundAnnotations::RecordInto(const QString& wavFile) {
    if (m_ui.MessageBox(QStringLiteral("Press <Enter> to start recording\n\nRemember turn on your microphone."),
                        MsgButtons::OkCancel, MsgIcon::Information) != MsgAnswer::Ok)
        return false;
    // The old note is kept until the new one is saved over it, so a cancelled or failed
    // recording loses nothing.
    const QString alias = kAlias;
    m_mci.SendString(QStringLiteral("open new type waveaudio alias %1 buffer 6").arg(alias));
    m_mci.SendString(m_settings.configSonido);
    m_mci.SendString(QStringLiteral("record %1").arg(alias));
    bool saved = false;
    if (m_ui.MessageBox(QStringLiteral("Recording...\nPress <Enter> to stop."), MsgButtons::OkCancel,
                        MsgIcon::Information) == MsgAnswer::Ok) {
        QString error;
        if (m_mci.SendString(QStringLiteral("save %1 \"%2\"").arg(alias, wavFile), &error) != 0) {
            m_ui.MessageBox(QStringLiteral("Error:\nProblems saving sound!\n\n") + error, MsgButtons::Ok,
                            MsgIcon::Exclamation);
        } else {
            m_ui.MessageBox(QStringLiteral("Saved sound!\n\n") + wavFile,
                            MsgButtons::Ok, MsgIcon::Information);
            saved = true;
        }
    }
    m_mci.SendString(QStringLiteral("close %1").arg(alias));
    return saved;
}
