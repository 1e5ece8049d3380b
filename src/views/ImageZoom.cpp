#include "ImageZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr std::array kSteps = {1.0 / 8, 1.0 / 4, 1.0 / 2, 1.0, 2.0, 3.0, 4.0, 5.0};
}

double ImageZoom::Effective(const QSize& picture, const QSize& area) const {
    if (picture.isEmpty()) return 1;
    const double across = double(area.width()) / picture.width(), down = double(area.height()) / picture.height();
    switch (mode) {
        case Mode::Scale: return scale;
        case Mode::Stretch: return std::min(across, down);
        case Mode::Fit: break;
    }
    return std::clamp(std::min(across, down), 1e-4, 1.0);
}

QSize ImageZoom::Drawn(const QSize& picture, const QSize& area) const {
    if (mode == Mode::Stretch) return area;
    const double s = Effective(picture, area);
    return QSize(std::max(1, int(std::lround(picture.width() * s))), std::max(1, int(std::lround(picture.height() * s))));
}

QPoint ImageZoom::Origin(const QSize& drawn, const QSize& area, const QPoint& scroll) {
    return QPoint(area.width() >= drawn.width() ? (area.width() - drawn.width()) / 2 : -scroll.x(),
                  area.height() >= drawn.height() ? (area.height() - drawn.height()) / 2 : -scroll.y());
}

double ImageZoom::Step(double current, int direction) {
    // A little slack, so that a fitted scale just below a step goes to that step when enlarged.
    constexpr double kSlack = 1e-6;
    if (direction > 0) {
        for (double step : kSteps)
            if (step > current + kSlack) return step;
        return kSteps.back();
    }
    for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it)
        if (*it < current - kSlack) return *it;
    return kSteps.front();
}

int ImageZoom::ToSetting() const { return mode == Mode::Scale ? int(std::lround(scale * 100)) : 0; }

ImageZoom ImageZoom::FromSetting(int percent) {
    ImageZoom zoom;
    if (percent > 0) {
        zoom.mode = Mode::Scale;
        zoom.scale = std::clamp(percent / 100.0, kMinScale, kMaxScale);
    }
    return zoom;
}
