#pragma once

#include "platform/ObjectArchive.h"

#include <QString>
#include <cstdint>

// A card: one object file on disk (image, AVI or WAV) with its name, description and time stamp.
class CFotoObj final : public Serializable {
public:
    static const ClassInfo kClass;

    // A new card: empty texts, the current time.
    CFotoObj();
    // Copies name, description, graphic and time; the reserved texts stay empty.
    CFotoObj(const CFotoObj& other);
    CFotoObj& operator=(const CFotoObj& other);

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    QString m_strName;
    QString m_strDescription;
    QString m_strGraphic;
    std::uint32_t m_time;
    QString m_strReserved[5];
};

// The files that belong to a card: its object file with the file name cut before its first "."
// (leading dots skipped) and another extension, so "2024.05 Trip/IMG_1.jpg" gives
// "2024.05 Trip/IMG_1.wav".
QString CompanionFileName(const QString& graphic, const QString& extension);
// The name earlier versions gave, cut at the first "." of the whole path: every card below a
// dotted folder shared one. Notes found only under it are still used.
QString LegacyCompanionFileName(const QString& graphic, const QString& extension);
inline QString SoundFileName(const QString& graphic) { return CompanionFileName(graphic, ".wav"); }
// The card's note as it is on disk, ".wav" or ".WAV" (as cameras name it), under its own name or
// else the one earlier versions gave; empty when it has none.
QString ExistingSoundFile(const QString& graphic);
inline QString DrawFileName(const QString& graphic) { return CompanionFileName(graphic, ".adw"); }
