#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

// The window placement kept under "WindowPos": flags, show command, minimised and maximised
// positions and the normal rectangle (left, top, right, bottom), as ten comma-separated numbers.
struct WindowPlacement {
    static constexpr unsigned kRestoreToMaximized = 2;
    static inline const QString kDefault = QStringLiteral("0,1,-1,-1,-1,-1,0,0,640,480");

    unsigned flags = 0;
    unsigned showCommand = 1;
    int minX = -1, minY = -1, maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 640, bottom = 480;

    // nullopt unless TEXT holds exactly ten numbers.
    static std::optional<WindowPlacement> Parse(const QString& text);
    QString Format() const;

    QRect NormalRect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
    static WindowPlacement Of(const QRect& normal, bool maximized);

    // RECT as it is when enough of its top (where the title bar is) lies on one of the SCREENS
    // (available areas, the primary first); otherwise moved and shrunk onto the primary one, so a
    // placement saved with a monitor that is gone never opens the window out of reach.
    static QRect KeptReachable(const QRect& rect, const QList<QRect>& screens);
    // The window's first rectangle, before any is stored: four fifths of the screen's free AREA
    // each way, centred in it, so it is out from under the panels.
    static QRect FirstOn(const QRect& area);
};
