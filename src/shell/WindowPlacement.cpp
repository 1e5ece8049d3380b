#include "WindowPlacement.h"

#include <QStringList>

std::optional<WindowPlacement> WindowPlacement::Parse(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 10) return std::nullopt;
    long long numbers[10];
    for (int i = 0; i < 10; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toLongLong(&ok);
        if (!ok) return std::nullopt;
    }
    WindowPlacement p;
    p.flags = static_cast<unsigned>(numbers[0]);
    p.showCommand = static_cast<unsigned>(numbers[1]);
    p.minX = int(numbers[2]);
    p.minY = int(numbers[3]);
    p.maxX = int(numbers[4]);
    p.maxY = int(numbers[5]);
    p.left = int(numbers[6]);
    p.top = int(numbers[7]);
    p.right = int(numbers[8]);
    p.bottom = int(numbers[9]);
    if (p.right <= p.left || p.bottom <= p.top) return std::nullopt;
    return p;
}

QString WindowPlacement::Format() const {
    return QString::asprintf("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCommand, minX, minY, maxX,
                             maxY, left, top, right, bottom);
}

WindowPlacement WindowPlacement::Of(const QRect& normal, bool maximized) {
    WindowPlacement p;
    p.flags = maximized ? kRestoreToMaximized : 0;
    p.showCommand = maximized ? 3 : 1;  // shown maximised, shown normally
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.right() + 1;
    p.bottom = normal.bottom() + 1;
    return p;
}

QRect WindowPlacement::KeptReachable(const QRect& rect, const QList<QRect>& screens) {
    if (screens.isEmpty()) return rect;
    const QRect titleStrip(rect.topLeft(), QSize(rect.width(), 32));
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(titleStrip);
        if (seen.width() >= 100 && seen.height() >= 16) return rect;
    }
    const QRect& primary = screens.front();
    const QSize size = rect.size().boundedTo(primary.size());
    return QRect(primary.topLeft() + QPoint((primary.width() - size.width()) / 2, (primary.height() - size.height()) / 2),
                 size);
}

QRect WindowPlacement::FirstOn(const QRect& area) {
    const QSize size(area.width() * 4 / 5, area.height() * 4 / 5);
    return QRect(area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}
