#include "SiteManifest.h"

#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kKey = QStringLiteral("key");
const QString kSize = QStringLiteral("size");
const QString kContent = QStringLiteral("content");
const QString kOutputs = QStringLiteral("outputs");
const QString kSignature = QStringLiteral("signature");
constexpr qint64 kMaxManifestBytes = 64 * 1024 * 1024;
constexpr int kKeyBytes = 32;

// The user's own key, made once: a record signed with it was written by this user's runs, so a
// record copied in or planted by someone else is never trusted to say what may be removed.
QByteArray UserKey() {
    static const QByteArray key = [] {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Marenkis Setup");
        const QString path = folder + QStringLiteral("/Albora-site.key");
        if (std::optional<QByteArray> stored = ReadRegularFile(path, kKeyBytes); stored && stored->size() == kKeyBytes)
            return *stored;
        QByteArray made(kKeyBytes, '\0');
        QRandomGenerator::system()->generate(made.begin(), made.end());
        QDir().mkpath(folder);
        // Made by one process only; another that raced it reads the winner's key.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) return ReadRegularFile(path, kKeyBytes).value_or(made);
        const bool written = ::write(fd, made.constData(), made.size()) == made.size();
        ::close(fd);
        if (!written) QFile::remove(path);
        return made;
    }();
    return key;
}

QString Signature(const QJsonObject& outputs) {
    return QString::fromLatin1(QMessageAuthenticationCode::hash(QJsonDocument(outputs).toJson(QJsonDocument::Compact),
                                                                UserKey(), QCryptographicHash::Sha256)
                                   .toHex());
}

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
    if (!bytes) return {};
    const QJsonObject root = QJsonDocument::fromJson(*bytes).object();
    return root.value(kSignature).toString() == Signature(root.value(kOutputs).toObject()) ? Parse(*bytes)
                                                                                           : SiteManifest();
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

void SiteManifest::Record(const QString& folder, const QString& output, const QString& key, const QJsonObject& facts,
                          QString content) {
    const QString path = folder + QLatin1Char('/') + output;
    QJsonObject entry = facts;
    entry.insert(kKey, key);
    entry.insert(kSize, QFileInfo(path).size());
    entry.insert(kContent, content.isEmpty() ? ContentKeyOf(path) : content);
    m_outputs.insert(output, entry);
}

void SiteManifest::Carry(const SiteManifest& earlier, const QString& output) {
    const auto it = earlier.m_outputs.constFind(output);
    if (it != earlier.m_outputs.constEnd()) m_outputs.insert(output, *it);
}

bool SiteManifest::StillAsWritten(const QString& folder, const QString& output) const {
    const auto it = m_outputs.constFind(output);
    if (it == m_outputs.constEnd()) return false;
    const QString path = folder + QLatin1Char('/') + output;
    const QString content = it->value(kContent).toString();
    return !content.isEmpty() && QFileInfo(path).size() == it->value(kSize).toInteger(-1) &&
           ContentKeyOf(path) == content;
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
    const QJsonObject root{{QStringLiteral("version"), 1}, {kOutputs, outputs}, {kSignature, Signature(outputs)}};
    return SafeFile::Write(folder + QLatin1Char('/') + kFileName, QJsonDocument(root).toJson(QJsonDocument::Compact),
                           error);
}

QString SiteManifest::ContentKeyOf(const QString& path) {
    QFile file;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!OpenRegularFile(path, file) || !hash.addData(&file)) return {};
    return QString::fromLatin1(hash.result().toHex());
}

QString SiteManifest::ContentKeyOfBytes(QByteArrayView bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString SiteManifest::KeyOf(const QStringList& inputs) {
    return QString::fromLatin1(
        QCryptographicHash::hash(inputs.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1).toHex());
}
