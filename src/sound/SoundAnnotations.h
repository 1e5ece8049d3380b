#pragma once

#include <QString>

class CAppSettings;
class MciInterpreter;
class SoundPlayer;
class UiServices;

// A card's spoken note: the ".wav" file beside its object file, recorded through the MCI
// wave-audio device and played without waiting.
class SoundAnnotations {
public:
    static inline const QString kAlias = QStringLiteral("albosrec");

    SoundAnnotations(UiServices& ui, const CAppSettings& settings, MciInterpreter& mci,
                     SoundPlayer& player);

    // Asks, records and saves the note of OBJECTFILE; true when a sound file was saved.
    bool RecordSound(const QString& objectFile);
    // Asks, records and saves a sound into WAVFILE itself (the media window records a WAV file
    // so); the old file stays until the new one is saved over it.
    bool RecordInto(const QString& wavFile);
    // Starts the note of OBJECTFILE, if it has one, and returns at once. A note that cannot be
    // played is named in a box or, when PROBLEM is given, there ("NOTE (REASON)") for the caller.
    void PlaySound(const QString& objectFile, QString* problem = nullptr);
    // Whether the note exists, as ".wav" or ".WAV", under the object's name or the one earlier
    // versions gave it.
    static bool HasSound(const QString& objectFile);
    // The note of OBJECTFILE on disk: under its own name, else under the name earlier versions
    // gave it; empty when there is none.
    static QString ExistingNote(const QString& objectFile);
    // Deletes the note of OBJECTFILE; false when it had none or it could not be deleted.
    static bool DeleteSound(const QString& objectFile);
    // The note's file name ("IMG_0001.jpg" gives "IMG_0001.wav").
    static QString SoundFileOf(const QString& objectFile);

private:
    UiServices& m_ui;
    const CAppSettings& m_settings;
    MciInterpreter& m_mci;
    SoundPlayer& m_player;
};
