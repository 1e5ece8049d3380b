#pragma once

#include <QPixmap>

class QLabel;

// The drawing RESOURCE (":/web/NAME.svg") rendered at SIZE, sharp on high-density screens too.
QPixmap SvgPixmap(const QString& resource, QSize size, qreal devicePixelRatio);
// A label showing RESOURCE at SIZE.
QLabel* SvgLabel(const QString& resource, QSize size);
