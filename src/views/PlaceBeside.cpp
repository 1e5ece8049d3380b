#include "PlaceBeside.h"

#include <algorithm>

QRect PlaceBeside(const QSize& size, const QRect& avoid, const QRect& available) {
    const int roomRight = available.right() - avoid.right();
    const int roomLeft = avoid.left() - available.left();
    int x;
    if (roomRight >= size.width())
        x = avoid.right() + 1;
    else if (roomLeft >= size.width())
        x = avoid.left() - size.width();
    else
        x = roomRight >= roomLeft ? available.right() + 1 - size.width() : available.left();
    const auto within = [](int value, int low, int high) { return std::max(low, std::min(value, high)); };
    x = within(x, available.left(), available.right() + 1 - size.width());
    const int y = within(avoid.top(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}
