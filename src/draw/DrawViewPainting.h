#pragma once

#include "DrawPage.h"

#include <QRect>
#include <QTransform>
#include <functional>

// How the draw view shows a page, apart from any widget: the zoom's mapping and the painting of
// the surround, paper, border or grid, drop shadow and objects. The view, printing and albora-cli
// all paint through it.
namespace DrawViewPainting {

enum Zoom { Zoom1to1 = 0, Zoom2to1 = 1, Zoom3to1 = 2, Zoom1to2 = 3, Zoom1to3 = 4 };
constexpr ColorRef kGridColor = 0x808040;
constexpr ColorRef kSurround = 0xC0C0C0;

// Page units to device pixels for a page of WIDTH x HEIGHT units at ZOOM on a device of
// PPIX x PPIY pixels per inch: the page's top-left corner at the scroll area's top-left (moved a
// little further at 1:2 and 1:3).
struct Mapping {
    int zoom = Zoom1to1;
    double ppiX = 96, ppiY = 96;
    std::int32_t width = DrawPage::kClearedWidth, height = DrawPage::kClearedHeight;

    // Page units in an inch's worth of window extent for each zoom.
    static int WindowExtent(int zoom);
    QTransform PageToDevice() const;
    QPointF ToPage(const QPointF& device) const { return PageToDevice().inverted().map(device); }
    QSize ScrollSize() const;
};

struct Options {
    bool grid = false;
    // Handles of the objects this says are selected (none while printing).
    std::function<bool(const CDrawObj*)> selected;
};

// Paints the part DEVICEAREA of the view of PAGE with PAINTER in device pixels.
void Paint(QPainter& painter, const DrawPage& page, const Mapping& mapping, const QRect& deviceArea, const Options& options);

}  // namespace DrawViewPainting
