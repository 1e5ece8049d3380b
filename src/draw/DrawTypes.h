#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>

// The plain records that draw objects keep as Windows kept them, so that annotation files from
// there read and write unchanged. Geometry is in page units of 0.01 inch with y growing upwards.

// 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) { return ColorRef(r & 255) | ColorRef(g & 255) << 8 | ColorRef(b & 255) << 16; }
inline QColor ToQColor(ColorRef c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }
inline ColorRef FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

// A rectangle as (left, top, right, bottom); made by dragging, top is usually above bottom, but
// nothing keeps an order, so tests that need one normalise a copy.
struct PageRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    friend bool operator==(const PageRect&, const PageRect&) = default;
    // Left below right and bottom below top: the page's own upright order.
    PageRect Normalized() const {
        return {std::min(left, right), std::max(top, bottom), std::max(left, right), std::min(top, bottom)};
    }
    std::int64_t Width() const { return std::int64_t(right) - left; }
    std::int64_t Height() const { return std::int64_t(top) - bottom; }
    // Moved by (DX, DY), kept within the 32 bits the file holds.
    PageRect Offset(std::int64_t dx, std::int64_t dy) const {
        const auto clamp = [](std::int64_t v) { return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
        return {clamp(left + dx), clamp(top + dy), clamp(right + dx), clamp(bottom + dy)};
    }
    // Whether two normalised rectangles share any area.
    bool Overlaps(const PageRect& other) const {
        const PageRect a = Normalized(), b = other.Normalized();
        return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
    }
    PageRect United(const PageRect& other) const {
        const PageRect a = Normalized(), b = other.Normalized();
        return {std::min(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right), std::min(a.bottom, b.bottom)};
    }
    // In Qt's terms (x to the right, y as stored), normalised.
    QRectF ToRectF() const {
        const PageRect n = Normalized();
        return QRectF(n.left, n.bottom, double(n.right) - n.left, double(n.top) - n.bottom);
    }
};

struct PagePoint {
    std::int32_t x = 0, y = 0;
    friend bool operator==(const PagePoint&, const PagePoint&) = default;
};

namespace PenStyle {
constexpr std::uint32_t Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6;
}
namespace BrushStyle {
constexpr std::uint32_t Solid = 0, Hollow = 1, Hatched = 2;
}

struct LogPen {
    std::uint32_t style = PenStyle::InsideFrame;
    std::int32_t widthX = 1, widthY = 1;
    ColorRef color = 0;
    friend bool operator==(const LogPen&, const LogPen&) = default;
};

struct LogBrush {
    std::uint32_t style = BrushStyle::Solid;
    ColorRef color = 0x808080;
    std::uint32_t hatch = 0;
    friend bool operator==(const LogBrush&, const LogBrush&) = default;
};

// The 60 bytes of a Windows LOGFONT: the face name is 32 bytes of Windows-1252, NUL-padded.
struct LogFont {
    std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 400;
    std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 1, outPrecision = 0, clipPrecision = 0,
                 quality = 0, pitchAndFamily = 32;
    std::array<char, 32> faceName{'A', 'r', 'i', 'a', 'l'};
    friend bool operator==(const LogFont&, const LogFont&) = default;

    QString FaceName() const;
    void SetFaceName(const QString& name);
};
