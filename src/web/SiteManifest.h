#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// What the runs of the generator wrote into a site folder and from what, so that a new run
// rewrites only what changed and removes only what it made itself, never a file of the user's.
class SiteManifest {
public:
    static inline const QString kFileName = QStringLiteral(".albora-site.json");

    // The manifest kept in FOLDER; empty when there is none, it is damaged or it was not signed by
    // this user's runs (everything is then made again and nothing removed).
    static SiteManifest Load(const QString& folder);
    // The records of JSON, whoever signed it.
    static SiteManifest Parse(const QByteArray& json);

    // The facts recorded with OUTPUT (a name inside the folder) when it was made from KEY and the
    // file is still there as written; nullopt when it must be made again.
    std::optional<QJsonObject> Unchanged(const QString& folder, const QString& output, const QString& key) const;
    // Notes that OUTPUT, now in FOLDER, was made from KEY, with FACTS to give back later, and
    // what it holds: CONTENT from ContentKeyOf, worked out here when not given.
    void Record(const QString& folder, const QString& output, const QString& key, const QJsonObject& facts = {},
                QString content = {});
    // Takes over EARLIER's record of OUTPUT, made again from the same inputs and left as it was.
    void Carry(const SiteManifest& earlier, const QString& output);
    // Whether OUTPUT in FOLDER is still what was recorded: the same size and content. Only such a
    // file is ours to remove; a record without content (or planted by someone) never matches.
    bool StillAsWritten(const QString& folder, const QString& output) const;
    bool Has(const QString& output) const { return m_outputs.contains(output); }
    // The outputs recorded here and not in LATER.
    QStringList NotIn(const SiteManifest& later) const;
    // Takes over the records of EARLIER that this one lacks: after a run that stopped early,
    // what earlier runs made is still known to be ours.
    void Keep(const SiteManifest& earlier);
    // Written atomically; false with the system's reason.
    bool Save(const QString& folder, QString* error = nullptr) const;

    // A short stable key of the texts that decide an output.
    static QString KeyOf(const QStringList& inputs);
    // The key of the bytes of the regular file PATH; empty when it cannot be read.
    static QString ContentKeyOf(const QString& path);
    // The same key of BYTES in memory, as they are written.
    static QString ContentKeyOfBytes(QByteArrayView bytes);

private:
    QHash<QString, QJsonObject> m_outputs;
};

// Whether NAME, read from a manifest, names a file inside the site folder (and not the manifest).
bool IsSiteOutputName(const QString& name);
