#include "LinkPicture.h"

#include "image/CJpegImage.h"
#include "image/ImageInfo.h"
#include "image/Orientation.h"
#include "platform/MetafileConverter.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>

namespace {

constexpr qsizetype kCacheBytes = qsizetype(256) << 20;
// What a failure or a tiny drawing counts for in the cache.
constexpr qsizetype kEntryBytes = 1024;

// A drawing, parsed once; a renderer draws for one painter at a time.
struct VectorPicture {
    std::mutex lock;
    QSvgRenderer renderer;
    qsizetype bytes = 0;  // of its SVG text
};

// What one file shows: a picture made at one device size, a drawing for every size, or why the
// file cannot be shown.
struct Entry {
    QImage image;
    std::shared_ptr<VectorPicture> vector;
    QString failure;
};

// Every painter of the process shares the pictures, the least recently drawn going first.
class PictureCache {
public:
    std::optional<Entry> Find(const QString& key) {
        const std::lock_guard<std::mutex> held(m_lock);
        const Entry* entry = m_entries.object(key);
        return entry ? std::optional<Entry>(*entry) : std::nullopt;
    }
    void Store(const QString& key, const Entry& entry) {
        // A parsed drawing holds a few times the bytes of its text.
        const qsizetype bytes = entry.vector ? 4 * entry.vector->bytes : entry.image.sizeInBytes();
        const std::lock_guard<std::mutex> held(m_lock);
        m_entries.insert(key, new Entry(entry), std::max(bytes, kEntryBytes));
    }

private:
    std::mutex m_lock;
    QCache<QString, Entry> m_entries{kCacheBytes};
};

PictureCache& Cache() {
    static PictureCache cache;
    return cache;
}

Entry Failure(const QString& reason) { return Entry{{}, {}, reason}; }

// SVG by content: an XML declaration or the svg element first, after white space.
bool IsSvg(const QByteArray& data) {
    const QByteArray head = data.left(256).trimmed();
    return head.startsWith("<?xml") || head.startsWith("<svg");
}

// Whether SVG has an image element that names a file rather than holding its picture: QtSvg
// would open that file as it loads, and wait for ever on a pipe or a device.
bool NamesOtherFiles(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("image"))
            for (const QXmlStreamAttribute& attribute : xml.attributes())
                if (attribute.name() == QLatin1String("href") && !attribute.value().trimmed().startsWith(QLatin1String("data:")))
                    return true;
    return false;
}

Entry Vector(const QByteArray& svg) {
    if (NamesOtherFiles(svg)) return Failure(QStringLiteral("drawing refers to other files"));
    auto vector = std::make_shared<VectorPicture>();
    vector->bytes = svg.size();
    // No animation: its timer would belong to whichever thread happened to load the drawing.
    vector->renderer.setFramesPerSecond(0);
    if (!vector->renderer.load(svg) || !vector->renderer.isValid()) return Failure(QStringLiteral("damaged drawing"));
    return Entry{{}, std::move(vector), {}};
}

// The largest DCT reduction (1/2, 1/4, 1/8) that leaves a WIDTH x HEIGHT JPEG at least NEED.
int JpegScale(int width, int height, const QSize& need) {
    int scale = 1;
    while (scale < 8 && (width + 2 * scale - 1) / (2 * scale) >= need.width() &&
           (height + 2 * scale - 1) / (2 * scale) >= need.height())
        scale *= 2;
    return scale;
}

// The picture FILE (its bytes DATA) upright, reduced to DEVICE where it is larger; never enlarged,
// the painter does that.
Entry Raster(const QString& file, std::optional<QByteArray> data, const QSize& device) {
    const int type = ImageTypeFromFileName(file);
    QString reason;
    const auto info = ReadImageInfo(*data, type, &reason);
    if (!info) return Failure(reason);
    const int orientation = type == IMAGE_JPEG ? Orientation::FromJpeg(*data) : 1;
    const QSize stored = orientation >= 5 ? device.transposed() : device;
    CImageObject source;
    source.CreateImplementation(file, type);
    bool decoded = false;
    if (type == IMAGE_JPEG) {
        decoded = CJpegImage::Decode(*data, *source.GetImplementation(), JpegScale(info->width, info->height, stored));
    } else {
        data.reset();  // the reader takes the file again; two copies of a large one are one too many
        decoded = source.Load(file, type);
    }
    if (!decoded || !source.IsValid())
        return Failure(source.ReadError().isEmpty() ? QStringLiteral("cannot read the picture") : source.ReadError());
    QImage picture = source.MakeBitmap();
    source = CImageObject();
    picture.convertTo(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const QSize fitted = picture.size().boundedTo(stored);
    if (fitted != picture.size()) picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture = Orientation::Upright(picture, orientation);
    if (picture.isNull()) return Failure(QStringLiteral("out of memory"));
    return Entry{std::move(picture), {}, {}};
}

// What FILE shows at DEVICE size, read now.
Entry Load(const QString& file, const QSize& device) {
    QString reason;
    auto data = ImageLibrary::ReadFile(file, &reason);
    if (!data) return Failure(reason);
    if (IsSvg(*data)) return Vector(*data);
    if (MetafileConverter::KindOf(*data) != MetafileConverter::Kind::None) {
        const auto svg = MetafileConverter::ToSvg(file, &reason);
        return svg ? Vector(*svg) : Failure(reason);
    }
    return Raster(file, std::move(data), device);
}

// Undoes the page's mirroring of TARGET, so that the picture's top is up and its left is left on
// the device.
void Unmirror(QPainter& painter, const QRectF& target) {
    const QTransform& toDevice = painter.deviceTransform();
    if (toDevice.m11() < 0) {
        painter.translate(target.left() + target.right(), 0);
        painter.scale(-1, 1);
    }
    if (toDevice.m22() < 0) {
        painter.translate(0, target.top() + target.bottom());
        painter.scale(1, -1);
    }
}

void DrawRaster(QPainter& painter, const QRectF& target, const QRectF& device, const QImage& image) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (painter.deviceTransform().type() > QTransform::TxScale) {
        Unmirror(painter, target);
        painter.drawImage(target, image);
        return;
    }
    // In device pixels a picture made at its device size is copied, not resampled, and a mirrored
    // page needs no unmirroring. What remains of the transform without the page's (a high-DPI
    // scale, a redirection offset) is undone too.
    painter.resetTransform();
    painter.setWorldTransform(painter.deviceTransform().inverted());
    const QSize size(qRound(device.width()), qRound(device.height()));
    if (image.size() == size)
        painter.drawImage(QPoint(qRound(device.x()), qRound(device.y())), image);
    else
        painter.drawImage(device, image);
}

}  // namespace

bool DrawLinkedPicture(QPainter& painter, const QRectF& target, const QString& file, QString* reason) {
    // Stored rectangles may have their corners either way round; the picture is upright all the same.
    const QRectF rect = target.normalized();
    const QFileInfo info(file);
    if (!info.exists()) {
        if (reason) *reason = QStringLiteral("file not found");
        return false;
    }
    const QRectF device = painter.deviceTransform().mapRect(rect);
    const QSize size(qRound(device.width()), qRound(device.height()));
    if (size.isEmpty()) return true;  // nothing to show, and nothing worth reading the file for
    const QString fileKey = QStringLiteral("%1\n%2\n%3")
                                .arg(info.absoluteFilePath())
                                .arg(info.size())
                                .arg(info.lastModified().toMSecsSinceEpoch());
    const QString sizedKey = QStringLiteral("%1\n%2x%3").arg(fileKey).arg(size.width()).arg(size.height());
    std::optional<Entry> entry = Cache().Find(fileKey);
    if (!entry) entry = Cache().Find(sizedKey);
    if (!entry) {
        entry = Load(file, size);
        // Only a picture depends on the device size; a drawing or a failure holds for every size.
        const bool sized = !entry->image.isNull();
        Cache().Store(sized ? sizedKey : fileKey, *entry);
    }
    if (!entry->failure.isEmpty()) {
        if (reason) *reason = entry->failure;
        return false;
    }
    painter.save();
    if (entry->vector) {
        const std::lock_guard<std::mutex> held(entry->vector->lock);
        Unmirror(painter, rect);
        entry->vector->renderer.render(&painter, rect);
    } else {
        DrawRaster(painter, rect, device, entry->image);
    }
    painter.restore();
    return true;
}

std::optional<QSize> LinkedPictureSize(const QString& file) {
    auto data = ImageLibrary::ReadFile(file);
    if (!data) return std::nullopt;
    std::optional<QByteArray> svg;
    if (IsSvg(*data)) svg = std::move(data);
    else if (MetafileConverter::KindOf(*data) != MetafileConverter::Kind::None) svg = MetafileConverter::ToSvg(file);
    if (svg) {
        if (NamesOtherFiles(*svg)) return std::nullopt;
        QSvgRenderer renderer(*svg);
        return renderer.isValid() ? std::optional<QSize>(renderer.defaultSize()) : std::nullopt;
    }
    const int type = ImageTypeFromFileName(file);
    const auto info = ReadImageInfo(*data, type);
    if (!info) return std::nullopt;
    const bool sideways = type == IMAGE_JPEG && Orientation::FromJpeg(*data) >= 5;
    return sideways ? QSize(info->height, info->width) : QSize(info->width, info->height);
}
