#include "DrawExport.h"

#include "platform/SafeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace DrawExport {

namespace {

// Larger pictures than this are refused rather than allocated.
constexpr std::int64_t kMaxImagePixels = std::int64_t(1) << 28;

QSize PageSize(const DrawPage& page) { return QSize(std::max(page.pageWidth, 1), std::max(page.pageHeight, 1)); }

}  // namespace

void Paint(const DrawPage& page, QPainter& painter, double scale) {
    const QSize size = PageSize(page);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(size.width() / 2 * scale, size.height() / 2 * scale);
    painter.scale(scale, -scale);
    painter.fillRect(QRectF(-size.width() / 2, -size.height() / 2, size.width(), size.height()), ToQColor(page.paperColor));
    page.DrawAll(painter);
    painter.restore();
}

QImage ToImage(const DrawPage& page, double dpi) {
    const QSize size = PageSize(page);
    const double scale = dpi / 100;
    const std::int64_t width = std::llround(size.width() * scale), height = std::llround(size.height() * scale);
    if (width < 1 || height < 1 || width * height > kMaxImagePixels) return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    QPainter painter(&image);
    Paint(page, painter, scale);
    return image;
}

QByteArray ToSvg(const DrawPage& page) {
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(PageSize(page));
    generator.setViewBox(QRect(QPoint(0, 0), PageSize(page)));
    generator.setResolution(100);
    generator.setTitle(page.annotationPath);
    generator.setDescription(QStringLiteral("Draw annotation made with Albora"));
    QPainter painter(&generator);
    Paint(page, painter, 1);
    painter.end();
    return svg;
}

QByteArray ToPdf(const DrawPage& page) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    const QSize size = PageSize(page);
    writer.setPageSize(QPageSize(QSizeF(size.width() / 100.0, size.height() / 100.0), QPageSize::Inch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(100);
    writer.setTitle(page.annotationPath);
    QPainter painter(&writer);
    Paint(page, painter, 1);
    painter.end();
    return pdf;
}

bool Write(const DrawPage& page, const QString& path, double dpi, QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == QStringLiteral("svg")) {
        bytes = ToSvg(page);
    } else if (suffix == QStringLiteral("pdf")) {
        bytes = ToPdf(page);
    } else if (suffix == QStringLiteral("png")) {
        const QImage image = ToImage(page, dpi);
        if (image.isNull()) {
            if (error) *error = QStringLiteral("the picture would be too large");
            return false;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    } else {
        if (error) *error = QStringLiteral("unknown kind of file (.png, .svg or .pdf)");
        return false;
    }
    if (bytes.isEmpty()) {
        if (error) *error = QStringLiteral("nothing was drawn");
        return false;
    }
    return SafeFile::Write(path, bytes, error);
}

}  // namespace DrawExport
