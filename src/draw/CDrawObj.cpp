#include "DrawObjects.h"
#include "DrawPage.h"
#include "DrawPainting.h"

#include <QPainter>
#include <atomic>

namespace {

std::atomic<int> g_liveObjects{0};

// Coordinates read from a file may be anything: sums are made in 64 bits and kept in range.
std::int32_t Clamp32(std::int64_t value) {
    return std::int32_t(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

DrawDefaults& CurrentDrawDefaults() {
    static DrawDefaults defaults;
    return defaults;
}

const ClassInfo CDrawObj::kClass{"CDrawObj", 0, [] { return std::make_unique<CDrawObj>(); }};

CDrawObj::CDrawObj() : serialText(QStringLiteral("_%1").arg(++g_liveObjects)) {
    const DrawDefaults& defaults = CurrentDrawDefaults();
    pen.widthX = pen.widthY = defaults.penWidth;
    pen.color = defaults.lineColor;
    brushOn = defaults.fillOn;
    brush = {defaults.fillStyle, defaults.fillColor, defaults.hatch};
    name = QStringLiteral("Obj") + serialText;
}

CDrawObj::CDrawObj(const PageRect& rect) : CDrawObj() { bounds = rect; }

CDrawObj::~CDrawObj() { --g_liveObjects; }

int CDrawObj::LiveObjects() { return g_liveObjects; }

void CDrawObj::Store(ArchiveWriter& ar) const {
    for (std::int32_t v : {bounds.left, bounds.top, bounds.right, bounds.bottom}) ar.WriteLong(v);
    ar.WriteWord(std::uint16_t(penOn));
    ar.WriteDword(pen.style);
    ar.WriteLong(pen.widthX);
    ar.WriteLong(pen.widthY);
    ar.WriteDword(pen.color);
    ar.WriteWord(std::uint16_t(brushOn));
    ar.WriteDword(brush.style);
    ar.WriteDword(brush.color);
    ar.WriteDword(brush.hatch);
    ar.WriteString(name);
    ar.WriteWord(std::uint16_t(shadowOn));
    ar.WriteDword(shadowColor);
    ar.WriteLong(shadowDx);
    ar.WriteLong(shadowDy);
    ar.WriteWord(std::uint16_t(fixed));
    ar.WriteString(extraText);
    ar.WriteWord(std::uint16_t(visible));
    ar.WriteWord(std::uint16_t(extraWord));
}

void CDrawObj::Load(ArchiveReader& ar) {
    bounds.left = ar.ReadLong();
    bounds.top = ar.ReadLong();
    bounds.right = ar.ReadLong();
    bounds.bottom = ar.ReadLong();
    penOn = ar.ReadWord();
    pen.style = ar.ReadDword();
    pen.widthX = ar.ReadLong();
    pen.widthY = ar.ReadLong();
    pen.color = ar.ReadDword();
    brushOn = ar.ReadWord();
    brush.style = ar.ReadDword();
    brush.color = ar.ReadDword();
    brush.hatch = ar.ReadDword();
    name = ar.ReadString();
    shadowOn = ar.ReadWord();
    shadowColor = ar.ReadDword();
    shadowDx = ar.ReadLong();
    shadowDy = ar.ReadLong();
    fixed = ar.ReadWord();
    extraText = ar.ReadString();
    visible = ar.ReadWord();
    extraWord = ar.ReadWord();
}

int CDrawObj::CountHandles() const { return 8; }

PagePoint CDrawObj::HandlePoint(int handle) const {
    const std::int32_t xMid = Clamp32(bounds.left + (std::int64_t(bounds.right) - bounds.left) / 2);
    const std::int32_t yMid = Clamp32(bounds.top + (std::int64_t(bounds.bottom) - bounds.top) / 2);
    switch (handle) {
        case 1: return {bounds.left, bounds.top};
        case 2: return {xMid, bounds.top};
        case 3: return {bounds.right, bounds.top};
        case 4: return {bounds.right, yMid};
        case 5: return {bounds.right, bounds.bottom};
        case 6: return {xMid, bounds.bottom};
        case 7: return {bounds.left, bounds.bottom};
        case 8: return {bounds.left, yMid};
        default: return {bounds.left, bounds.top};
    }
}

Qt::CursorShape CDrawObj::HandleCursor(int handle) const {
    switch (handle) {
        case 2:
        case 6: return Qt::SizeVerCursor;
        case 3:
        case 7: return Qt::SizeBDiagCursor;
        case 4:
        case 8: return Qt::SizeHorCursor;
        default: return Qt::SizeFDiagCursor;
    }
}

void CDrawObj::ApplyLineColor(ColorRef color) {
    pen.color = color;
    Changed();
}

void CDrawObj::ApplyFillColor(ColorRef color) {
    brush.color = color;
    Changed();
}

void CDrawObj::ApplyPenWidth(std::int32_t width) {
    pen.widthX = pen.widthY = width;
    Changed();
}

void CDrawObj::ApplyFill(int on, std::uint32_t style, std::uint32_t hatch) {
    brushOn = on;
    brush.style = style;
    brush.hatch = hatch;
    Changed();
}

void CDrawObj::RenderPlain(QPainter&) const {}

void CDrawObj::Render(QPainter&) const {}

void CDrawObj::RenderTracker(QPainter& painter, int state) const {
    if (state != 1 && state != 2) return;
    painter.save();
    // Inverted boxes, as sharp as the screen's pixels.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double half = kHandleSize / 2.0;
    for (int n = 1; n <= CountHandles(); ++n) {
        const PagePoint p = HandlePoint(n);
        painter.drawRect(QRectF(p.x - half, p.y - half, kHandleSize, kHandleSize));
    }
    painter.restore();
}

void CDrawObj::Relocate(const PageRect& rect) {
    if (rect == bounds || fixed) return;
    Repaint();
    bounds = rect;
    Changed();
}

int CDrawObj::HitTest(PagePoint point, const QTransform& toDevice, bool selected) const {
    if (selected) {
        const QPointF at = toDevice.map(QPointF(point.x, point.y));
        for (int n = 1; n <= CountHandles(); ++n) {
            const PagePoint h = HandlePoint(n);
            const QPointF handle = toDevice.map(QPointF(h.x, h.y));
            if (std::abs(at.x() - handle.x()) <= kHandleHit && std::abs(at.y() - handle.y()) <= kHandleHit) return n;
        }
        return 0;
    }
    return bounds.left <= point.x && point.x < bounds.right && bounds.bottom < point.y && point.y <= bounds.top ? 1 : 0;
}

bool CDrawObj::Intersects(const PageRect& rect) const { return bounds.Overlaps(rect); }

void CDrawObj::DragHandle(int handle, PagePoint point) {
    PageRect rect = bounds;
    switch (handle) {
        case 1: rect.left = point.x; rect.top = point.y; break;
        case 2: rect.top = point.y; break;
        case 3: rect.right = point.x; rect.top = point.y; break;
        case 4: rect.right = point.x; break;
        case 5: rect.right = point.x; rect.bottom = point.y; break;
        case 6: rect.bottom = point.y; break;
        case 7: rect.left = point.x; rect.bottom = point.y; break;
        case 8: rect.left = point.x; break;
        default: return;
    }
    Relocate(rect);
}

std::shared_ptr<CDrawObj> CDrawObj::Duplicate(DrawPage* page) const {
    // Through the archive: every stored field, members and points included, and nothing else.
    QByteArray bytes;
    ArchiveWriter writer(bytes);
    writer.WriteObject(this);
    ArchiveReader reader(bytes, DrawClasses());
    auto copy = reader.ReadObjectAs<CDrawObj>();
    if (!reader.ok() || !copy) return nullptr;
    if (page) page->Add(copy);
    return copy;
}

void CDrawObj::SetFixed(int flag) {
    fixed = flag;
    if (document) document->SetModified();
}

QRectF CDrawObj::PaintedArea() const {
    const double pen = penOn ? std::clamp(std::max(this->pen.widthX, this->pen.widthY), 0, 32767) : 0;
    // Handles and round caps reach a little beyond the pen.
    const double margin = pen / 2 + kHandleSize;
    return bounds.ToRectF().adjusted(-margin, -margin, margin, margin);
}

void CDrawObj::Changed() const {
    Repaint();
    if (document) document->SetModified();
}

void CDrawObj::Repaint() const {
    if (document) document->Repaint(this);
}

bool CDrawObj::PreparePainter(QPainter& painter) const {
    return DrawPainting::Prepare(painter, penOn ? &pen : nullptr, brushOn ? &brush : nullptr);
}

std::shared_ptr<CDrawObj> ReadListedObject(ArchiveReader& ar) {
    auto object = ar.ReadObjectAs<CDrawObj>();
    // Each object has one place in a drawing: one met again (a group holding itself, or an
    // object in two places) would be drawn and moved twice, or without end.
    if (object && ar.LastWasBackReference()) {
        ar.Fail(QStringLiteral("an object listed twice"));
        return nullptr;
    }
    return object;
}

const ClassRegistry& DrawClasses() {
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        for (const ClassInfo* info : {&CDrawObj::kClass, &CDrawRect::kClass, &CDrawPoly::kClass, &CDrawOleObj::kClass,
                                      &CDrawGroupObj::kClass, &CDrawItem::kClass})
            r.Register(*info);
        return r;
    }();
    return registry;
}
