#pragma once

#include <QRectF>
#include <QString>

class QPainter;

// Draws FILE stretched over TARGET (page units; the painter's transform maps them to the device),
// upright. False with REASON when the file cannot be shown; the caller then draws its own error text.
bool DrawLinkedPicture(QPainter& painter, const QRectF& target, const QString& file, QString* reason = nullptr);
