#pragma once

#include <QRect>

// Where a window of SIZE goes within AVAILABLE (the screen's free area) so that it does not cover
// AVOID: to its right if there is room, else to its left, else on the roomier side, overlapping
// it as little as the screen allows. Its top is level with AVOID's where the screen allows.
QRect PlaceBeside(const QSize& size, const QRect& avoid, const QRect& available);
