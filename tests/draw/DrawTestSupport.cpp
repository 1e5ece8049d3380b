#include "DrawTestSupport.h"

#include "draw/LinkPicture.h"
#include "image/ImageTestSupport.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>

Painting Paint(const QString& file, const QSize& canvas, const QTransform& toDevice, const QRectF& target,
               qreal pixelRatio) {
    Painting painting;
    painting.canvas = QImage(canvas * pixelRatio, QImage::Format_RGB32);
    painting.canvas.setDevicePixelRatio(pixelRatio);
    painting.canvas.fill(Qt::white);
    QPainter painter(&painting.canvas);
    painter.setTransform(toDevice);
    painting.drawn = DrawLinkedPicture(painter, target, file, &painting.reason);
    return painting;
}

QTransform YUpPage(qreal scale, int canvasHeight) { return QTransform(scale, 0, 0, -scale, 0, canvasHeight); }

QImage ImageMagickPicture(const QString& file, const QSize& size) {
    const QString geometry = QStringLiteral("%1x%2!").arg(size.width()).arg(size.height());
    return QImage::fromData(RunTool("/usr/bin/convert", {file, "-auto-orient", "-resize", geometry, "ppm:-"}));
}

QImage RsvgPicture(const QString& file, const QSize& size) {
    const QStringList args{"-w", QString::number(size.width()), "-h", QString::number(size.height()), file};
    return QImage::fromData(RunTool("rsvg-convert", args)).convertToFormat(QImage::Format_RGB32);
}

QString ToolOutput(const QString& program, const QStringList& args) { return QString::fromUtf8(RunTool(program, args)); }

double MeanDifference(const QImage& a, const QImage& b) { return MeanDifference(ImageFromQImage(a), ImageFromQImage(b)); }

bool IsRed(QRgb colour) { return qRed(colour) > 200 && qGreen(colour) < 60 && qBlue(colour) < 60; }

bool IsBlue(QRgb colour) { return qRed(colour) < 60 && qGreen(colour) < 60 && qBlue(colour) > 200; }

void WriteJpeg(const CImageObject& picture, const QString& path) {
    ImageLibrary::SetJpegQuality(90);
    CImageObject copy = picture.Clone();
    copy.Save(path, IMAGE_JPEG);
}

namespace {

void Put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void EmfRecord(QByteArray& out, quint32 type, std::initializer_list<quint32> fields) {
    Put32(out, type);
    Put32(out, quint32(8 + 4 * fields.size()));
    for (quint32 field : fields) Put32(out, field);
}

void WmfRecord(QByteArray& out, quint16 function, std::initializer_list<quint16> words) {
    Put32(out, quint32(3 + words.size()));
    Put16(out, function);
    for (quint16 word : words) Put16(out, word);
}

}  // namespace

QByteArray MakeEmf() {
    QByteArray body;
    EmfRecord(body, 39, {1, 0, 0x000000FF, 0});  // a solid red brush (COLORREF 0x00BBGGRR) as object 1
    EmfRecord(body, 37, {1});                    // select it
    EmfRecord(body, 43, {0, 0, 99, 49});         // the rectangle
    EmfRecord(body, 14, {0, 16, 20});            // end of file
    QByteArray header;
    const quint32 total = 88 + quint32(body.size());
    // Bounds and frame (0.01 mm), signature, version, size, records, handles, no description or
    // palette, the reference device in pixels and millimetres.
    EmfRecord(header, 1, {0, 0, 99, 49, 0, 0, 2646, 1323, 0x464D4520, 0x10000, total, 5, 2, 0, 0, 0, 1024, 768, 271, 203});
    return header + body;
}

QByteArray MakeWmf(bool placeable) {
    QByteArray records;
    WmfRecord(records, 0x020B, {0, 0});              // window origin
    WmfRecord(records, 0x020C, {50, 100});           // window extent (y, x)
    WmfRecord(records, 0x02FC, {0, 0x00FF, 0, 0});   // a solid red brush
    WmfRecord(records, 0x012D, {0});                 // select it
    WmfRecord(records, 0x041B, {50, 100, 0, 0});     // the rectangle (bottom, right, top, left)
    WmfRecord(records, 0x0000, {});                  // end of file
    QByteArray out;
    if (placeable) {
        // Key, handle, bounding box, 96 units an inch, reserved, then the XOR of those ten words.
        for (quint16 word : {0xCDD7, 0x9AC6, 0, 0, 0, 100, 50, 96, 0, 0}) Put16(out, word);
        Put16(out, 0xCDD7 ^ 0x9AC6 ^ 100 ^ 50 ^ 96);
    }
    // A disk metafile of version 3: header words, size in words, one object, the largest record.
    for (quint16 word : {1, 9, 0x0300}) Put16(out, word);
    Put32(out, quint32(18 + records.size()) / 2);
    Put16(out, 1);
    Put32(out, 7);
    Put16(out, 0);
    return out + records;
}

void WriteScript(const QString& path, const QByteArray& body) {
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\n" + body + "\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
