#include "OverlayPlane.h"

#include "draw/LinkPicture.h"
#include "platform/MetafileConverter.h"
#include "platform/RegularFile.h"

#include <QFile>

namespace {

// Enough for MetafileConverter::KindOf to tell both kinds.
constexpr qint64 kHeadBytes = 64;

bool IsMetafile(const QString& file) {
    QFile in;
    return OpenRegularFile(file, in) && MetafileConverter::KindOf(in.read(kHeadBytes)) != MetafileConverter::Kind::None;
}

}  // namespace

QString OverlayPlane::Draw(QPainter& painter, const QRect& target, const QString& file) {
    if (file == m_failed) return {};
    if (DrawLinkedPicture(painter, QRectF(target), file)) {
        m_failed.clear();
        return {};
    }
    m_failed = file;
    return IsMetafile(file) ? QStringLiteral("Error:\nPlane metafile.") : QStringLiteral("Error:\nLoading plane");
}
