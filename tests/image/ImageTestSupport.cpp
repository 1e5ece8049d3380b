#include "ImageTestSupport.h"

#include <QFile>
#include <QProcess>

CImageObject MakeIndexed(int width, int height, int colours) {
    CImageObject image;
    image.Create(width, height, 8, -1);
    std::vector<std::uint8_t> rgb(std::size_t(colours) * 3);
    for (int i = 0; i < colours; ++i) {
        rgb[3 * i] = std::uint8_t(i * 7);
        rgb[3 * i + 1] = std::uint8_t(255 - i);
        rgb[3 * i + 2] = std::uint8_t(i * 13);
    }
    image.SetPaletteFromTriples(colours, rgb.data());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixelIndex(x, height - 1 - y, (x + 3 * y) % colours);
    return image;
}

CImageObject MakeColour(int width, int height) {
    CImageObject image;
    image.Create(width, height, 24, -1);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool corner = x < width / 2 && y < height / 2;
            image.SetPixelColor(x, height - 1 - y, corner ? 255 : std::uint8_t(x * 255 / width),
                                corner ? 0 : std::uint8_t(y * 255 / height), corner ? 0 : 128);
        }
    return image;
}

Rgb TopDownPixel(const CImageObject& image, int x, int y) {
    std::uint8_t r = 0, g = 0, b = 0;
    image.GetPixelColor(x, image.GetHeight() - 1 - y, r, g, b);
    return {r, g, b};
}

bool SameColours(const CImageObject& a, const CImageObject& b, int tolerance) {
    const QImage p = a.MakeBitmap().convertToFormat(QImage::Format_RGB32);
    const QImage q = b.MakeBitmap().convertToFormat(QImage::Format_RGB32);
    if (p.isNull() || p.size() != q.size()) return false;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const QRgb u = p.pixel(x, y), v = q.pixel(x, y);
            if (std::abs(qRed(u) - qRed(v)) > tolerance || std::abs(qGreen(u) - qGreen(v)) > tolerance ||
                std::abs(qBlue(u) - qBlue(v)) > tolerance)
                return false;
        }
    return true;
}

std::uint32_t Crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (char c : bytes) {
        crc ^= std::uint8_t(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    QByteArray out = process.readAllStandardOutput();
    if (out.isNull()) out = QByteArray("");
    return out;
}

Ppm ParsePpm(const QByteArray& data) {
    Ppm ppm;
    QList<QByteArray> fields;
    qsizetype pos = 0;
    while (fields.size() < 4 && pos < data.size()) {
        while (pos < data.size() && std::isspace(static_cast<unsigned char>(data[pos]))) ++pos;
        if (pos < data.size() && data[pos] == '#') {
            while (pos < data.size() && data[pos] != '\n') ++pos;
            continue;
        }
        const qsizetype start = pos;
        while (pos < data.size() && !std::isspace(static_cast<unsigned char>(data[pos]))) ++pos;
        fields << data.mid(start, pos - start);
    }
    if (fields.size() < 4 || fields[0] != "P6") return ppm;
    ppm.width = fields[1].toInt();
    ppm.height = fields[2].toInt();
    ppm.rgb = data.mid(pos + 1, qsizetype(ppm.width) * ppm.height * 3);
    return ppm;
}

Rgb Ppm::At(int x, int y) const {
    const qsizetype i = (qsizetype(y) * width + x) * 3;
    return {std::uint8_t(rgb[i]), std::uint8_t(rgb[i + 1]), std::uint8_t(rgb[i + 2])};
}

QByteArray MakePpm(int width, int height, const std::vector<Rgb>& pixels) {
    QByteArray out = QStringLiteral("P6\n%1 %2\n255\n").arg(width).arg(height).toLatin1();
    for (const Rgb& p : pixels) {
        out.append(char(p.r));
        out.append(char(p.g));
        out.append(char(p.b));
    }
    return out;
}

double MeanDifference(const CImageObject& a, const CImageObject& b) {
    const QImage p = a.MakeBitmap().convertToFormat(QImage::Format_RGB32);
    const QImage q = b.MakeBitmap().convertToFormat(QImage::Format_RGB32);
    if (p.isNull() || p.size() != q.size()) return 1e9;
    double sum = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const QRgb u = p.pixel(x, y), v = q.pixel(x, y);
            sum += std::abs(qRed(u) - qRed(v)) + std::abs(qGreen(u) - qGreen(v)) +
                   std::abs(qBlue(u) - qBlue(v));
        }
    return sum / (3.0 * p.width() * p.height());
}

bool HaveOrientationTools() {
    return !RunTool(QStringLiteral("/usr/bin/convert"), {"-version"}).isNull() &&
           !RunTool(QStringLiteral("exiftool"), {"-ver"}).isNull();
}

QStringList MakeOrientedJpegs(const QString& dir) {
    const QString base = dir + QStringLiteral("/base.jpg");
    if (RunTool(QStringLiteral("/usr/bin/convert"),
                {"-size", "48x32", "xc:navy", "-fill", "red", "-draw", "rectangle 0,0 15,7", "-fill", "yellow", "-draw",
                 "rectangle 32,24 47,31", "-quality", "100", base})
            .isNull())
        return {};
    QStringList files;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        files << dir + QStringLiteral("/o%1.jpg").arg(orientation);
        QFile::copy(base, files.back());
        if (RunTool(QStringLiteral("exiftool"), {"-q", "-overwrite_original", "-n",
                                                 QStringLiteral("-Orientation=%1").arg(orientation), files.back()})
                .isNull())
            return {};
    }
    return files;
}

double MeanDifference(const CImageObject& picture, const Ppm& theirs) {
    double difference = 0;
    for (int y = 0; y < theirs.height; ++y)
        for (int x = 0; x < theirs.width; ++x) {
            const Rgb a = TopDownPixel(picture, x, y), b = theirs.At(x, y);
            difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    return difference / (3.0 * theirs.width * theirs.height);
}
