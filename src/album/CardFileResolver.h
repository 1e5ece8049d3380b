#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// Finds a card's stored file on this computer. Albums made on Windows name their directory and
// files as "C:\ALBORA\Album_0000\IMG_0001.JPG" or bare "IMG_0001.JPG", in whatever case; albums
// are also moved between folders. The stored texts are never changed: this only says where the
// file is found now.
// ASSUMPTION: used from one thread at a time (the UI thread, or a batch command before it fans
// out), since it caches folder listings.
class CardFileResolver {
public:
    // ALBUMFILE is the album's path (empty for an unsaved album), DIRECTORY its stored directory.
    void SetAlbum(const QString& albumFile, const QString& directory);

    // The folder bare file names are found in: the stored directory when it exists here,
    // otherwise the album file's folder; empty when neither is known.
    QString Directory() const;
    // Whether the stored directory is missing here and the album file's folder stands in.
    bool DirectoryFallsBack() const;

    // The file STORED names here: as written (relative to Directory()), then the part after the
    // album directory below the album file's folder, then the bare file name in Directory() and
    // the album file's folder; each exactly, then ignoring case. When nothing exists, the path as
    // written.
    QString Resolve(const QString& stored) const;

private:
    QString FindIgnoringCase(const QString& base, const QString& relative) const;
    QString EntryIgnoringCase(const QString& folder, const QString& name) const;

    QString m_albumFolder;
    QString m_storedDirectory;
    QString m_directory;
    bool m_fallsBack = false;

    struct Listing {
        QDateTime modified;
        QDateTime listedAt;
        QHash<QString, QString> byFoldedName;
    };
    mutable QHash<QString, Listing> m_listings;
};
