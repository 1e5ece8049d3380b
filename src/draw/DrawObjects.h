#pragma once

#include "DrawTypes.h"

#include "platform/ObjectArchive.h"

#include <QTransform>
#include <memory>
#include <vector>

class DrawPage;
class QPainter;

// The attributes new objects take, changed by the attribute commands of the draw view.
struct DrawDefaults {
    std::int32_t penWidth = 1;
    ColorRef lineColor = 0;
    int fillOn = 1;
    std::uint32_t fillStyle = BrushStyle::Solid;
    ColorRef fillColor = 0x808080;
    std::uint32_t hatch = 0;
    LogFont font;
};
DrawDefaults& CurrentDrawDefaults();

// A draw object: its rectangle, pen, brush, name and flags, and what every kind does with them.
class CDrawObj : public Serializable {
public:
    static const ClassInfo kClass;
    // Handles are boxes of this many page units, hit within this many device pixels.
    static constexpr int kHandleSize = 7, kHandleHit = 3;

    CDrawObj();
    explicit CDrawObj(const PageRect& rect);
    ~CDrawObj() override;
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    // How many draw objects exist now; each takes the next number as its serial text.
    static int LiveObjects();

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    virtual int CountHandles() const;
    virtual PagePoint HandlePoint(int handle) const;
    virtual Qt::CursorShape HandleCursor(int handle) const;
    void ApplyLineColor(ColorRef color);
    void ApplyFillColor(ColorRef color);
    // The shape alone: no shadow, no placeholder texts.
    virtual void RenderPlain(QPainter& painter) const;
    virtual void Render(QPainter& painter) const;
    // STATE 1 (selected) or 2 (active) draws the handles as inverted boxes.
    void RenderTracker(QPainter& painter, int state) const;
    virtual void Relocate(const PageRect& rect);
    // The handle under POINT of a selected object (TOPAGE maps page units to the device), or 1
    // when an unselected object's rectangle holds it; 0 otherwise.
    int HitTest(PagePoint point, const QTransform& toDevice, bool selected) const;
    virtual bool Intersects(const PageRect& rect) const;
    virtual void DragHandle(int handle, PagePoint point);
    // A copy of every stored field (a fresh serial text), added to PAGE when given; null when
    // this kind cannot be copied.
    std::shared_ptr<CDrawObj> Duplicate(DrawPage* page) const;
    virtual void SetFixed(int flag);
    // Sets PEN's widths, repaints and marks the page changed.
    void ApplyPenWidth(std::int32_t width);
    void ApplyFill(int on, std::uint32_t style, std::uint32_t hatch);

    // Where painting the object can reach: its rectangle widened by the pen (and by all of the
    // page for text turned by an escapement, which is not clipped).
    virtual QRectF PaintedArea() const;
    // Repaints the object's area and marks the page not saved.
    void Changed() const;
    void Repaint() const;

    QString serialText;
    PageRect bounds;
    DrawPage* document = nullptr;
    int penOn = 1;
    LogPen pen;
    int brushOn = 1;
    LogBrush brush;
    QString name;
    int shadowOn = 0;
    ColorRef shadowColor = 0;
    std::int32_t shadowDx = 1, shadowDy = -1;
    int fixed = 0;
    QString extraText;
    int visible = 1;
    int extraWord = 0;

protected:
    // The pen and brush as Qt draws them; nullopt when they cannot be made.
    bool PreparePainter(QPainter& painter) const;
};

// The rectangle family: rectangles, rounded rectangles, ellipses, lines, texts, arcs and links.
class CDrawRect : public CDrawObj {
public:
    enum Shape { Rectangle = 0, RoundRectangle = 1, Ellipse = 2, Line = 3, Text = 4, Arc = 5, Reserved = 6, Link = 7 };
    static const ClassInfo kClass;
    static QString NamePrefix(int shape);
    // Text drawn for an empty text object and for a link without a file.
    static inline const QString kEmptyText = QStringLiteral("[Double click to enter text]");
    static inline const QString kEmptyLink = QStringLiteral("[Double click to define link]");

    CDrawRect();
    explicit CDrawRect(const PageRect& rect);
    // A link or another kind made whole, as New makes the background picture.
    CDrawRect(const PageRect& rect, int shape, const QString& name, const QString& text, const QString& extra);

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    int CountHandles() const override;
    PagePoint HandlePoint(int handle) const override;
    Qt::CursorShape HandleCursor(int handle) const override;
    void RenderPlain(QPainter& painter) const override;
    void Render(QPainter& painter) const override;
    bool Intersects(const PageRect& rect) const override;
    void DragHandle(int handle, PagePoint point) override;
    QRectF PaintedArea() const override;

    int shape = Rectangle;
    PagePoint corner{16, 16};
    QString text;
    LogFont font;
    int textAlign = 0;

private:
    void RenderShape(QPainter& painter, bool plain) const;
    void RenderText(QPainter& painter, bool plain) const;
    void RenderLink(QPainter& painter) const;
};

// Polygons and Bezier curves.
class CDrawPoly : public CDrawObj {
public:
    enum Kind { Polygon = 0, Curve = 1 };
    static const ClassInfo kClass;
    // The file keeps counts in 16 bits.
    static constexpr int kMaxPoints = 65535;

    CDrawPoly();
    explicit CDrawPoly(const PageRect& rect);

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    int CountHandles() const override;
    PagePoint HandlePoint(int handle) const override;
    Qt::CursorShape HandleCursor(int handle) const override;
    void RenderPlain(QPainter& painter) const override;
    void Render(QPainter& painter) const override;
    void Relocate(const PageRect& rect) override;
    bool Intersects(const PageRect& rect) const override;
    void DragHandle(int handle, PagePoint point) override;

    // Appends POINT unless it repeats the last one or the figure is full; the bounds follow.
    bool AddPoint(PagePoint point);
    void RecalcBounds();

    int polyKind = Polygon;
    int pointCount() const { return int(points.size()); }
    int pointCapacity = 0;
    std::vector<PagePoint> points;
};

// Objects drawn, moved and copied as one.
class CDrawGroupObj : public CDrawObj {
public:
    static const ClassInfo kClass;

    CDrawGroupObj();
    explicit CDrawGroupObj(const PageRect& rect);

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    void RenderPlain(QPainter& painter) const override;
    void Render(QPainter& painter) const override;
    void Relocate(const PageRect& rect) override;
    void DragHandle(int handle, PagePoint point) override;
    void SetFixed(int flag) override;

    std::vector<std::shared_ptr<CDrawObj>> members;
};

// The embedded-object client item of Windows' OLE containers. Its stored form is the container
// framework's own, which cannot be read here.
class CDrawItem : public Serializable {
public:
    static const ClassInfo kClass;
    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter&) const override {}
    void Load(ArchiveReader& ar) override;
};

// An embedded OLE object. Annotations made on Windows may hold them; reading one stops the
// file there with a reason, as an archive failure, and everything before it stays.
class CDrawOleObj : public CDrawObj {
public:
    static const ClassInfo kClass;
    static inline const QString kRefusal = QStringLiteral("an embedded OLE object, which Albora cannot show");

    CDrawOleObj();

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    PagePoint extent;
    std::shared_ptr<CDrawItem> item;
};

// The classes an annotation archive may hold.
const ClassRegistry& DrawClasses();
// The next object of a list of draw objects; a list refers to each object once.
std::shared_ptr<CDrawObj> ReadListedObject(ArchiveReader& ar);
