#pragma once

#include "Thumbnail.h"

#include <QRect>
#include <QString>

class QPainter;

// One printed or rendered contact cell: the picture in proportion, centred in the cell, a black frame, and
// with INFO the card number above ("%03d"), the file name below and "*Error*" for a picture that
// did not load. LINEHEIGHT is that of the painter's font.
void PaintContactCell(QPainter& painter, const QRect& cell, const Thumbnail& thumb, int number,
                      const QString& file, bool info, int lineHeight);
