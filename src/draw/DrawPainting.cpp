#include "DrawPainting.h"

#include "platform/CodePage1252.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

QString LogFont::FaceName() const {
    const auto end = std::find(faceName.begin(), faceName.end(), '\0');
    return CodePage1252::Decode(QByteArrayView(faceName.data(), qsizetype(end - faceName.begin())));
}

void LogFont::SetFaceName(const QString& name) {
    faceName.fill('\0');
    // A face that Windows-1252 cannot hold is no face Windows knows: the default is drawn.
    const QByteArray bytes = CodePage1252::Encode(name).value_or(QByteArray()).left(31);
    std::copy(bytes.begin(), bytes.end(), faceName.begin());
}

namespace DrawPainting {

namespace {

Qt::BrushStyle HatchPattern(std::uint32_t hatch) {
    switch (hatch) {
        case 0: return Qt::HorPattern;
        case 1: return Qt::VerPattern;
        case 2: return Qt::FDiagPattern;
        case 3: return Qt::BDiagPattern;
        case 4: return Qt::CrossPattern;
        case 5: return Qt::DiagCrossPattern;
        default: return Qt::NoBrush;
    }
}

}  // namespace

bool Prepare(QPainter& painter, const LogPen* pen, const LogBrush* brush) {
    if (pen) {
        QPen qpen(ToQColor(pen->color), std::clamp(pen->widthX, 0, kMaxPenWidth));
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
        switch (pen->style) {
            case PenStyle::Dash: qpen.setStyle(Qt::DashLine); break;
            case PenStyle::Dot: qpen.setStyle(Qt::DotLine); break;
            case PenStyle::DashDot: qpen.setStyle(Qt::DashDotLine); break;
            case PenStyle::DashDotDot: qpen.setStyle(Qt::DashDotDotLine); break;
            case PenStyle::Null: qpen.setStyle(Qt::NoPen); break;
            case PenStyle::Solid:
            case PenStyle::InsideFrame: break;
            default: return false;
        }
        painter.setPen(qpen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    if (!brush || brush->style == BrushStyle::Hollow) {
        painter.setBrush(Qt::NoBrush);
    } else if (brush->style == BrushStyle::Solid) {
        painter.setBrush(ToQColor(brush->color));
    } else if (brush->style == BrushStyle::Hatched) {
        Qt::BrushStyle pattern = HatchPattern(brush->hatch);
        if (pattern == Qt::NoBrush) return false;
        // SVG keeps patterns in the page's own coordinates, whose y axis points up: the two
        // diagonals would come out mirrored there.
        if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::SVG &&
            (pattern == Qt::FDiagPattern || pattern == Qt::BDiagPattern))
            pattern = pattern == Qt::FDiagPattern ? Qt::BDiagPattern : Qt::FDiagPattern;
        painter.setBrush(QBrush(ToQColor(brush->color), pattern));
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
    } else {
        return false;
    }
    return true;
}

double InsideFrameInset(const LogPen* pen) {
    if (!pen || pen->style != PenStyle::InsideFrame) return 0;
    return std::clamp(pen->widthX, 0, kMaxPenWidth) / 2.0;
}

QFont Font(const LogFont& font) {
    QFont qfont(font.FaceName().isEmpty() ? QStringLiteral("Arial") : font.FaceName());
    qfont.setWeight(QFont::Weight(std::clamp(font.weight == 0 ? 400 : font.weight, 1, 1000)));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    const std::int64_t height = font.height;
    int pixels = kDefaultFontHeight;
    if (height < 0) {
        pixels = int(std::min<std::int64_t>(-height, kMaxFontHeight));
    } else if (height > 0) {
        // A cell height: the characters are the cell less its internal leading.
        qfont.setPixelSize(100);
        const QFontMetricsF metrics(qfont);
        const double cell = metrics.ascent() + metrics.descent();
        pixels = int(std::min<std::int64_t>(height, kMaxFontHeight) * 100 / std::max(cell, 1.0));
    }
    qfont.setPixelSize(std::max(pixels, 1));
    return qfont;
}

}  // namespace DrawPainting
