#pragma once

#include <QPoint>
#include <QSize>

// How the image view scales its picture: fitted to the window (whole and in proportion, never
// enlarged), at a fixed scale from 1:8 to 5:1, or stretched to the window's shape.
class ImageZoom {
public:
    enum class Mode { Fit, Scale, Stretch };

    static constexpr double kMinScale = 1.0 / 8;
    static constexpr double kMaxScale = 5;

    Mode mode = Mode::Fit;
    double scale = 1;  // in Scale mode

    // The scale a picture of PICTURE pixels is drawn at in AREA (Stretch: the smaller of the two).
    double Effective(const QSize& picture, const QSize& area) const;
    // The picture's size on the screen; the whole area when stretched.
    QSize Drawn(const QSize& picture, const QSize& area) const;
    // The top-left of a picture drawn DRAWN large in AREA, scrolled by SCROLL: centred in each
    // direction where the area is at least as large as the picture.
    static QPoint Origin(const QSize& drawn, const QSize& area, const QPoint& scroll);
    // The next scale of the steps 1:8, 1:4, 1:2, 1:1, 2:1 ... 5:1 in DIRECTION (+1 larger,
    // -1 smaller) from CURRENT.
    static double Step(double current, int direction);
    // The setting's form: 0 for Fit, otherwise the scale in percent.
    int ToSetting() const;
    static ImageZoom FromSetting(int percent);
};
