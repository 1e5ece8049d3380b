#include "SitePictureMaker.h"

#include "HtmlText.h"
#include "JpegExif.h"

#include "image/CBmpImage.h"
#include "image/CGifImage.h"
#include "image/CJpegImage.h"
#include "image/CPngImage.h"
#include "image/ColourReduction.h"
#include "image/ScaledDecode.h"
#include "platform/SafeFile.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

namespace {

// The size a stand-in for a bad picture is drawn at before it is fitted to the boxes.
constexpr QSize kStandInSize(640, 480);

QByteArray Encode(const CImageObject& picture, int type, int quality) {
    const CImageImpl& image = *picture.GetImplementation();
    switch (type) {
    case IMAGE_JPEG: return CJpegImage::Encode(image, quality);
    case IMAGE_GIF: return CGifImage::Encode(*ColourReduction::ReduceTo256Colours(picture).GetImplementation());
    case IMAGE_PNG: return CPngImage::Encode(image);
    case IMAGE_BMP: return CBmpImage::Encode(image);
    default: return {};
    }
}

// Encodes and writes, with the JPEG segment NOTES when there is one; the reason when it could not.
std::optional<QString> Store(const CImageObject& picture, int type, int quality, const QString& path,
                             const QByteArray& notes = {}) {
    const QByteArray bytes = WithSegment(Encode(picture, type, quality), notes);
    if (bytes.isEmpty()) return QStringLiteral("the picture could not be encoded");
    QString reason;
    if (!SafeFile::Write(path, bytes, &reason)) return reason;
    return std::nullopt;
}

// A picture frame with a broken landscape, drawn without text so that it is the same in every
// language and needs no fonts on a worker thread.
CImageObject StandIn(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xe4, 0xe4, 0xe4));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height(), line = std::max<qreal>(1.5, w / 80);
    p.setPen(QPen(QColor(0x8a, 0x8a, 0x8a), line));
    const QRectF frame(w * 0.3, h * 0.3, w * 0.4, h * 0.4);
    p.drawRect(frame);
    QPainterPath hills;
    hills.moveTo(frame.left(), frame.bottom());
    hills.lineTo(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.45);
    hills.lineTo(frame.left() + frame.width() * 0.55, frame.top() + frame.height() * 0.7);
    hills.lineTo(frame.left() + frame.width() * 0.75, frame.top() + frame.height() * 0.5);
    hills.lineTo(frame.right(), frame.bottom());
    p.drawPath(hills);
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), line * 1.5));
    p.drawLine(QPointF(frame.left() - w * 0.05, frame.bottom() + h * 0.05),
               QPointF(frame.right() + w * 0.05, frame.top() - h * 0.05));
    p.end();
    return ImageFromQImage(image);
}

PictureOutcome Failure(PictureOutcome::Kind kind, const QString& reason) {
    PictureOutcome outcome;
    outcome.kind = kind;
    outcome.problem = reason;
    return outcome;
}

PictureOutcome WriteStandIn(const PictureJob& job, const PictureOptions& options, const QString& problem) {
    const PictureTarget target = EffectiveTarget(job.source, options.target);
    PictureOutcome outcome;
    outcome.problem = problem;
    outcome.picture = options.pictureBox.isEmpty() ? kStandInSize : FitWithin(kStandInSize, options.pictureBox);
    outcome.thumbnail = FitWithin(kStandInSize, options.thumbnailBox);
    if (job.makePicture)
        if (auto reason = Store(StandIn(outcome.picture), target.type, options.quality, job.picturePath))
            return Failure(PictureOutcome::SaveFailed, *reason);
    const int thumbType = ImageTypeFromFileName(job.thumbnailPath);
    if (job.makeThumbnail)
        if (auto reason = Store(StandIn(outcome.thumbnail), thumbType, options.quality, job.thumbnailPath))
            return Failure(PictureOutcome::SaveFailed, *reason);
    return outcome;
}

// Whether the header of a PNG or GIF lets some pixels through: an alpha channel, a tRNS chunk
// before the pixels, a GIF's transparent index.
bool MayBeTransparent(const OpenedPicture& opened) {
    if (opened.type == IMAGE_GIF) return opened.info.transparentIndex != -1;
    if (opened.type != IMAGE_PNG || opened.data.size() < 26) return false;
    const int colourType = std::uint8_t(opened.data[25]);
    const qsizetype transparency = opened.data.indexOf("tRNS"), pixels = opened.data.indexOf("IDAT");
    return (colourType & 4) || (transparency >= 0 && (pixels < 0 || transparency < pixels));
}

// OPENED decoded as DecodeAtLeast does; where it is transparent, laid on BACKGROUND, which the
// image library cannot do as it composes on a colour of its own.
std::optional<CImageObject> DecodeOn(OpenedPicture& opened, QSize need, const QColor& background) {
    if (MayBeTransparent(opened)) {
        const QImage image = QImage::fromData(opened.data);
        if (!image.isNull()) {
            opened.data.clear();
            QImage flat(image.size(), QImage::Format_RGB32);
            flat.fill(background);
            QPainter(&flat).drawImage(0, 0, image);
            return ImageFromQImage(flat);
        }
    }
    return DecodeAtLeast(opened, need);
}

QString WhyUnreadable(const QString& source, const QString& reason) {
    if (!QFileInfo(source).isFile()) return QStringLiteral("the file is missing");
    return reason.isEmpty() ? QStringLiteral("it is no picture that can be read") : reason;
}

}  // namespace

PictureTarget PictureTargetOf(const QString& imageFormat) {
    if (imageFormat == QLatin1String("No convert")) return {IMAGE_NONE, {}};
    if (imageFormat == QLatin1String("GIF")) return {IMAGE_GIF, QStringLiteral(".gif")};
    return {IMAGE_JPEG, QStringLiteral(".jpg")};
}

PictureTarget EffectiveTarget(const QString& source, const PictureTarget& target) {
    if (target.type != IMAGE_NONE) return target;
    const int type = ImageTypeFromFileName(source);
    if (type == IMAGE_JPEG || type == IMAGE_GIF || type == IMAGE_PNG || type == IMAGE_BMP)
        return {type, QLatin1Char('.') + QFileInfo(source).suffix()};
    return PictureTargetOf(QStringLiteral("JPEG"));
}

QString PictureName(const QString& source, const PictureTarget& target) {
    // Stored paths may still carry Windows separators.
    const qsizetype slash = std::max(source.lastIndexOf(QLatin1Char('/')), source.lastIndexOf(QLatin1Char('\\')));
    const QString name = source.mid(slash + 1);
    return SafeOutputName(BaseName(name) + EffectiveTarget(name, target).extension);
}

QString ThumbnailName(const QString& pictureName, const PictureTarget& target) {
    return BaseName(pictureName) + (target.type == IMAGE_GIF ? QStringLiteral(".gif") : QStringLiteral(".jpg"));
}

PictureOutcome MakeSitePicture(const PictureJob& job, const PictureOptions& options) {
    const PictureTarget target = EffectiveTarget(job.source, options.target);
    QString reason;
    std::optional<OpenedPicture> opened = OpenPicture(job.source, &reason);
    if (!opened) return WriteStandIn(job, options, WhyUnreadable(job.source, reason));
    PictureOutcome outcome;
    const QSize upright = opened->Upright();
    outcome.picture = options.pictureBox.isEmpty() ? upright : FitWithin(upright, options.pictureBox);
    outcome.thumbnail = FitWithin(upright, options.thumbnailBox);
    const int orientation = opened->orientation;
    const bool jpeg = opened->type == IMAGE_JPEG && target.type == IMAGE_JPEG;
    // A file of the right type and size keeps its pixels' bytes. One a camera held sideways is
    // turned, since not every browser reads the camera's orientation.
    const bool sameFile = outcome.picture == upright && opened->type == target.type && orientation == 1;
    // A JPEG is published without the notes the options leave out; one whose segments cannot be
    // walked is made again from its pixels.
    const QByteArray published =
        sameFile && jpeg ? PublishableJpeg(opened->data, {options.keepLocationAndOwner, false}) : QByteArray();
    const bool copyAsIs = sameFile && (!jpeg || !published.isEmpty());
    // The notes of a JPEG turned upright at its own size go with it; one made smaller is a new
    // picture, as the pictures made from other types are.
    const QByteArray notes = !copyAsIs && jpeg && outcome.picture == upright
                                 ? PublishableExifSegment(opened->data, {options.keepLocationAndOwner, true})
                                 : QByteArray();
    const bool decodePicture = job.makePicture && !copyAsIs;
    std::optional<CImageObject> decoded = DecodeOn(
        *opened, decodePicture ? outcome.picture.expandedTo(outcome.thumbnail) : outcome.thumbnail, options.background);
    if (!decoded) return WriteStandIn(job, options, QStringLiteral("the picture is damaged"));
    const auto storeThumbnail = [&](std::optional<CImageObject> thumbnail) -> std::optional<QString> {
        if (!thumbnail) return QStringLiteral("out of memory");
        return Store(*thumbnail, ImageTypeFromFileName(job.thumbnailPath), options.quality, job.thumbnailPath);
    };
    if (!decodePicture) {
        // The thumbnail first: a copy that fails is offered again to the user, the thumbnail not.
        if (job.makeThumbnail)
            if (auto error = storeThumbnail(ResizeUpright(std::move(*decoded), outcome.thumbnail, orientation)))
                return Failure(PictureOutcome::SaveFailed, *error);
        if (!job.makePicture) return outcome;
        // A JPEG written again is not offered as a plain copy: that would publish what it left out.
        if (jpeg) {
            if (!SafeFile::Write(job.picturePath, published, &reason)) return Failure(PictureOutcome::SaveFailed, reason);
        } else if (!SafeFile::Copy(job.source, job.picturePath, &reason)) {
            outcome.kind = PictureOutcome::CopyFailed;
            outcome.problem = reason;
        }
        return outcome;
    }
    // The thumbnail comes from the smaller picture when it can: far fewer pixels to average.
    std::optional<CImageObject> thumbnail;
    const bool fromPicture = outcome.thumbnail.width() <= outcome.picture.width();
    if (!fromPicture && job.makeThumbnail) thumbnail = ResizeUpright(decoded->Clone(), outcome.thumbnail, orientation);
    std::optional<CImageObject> picture = ResizeUpright(std::move(*decoded), outcome.picture, orientation);
    if (!picture) return Failure(PictureOutcome::SaveFailed, QStringLiteral("out of memory"));
    if (auto error = Store(*picture, target.type, options.quality, job.picturePath, notes))
        return Failure(PictureOutcome::SaveFailed, *error);
    if (!job.makeThumbnail) return outcome;
    if (fromPicture) thumbnail = ResizeUpright(std::move(*picture), outcome.thumbnail, 1);
    if (auto error = storeThumbnail(std::move(thumbnail))) return Failure(PictureOutcome::SaveFailed, *error);
    return outcome;
}
