#include "DrawObjects.h"
#include "DrawPage.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPolygonF PolygonOf(const std::vector<PagePoint>& points, std::size_t count) {
    QPolygonF polygon;
    polygon.reserve(qsizetype(count));
    for (std::size_t i = 0; i < count; ++i) polygon << QPointF(points[i].x, points[i].y);
    return polygon;
}

// A Bezier path through the first COUNT points (3k + 1 of them).
QPainterPath CurveOf(const std::vector<PagePoint>& points, std::size_t count) {
    QPainterPath path;
    if (count == 0) return path;
    path.moveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i + 2 < count; i += 3)
        path.cubicTo(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x, points[i + 2].y);
    return path;
}

std::size_t CurvePoints(std::size_t count) { return count < 4 ? std::min<std::size_t>(count, 1) : (count - 1) / 3 * 3 + 1; }

}  // namespace

const ClassInfo CDrawPoly::kClass{"CDrawPoly", 0, [] { return std::make_unique<CDrawPoly>(); }};

CDrawPoly::CDrawPoly() { name = QStringLiteral("ObjPoli") + serialText; }

CDrawPoly::CDrawPoly(const PageRect& rect) : CDrawPoly() { bounds = rect; }

void CDrawPoly::Store(ArchiveWriter& ar) const {
    CDrawObj::Store(ar);
    ar.WriteWord(std::uint16_t(polyKind));
    ar.WriteWord(std::uint16_t(points.size()));
    ar.WriteWord(std::uint16_t(std::max<std::size_t>(pointCapacity, points.size())));
    for (const PagePoint& p : points) {
        ar.WriteLong(p.x);
        ar.WriteLong(p.y);
    }
}

void CDrawPoly::Load(ArchiveReader& ar) {
    CDrawObj::Load(ar);
    polyKind = ar.ReadWord();
    const int count = ar.ReadWord();
    pointCapacity = ar.ReadWord();
    if (!ar.ok()) return;
    if (std::size_t(count) * 8 > ar.Remaining()) {
        ar.Fail(QStringLiteral("%1 points larger than the data").arg(count));
        return;
    }
    points.resize(std::size_t(count));
    for (PagePoint& p : points) {
        p.x = ar.ReadLong();
        p.y = ar.ReadLong();
    }
    pointCapacity = std::max(pointCapacity, count);
}

int CDrawPoly::CountHandles() const { return pointCount(); }

PagePoint CDrawPoly::HandlePoint(int handle) const {
    if (handle >= 1 && handle <= pointCount()) return points[std::size_t(handle - 1)];
    return CDrawObj::HandlePoint(handle);
}

Qt::CursorShape CDrawPoly::HandleCursor(int) const { return Qt::ArrowCursor; }

void CDrawPoly::RenderPlain(QPainter& painter) const {
    if (!visible) return;
    painter.save();
    if (PreparePainter(painter)) {
        if (polyKind == Polygon) painter.drawPolygon(PolygonOf(points, points.size()));
        else painter.drawPath(CurveOf(points, points.size()));
    }
    painter.restore();
}

void CDrawPoly::Render(QPainter& painter) const {
    if (!visible) return;
    painter.save();
    if (PreparePainter(painter)) {
        if (polyKind == Polygon) {
            painter.drawPolygon(PolygonOf(points, points.size()));
        } else if (points.size() >= 4 && (points.size() - 1) % 3 == 0) {
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(CurveOf(points, points.size()));
        } else {
            // A curve that is not 3k + 1 points: what it would be, dotted in red, to show it is unfinished.
            QPen dotted(QColor(255, 0, 0), 1, Qt::DotLine);
            painter.setPen(dotted);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(CurveOf(points, CurvePoints(points.size())));
        }
    }
    painter.restore();
}

void CDrawPoly::Relocate(const PageRect& rect) {
    if (rect == bounds || fixed) return;
    const std::int64_t dx = std::int64_t(rect.left) - bounds.left, dy = std::int64_t(rect.top) - bounds.top;
    Repaint();
    for (PagePoint& p : points) {
        p.x = std::int32_t(std::clamp<std::int64_t>(p.x + dx, INT32_MIN, INT32_MAX));
        p.y = std::int32_t(std::clamp<std::int64_t>(p.y + dy, INT32_MIN, INT32_MAX));
    }
    bounds = rect;
    Changed();
}

bool CDrawPoly::Intersects(const PageRect& rect) const {
    if (points.empty() || !bounds.Overlaps(rect)) return false;
    QPainterPath region;
    region.addPolygon(PolygonOf(points, points.size()));
    region.closeSubpath();
    const QRectF test = rect.ToRectF();
    return region.intersects(test) || region.contains(test.center());
}

void CDrawPoly::DragHandle(int handle, PagePoint point) {
    if (fixed || handle < 1 || handle > pointCount()) return;
    Repaint();
    points[std::size_t(handle - 1)] = point;
    RecalcBounds();
    Changed();
}

bool CDrawPoly::AddPoint(PagePoint point) {
    if (!points.empty() && points.back() == point) return false;
    if (pointCount() >= kMaxPoints) return false;
    if (pointCount() == pointCapacity) pointCapacity = std::min(pointCapacity + 10, kMaxPoints);
    points.push_back(point);
    RecalcBounds();
    Changed();
    return true;
}

void CDrawPoly::RecalcBounds() {
    if (points.empty()) return;
    PageRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const PagePoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::max(r.top, p.y);
        r.bottom = std::min(r.bottom, p.y);
    }
    bounds = r;
}
