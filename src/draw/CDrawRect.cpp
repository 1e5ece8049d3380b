#include "DrawObjects.h"
#include "DrawPage.h"
#include "DrawPainting.h"
#include "LinkPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextOption>

namespace {

// Brings the ends A and B of a span toward each other by about half of W; ends that coincide stay.
void PullIn(std::int64_t& a, std::int64_t& b, std::int64_t w) {
    if (b < a) {
        a -= w / 2;
        b += (w + 1) / 2;
    } else if (b > a) {
        a += (w + 1) / 2;
        b -= w / 2;
    }
}

std::int32_t Half(std::int64_t a, std::int64_t b) { return std::int32_t(a + (b - a) / 2); }

// The inside of R less INSET on every side, in Qt's terms.
QRectF Inset(const QRectF& r, double inset) {
    const double dx = std::min(inset, r.width() / 2), dy = std::min(inset, r.height() / 2);
    return r.adjusted(dx, dy, -dx, -dy);
}

// The four-corner band around a line that hit tests use.
QPolygonF LineBand(const PageRect& b, const LogPen& pen) {
    const double dx = (std::int64_t(pen.widthX) + 5) / 2, dy = (std::int64_t(pen.widthY) + 5) / 2;
    const double x1 = b.left, y1 = b.top, x2 = b.right, y2 = b.bottom;
    const double sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    return QPolygonF({QPointF(x1 - sx * dx, y1 - sy * dy), QPointF(x1 + sx * dx, y1 + sy * dy),
                      QPointF(x2 + sx * dx, y2 + sy * dy), QPointF(x2 - sx * dx, y2 - sy * dy)});
}

// The ellipse arc in R from the direction of START to that of END, counter-clockwise on the page.
QPainterPath ArcPath(const QRectF& r, PagePoint start, PagePoint end) {
    const QPointF c = r.center();
    const double a0 = std::atan2(start.y - c.y(), start.x - c.x()) * 180 / M_PI;
    double a1 = std::atan2(end.y - c.y(), end.x - c.x()) * 180 / M_PI;
    if (a1 <= a0) a1 += 360;
    // Qt measures angles with y down; the page has y up, so both are mirrored.
    QPainterPath path;
    path.arcMoveTo(r, -a0);
    path.arcTo(r, -a0, -(a1 - a0));
    return path;
}

}  // namespace

const ClassInfo CDrawRect::kClass{"CDrawRect", 0, [] { return std::make_unique<CDrawRect>(); }};

QString CDrawRect::NamePrefix(int shape) {
    static const char* const kPrefixes[] = {"ObjRect", "ObjRndRect", "ObjEps", "ObjLin", "ObjTex", "ObjArc", "ObjDrw", "ObjLnk"};
    return QString::fromLatin1(shape >= 0 && shape < 8 ? kPrefixes[shape] : "Obj");
}

CDrawRect::CDrawRect() : font(CurrentDrawDefaults().font) {}

CDrawRect::CDrawRect(const PageRect& rect) : CDrawRect() { bounds = rect; }

CDrawRect::CDrawRect(const PageRect& rect, int shape_, const QString& name_, const QString& text_, const QString& extra)
    : CDrawRect(rect) {
    shape = shape_;
    name = name_;
    text = text_;
    extraText = extra;
}

void CDrawRect::Store(ArchiveWriter& ar) const {
    CDrawObj::Store(ar);
    ar.WriteWord(std::uint16_t(shape));
    ar.WriteLong(corner.x);
    ar.WriteLong(corner.y);
    ar.WriteString(text);
    for (std::int32_t v : {font.height, font.width, font.escapement, font.orientation, font.weight}) ar.WriteLong(v);
    for (std::uint8_t b : {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                           font.clipPrecision, font.quality, font.pitchAndFamily})
        ar.WriteByte(b);
    for (char c : font.faceName) ar.WriteByte(std::uint8_t(c));
    ar.WriteWord(std::uint16_t(textAlign));
}

void CDrawRect::Load(ArchiveReader& ar) {
    CDrawObj::Load(ar);
    shape = ar.ReadWord();
    corner.x = ar.ReadLong();
    corner.y = ar.ReadLong();
    text = ar.ReadString();
    for (std::int32_t* v : {&font.height, &font.width, &font.escapement, &font.orientation, &font.weight}) *v = ar.ReadLong();
    for (std::uint8_t* b : {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
                            &font.clipPrecision, &font.quality, &font.pitchAndFamily})
        *b = ar.ReadByte();
    for (char& c : font.faceName) c = char(ar.ReadByte());
    textAlign = ar.ReadWord();
}

int CDrawRect::CountHandles() const { return shape == Line ? 2 : shape == RoundRectangle ? 9 : 8; }

PagePoint CDrawRect::HandlePoint(int handle) const {
    if (shape == Line && handle == 2) handle = 5;
    if (shape == RoundRectangle && handle == 9) {
        const PageRect n = bounds.Normalized();
        return {std::int32_t(std::int64_t(n.right) - corner.x / 2), std::int32_t(std::int64_t(n.top) - corner.y / 2)};
    }
    return CDrawObj::HandlePoint(handle);
}

Qt::CursorShape CDrawRect::HandleCursor(int handle) const {
    if (shape == Line && handle == 2) handle = 5;
    if (shape == RoundRectangle && handle == 9) return Qt::SizeAllCursor;
    return CDrawObj::HandleCursor(handle);
}

void CDrawRect::RenderPlain(QPainter& painter) const { RenderShape(painter, true); }

void CDrawRect::Render(QPainter& painter) const { RenderShape(painter, false); }

void CDrawRect::RenderShape(QPainter& painter, bool plain) const {
    if (!visible) return;
    painter.save();
    if (PreparePainter(painter)) {
        // The plain form is the bare shape: no pen kept inside the frame, no line pull-in, no
        // shadow, no placeholders.
        const double inset = plain ? 0 : DrawPainting::InsideFrameInset(penOn ? &pen : nullptr);
        const QRectF r = Inset(bounds.ToRectF(), inset);
        switch (shape) {
            case Rectangle: painter.drawRect(r); break;
            case RoundRectangle:
                painter.drawRoundedRect(r, std::max(0.0, corner.x / 2.0 - inset), std::max(0.0, corner.y / 2.0 - inset));
                break;
            case Ellipse: painter.drawEllipse(r); break;
            case Arc: painter.drawPath(ArcPath(r, {bounds.left, bounds.top}, {bounds.right, bounds.bottom})); break;
            case Line: {
                // The ends come in by half the pen so that the stroke stays within the rectangle;
                // ends that share a coordinate keep it.
                std::int64_t left = bounds.left, top = bounds.top, right = bounds.right, bottom = bounds.bottom;
                const std::int64_t wx = plain ? 0 : std::clamp(pen.widthX, 0, DrawPainting::kMaxPenWidth);
                const std::int64_t wy = plain ? 0 : std::clamp(pen.widthY, 0, DrawPainting::kMaxPenWidth);
                PullIn(top, bottom, wy);
                PullIn(left, right, wx);
                painter.drawLine(QPointF(left, top), QPointF(right, bottom));
                break;
            }
            case Text: RenderText(painter, plain); break;
            case Link:
                if (plain) DrawLinkedPicture(painter, r, document ? document->ResolveLink(text) : text);
                else RenderLink(painter);
                break;
            default: break;
        }
    }
    painter.restore();
}

void CDrawRect::RenderText(QPainter& painter, bool plain) const {
    const PageRect n = bounds.Normalized();
    const QFont qfont = DrawPainting::Font(font);
    painter.setFont(qfont);
    painter.setBackground(ToQColor(brush.color));
    painter.setBackgroundMode(brushOn ? Qt::OpaqueMode : Qt::TransparentMode);
    // Text is laid out with y down from the box's top-left corner, turned by the escapement
    // (tenths of a degree counter-clockwise) around it.
    painter.translate(n.left, n.top);
    painter.scale(1, -1);
    // Negated as a double: the lowest 32-bit value has no opposite.
    painter.rotate(-(font.escapement / 10.0));
    const QRectF box(0, 0, double(n.right) - n.left, double(n.top) - n.bottom);
    const QString shown = text.isEmpty() && !plain ? kEmptyText : text;
    if (plain) {
        painter.setPen(ToQColor(pen.color));
        painter.drawText(QPointF(0, QFontMetricsF(qfont).ascent()), shown);
        return;
    }
    int flags = Qt::TextWordWrap | Qt::TextExpandTabs | (textAlign == 1 ? Qt::AlignHCenter : textAlign == 2 ? Qt::AlignRight : Qt::AlignLeft);
    if (font.escapement != 0) flags |= Qt::TextDontClip;
    else painter.setClipRect(box, Qt::IntersectClip);
    if (shadowOn) {
        painter.setPen(ToQColor(shadowColor));
        painter.drawText(box.translated(shadowDx, -double(shadowDy)), flags, shown);
    }
    painter.setPen(ToQColor(pen.color));
    painter.drawText(box, flags, shown);
}

void CDrawRect::RenderLink(QPainter& painter) const {
    const QRectF r = bounds.ToRectF();
    if (DrawLinkedPicture(painter, r, document ? document->ResolveLink(text) : text)) return;
    const QString message = text.isEmpty() ? kEmptyLink : QStringLiteral("Error link: ") + text;
    painter.setFont(DrawPainting::Font(font));
    painter.setPen(ToQColor(pen.color));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.translate(r.center());
    painter.scale(1, -1);
    painter.drawText(QRectF(-r.width() / 2, -r.height() / 2, r.width(), r.height()),
                     Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, message);
}

QRectF CDrawRect::PaintedArea() const {
    // Turned text is not clipped; a shadow moves the text off the rectangle.
    if (shape == Text && font.escapement != 0) return QRectF(-1e10, -1e10, 2e10, 2e10);
    QRectF area = CDrawObj::PaintedArea();
    if (shape == Text && shadowOn) area = area.united(area.translated(shadowDx, shadowDy));
    return area;
}

bool CDrawRect::Intersects(const PageRect& rect) const {
    if (!bounds.Overlaps(rect)) return false;
    const QRectF test = rect.ToRectF();
    const QRectF r = bounds.ToRectF();
    QPainterPath region;
    switch (shape) {
        case RoundRectangle: region.addRoundedRect(r, corner.x / 2.0, corner.y / 2.0); break;
        case Ellipse: region.addEllipse(r); break;
        case Line: region.addPolygon(LineBand(bounds, pen)); region.closeSubpath(); break;
        case Reserved: return false;
        default: return true;
    }
    return region.intersects(test) || region.contains(test.center());
}

void CDrawRect::DragHandle(int handle, PagePoint point) {
    if (shape == Line && handle == 2) handle = 5;
    if (shape == RoundRectangle && handle == 9) {
        if (fixed) return;
        const PageRect n = bounds.Normalized();
        const std::int64_t cx = Half(n.left, n.right), cy = Half(n.bottom, n.top);
        const std::int64_t x = std::min<std::int64_t>(std::int64_t(n.right) - 1, std::max<std::int64_t>(cx, point.x));
        const std::int64_t y = std::min<std::int64_t>(std::int64_t(n.top) - 1, std::max<std::int64_t>(cy, point.y));
        corner = {std::int32_t(std::clamp<std::int64_t>(2 * (n.right - x), 0, INT32_MAX)),
                  std::int32_t(std::clamp<std::int64_t>(2 * (n.top - y), 0, INT32_MAX))};
        Changed();
        return;
    }
    CDrawObj::DragHandle(handle, point);
}
