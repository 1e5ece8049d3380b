#pragma once

#include "image/CImageObject.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

// What drawing a linked file onto a white canvas gave. A canvas of PIXELRATIO device pixels to
// the unit of the painter (a high-DPI screen's) has that many times the pixels of CANVAS each way.
struct Painting {
    QImage canvas;
    bool drawn = false;
    QString reason;
};
Painting Paint(const QString& file, const QSize& canvas, const QTransform& toDevice, const QRectF& target,
               qreal pixelRatio = 1);

// A page whose y axis points up from the canvas's bottom left, at SCALE device pixels per unit.
QTransform YUpPage(qreal scale, int canvasHeight);

// FILE as ImageMagick turns it upright and stretches it to SIZE; null when that fails.
QImage ImageMagickPicture(const QString& file, const QSize& size);
// The SVG drawing FILE as rsvg-convert draws it at SIZE; null when that fails.
QImage RsvgPicture(const QString& file, const QSize& size);
// What PROGRAM prints; empty when it fails.
QString ToolOutput(const QString& program, const QStringList& args);
// The mean absolute difference of the colour samples of two same-sized pictures.
double MeanDifference(const QImage& a, const QImage& b);
bool IsRed(QRgb colour);
bool IsBlue(QRgb colour);

// PICTURE written as a JPEG of quality 90.
void WriteJpeg(const CImageObject& picture, const QString& path);
// Metafiles of a 100 x 50 red rectangle: an EMF, a WMF with or without the placeable header.
QByteArray MakeEmf();
QByteArray MakeWmf(bool placeable);
// An executable script at PATH whose body is BODY, standing in for a converter.
void WriteScript(const QString& path, const QByteArray& body);
