#include "SiteManifest.h"

#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonDocument>

namespace {

const QString kKey = QStringLiteral("key");
const QString kSize = QStringLiteral("size");
const QString kOutputs = QStringLiteral("outputs");
constexpr qint64 kMaxManifestBytes = 64 * 1024 * 1024;

}  // namespace

bool IsSiteOutputName(const QString& name) {
    if (name.isEmpty() || name == SiteManifest::kFileName || name.startsWith(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) return false;
    return parts.size() == 1 || (parts.size() == 2 && parts[0] == QLatin1String("thumbs"));
}

SiteManifest SiteManifest::Load(const QString& folder) {
    const std::optional<QByteArray> bytes = ReadRegularFile(folder + QLatin1Char('/') + kFileName, kMaxManifestBytes);
    return bytes ? Parse(*bytes) : SiteManifest();
}

SiteManifest SiteManifest::Parse(const QByteArray& json) {
    SiteManifest manifest;
    const QJsonObject outputs = QJsonDocument::fromJson(json).object().value(kOutputs).toObject();
    for (auto it = outputs.begin(); it != outputs.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        if (IsSiteOutputName(it.key()) && entry.value(kKey).isString()) manifest.m_outputs.insert(it.key(), entry);
    }
    return manifest;
}

std::optional<QJsonObject> SiteManifest::Unchanged(const QString& folder, const QString& output,
                                                   const QString& key) const {
    const auto it = m_outputs.constFind(output);
    if (it == m_outputs.constEnd() || it->value(kKey).toString() != key) return std::nullopt;
    // A file the user edited or removed since is made again.
    const QFileInfo file(folder + QLatin1Char('/') + output);
    if (!file.isFile() || file.size() != it->value(kSize).toInteger(-1)) return std::nullopt;
    return *it;
}

void SiteManifest::Record(const QString& folder, const QString& output, const QString& key, const QJsonObject& facts) {
    QJsonObject entry = facts;
    entry.insert(kKey, key);
    entry.insert(kSize, QFileInfo(folder + QLatin1Char('/') + output).size());
    m_outputs.insert(output, entry);
}

QStringList SiteManifest::NotIn(const SiteManifest& later) const {
    QStringList names;
    for (auto it = m_outputs.constBegin(); it != m_outputs.constEnd(); ++it)
        if (!later.Has(it.key())) names += it.key();
    names.sort();
    return names;
}

void SiteManifest::Keep(const SiteManifest& earlier) {
    for (auto it = earlier.m_outputs.constBegin(); it != earlier.m_outputs.constEnd(); ++it)
        if (!Has(it.key())) m_outputs.insert(it.key(), it.value());
}

bool SiteManifest::Save(const QString& folder, QString* error) const {
    QJsonObject outputs;
    for (auto it = m_outputs.constBegin(); it != m_outputs.constEnd(); ++it) outputs.insert(it.key(), it.value());
    const QJsonObject root{{QStringLiteral("version"), 1}, {kOutputs, outputs}};
    return SafeFile::Write(folder + QLatin1Char('/') + kFileName, QJsonDocument(root).toJson(QJsonDocument::Compact),
                           error);
}

QString SiteManifest::KeyOf(const QStringList& inputs) {
    return QString::fromLatin1(
        QCryptographicHash::hash(inputs.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1).toHex());
}
