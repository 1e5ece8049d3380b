#include "CDrawView.h"
#include "DrawDialogs.h"

#include "album/CAlboraDoc.h"
#include "draw/DrawAnnotation.h"
#include "platform/UiServices.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

DrawViewState& CurrentDrawViewState() {
    static DrawViewState state;
    return state;
}

CDrawView::CDrawView(CAlboraDoc& doc, Services services, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_services(services) {
    doc.AddView(this);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    RegisterCommands();
    RegisterAttributeCommands();
    RegisterPrintCommands();
    RegisterPictureCommands();
    UpdateScrollSize();
}

CDrawView::~CDrawView() = default;

DrawPage& CDrawView::Page() const { return m_services.draw.Page(); }

bool CDrawView::Writable() const { return !Page().IsReadOnly(); }

DrawViewPainting::Mapping CDrawView::CurrentMapping() const {
    DrawViewPainting::Mapping mapping;
    mapping.zoom = CurrentDrawViewState().zoom;
    mapping.ppiX = logicalDpiX();
    mapping.ppiY = logicalDpiY();
    mapping.width = Page().pageWidth;
    mapping.height = Page().pageHeight;
    return mapping;
}

QTransform CDrawView::PageToViewport() const {
    return CurrentMapping().PageToDevice() *
           QTransform::fromTranslate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

QPoint CDrawView::ToViewport(PagePoint point) const {
    return PageToViewport().map(QPointF(point.x, point.y)).toPoint();
}

PagePoint CDrawView::ToPage(const QPoint& viewport) const {
    const QPointF page = CurrentMapping().ToPage(QPointF(viewport + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value())));
    const auto clamp = [](double v) { return std::int32_t(std::clamp<double>(std::lround(v), -1e9, 1e9)); };
    return {clamp(page.x()), clamp(page.y())};
}

void CDrawView::UpdateScrollSize() {
    const QSize size = CurrentMapping().ScrollSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, size.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, size.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    viewport()->update();
}

void CDrawView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSize();
}

void CDrawView::scrollContentsBy(int, int) { viewport()->update(); }

void CDrawView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-scroll);
    DrawViewPainting::Options options;
    options.grid = m_grid;
    if (m_active) options.selected = [this](const CDrawObj* object) { return IsSelected(object); };
    DrawViewPainting::Paint(painter, Page(), CurrentMapping(), event->rect().translated(scroll), options);
    if (m_mode == Mode::NetSelect && !m_netRect.isNull()) {
        painter.resetTransform();
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_netRect.normalized());
    }
}

void CDrawView::InvalidateObject(const CDrawObj* object) {
    QRect area = PageToViewport().mapRect(object->PaintedArea()).toAlignedRect().normalized();
    if (m_active && IsSelected(object)) area.adjust(-4, -5, 5, 4);
    viewport()->update(area.adjusted(-10, -10, 10, 10));
}

void CDrawView::OnUpdate(View*, int hint, void* object) {
    switch (hint) {
        case 0:
        case 1:
            PruneSelection();
            UpdateScrollSize();
            break;
        case 2:
            if (object) InvalidateObject(static_cast<const CDrawObj*>(object));
            else viewport()->update();
            break;
        case 3:
            for (const CDrawObj* selected : m_selection) InvalidateObject(selected);
            break;
        case 4: {
            auto* gone = static_cast<CDrawObj*>(object);
            if (gone) {
                InvalidateObject(gone);
                Deselect(gone);
            }
            if (gone == m_figure) m_figure = nullptr;
            break;
        }
        case 5: viewport()->update(); break;
        case Hint::ViewCurrent:
        case Hint::SelectionOnly:
            m_services.draw.LoadForCurrentCard();
            break;
        default: break;
    }
}

void CDrawView::PruneSelection() {
    // Objects that left the page (a new page, an undo) leave the selection and any drawing.
    const auto gone = [this](const CDrawObj* object) { return Page().IndexOf(object) < 0; };
    std::erase_if(m_selection, gone);
    if (m_figure && gone(m_figure)) m_figure = nullptr;
    if (m_creating && gone(m_creating)) m_creating = nullptr;
    viewport()->update();
}

void CDrawView::OnTabActivation(bool shown, View*) { SetActive(shown); }

void CDrawView::SetActive(bool active) {
    if (m_active == active) return;
    m_active = active;
    viewport()->update();
}

void CDrawView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    SetActive(true);
}

bool CDrawView::IsSelected(const CDrawObj* object) const {
    return std::find(m_selection.begin(), m_selection.end(), object) != m_selection.end();
}

void CDrawView::Select(CDrawObj* object, bool add) {
    if (!add) ClearSelection();
    if (!object || IsSelected(object)) return;
    m_selection.push_back(object);
    InvalidateObject(object);
    ShowSelected(object);
}

void CDrawView::Deselect(CDrawObj* object) {
    const auto it = std::find(m_selection.begin(), m_selection.end(), object);
    if (it == m_selection.end()) return;
    m_selection.erase(it);
    InvalidateObject(object);
}

void CDrawView::ClearSelection() {
    for (const CDrawObj* object : m_selection) InvalidateObject(object);
    m_selection.clear();
}

void CDrawView::ShowSelected(const CDrawObj* object) {
    m_services.ui.SetStatusText(0, QStringLiteral("Selected: ") + object->name);
}

void CDrawView::SetTool(int tool) {
    EndFigure();
    CurrentDrawViewState().tool = tool;
}

void CDrawView::EndFigure() {
    CDrawPoly* figure = std::exchange(m_figure, nullptr);
    if (!figure || Page().IndexOf(figure) < 0) {
        m_services.draw.Edits().Commit();
        return;
    }
    m_captured = false;
    m_mode = Mode::None;
    const int count = figure->pointCount();
    bool keep = true;
    if (figure->polyKind == CDrawPoly::Polygon) {
        if (count > 2) {
            const PagePoint last = figure->points[std::size_t(count - 1)], before = figure->points[std::size_t(count - 2)];
            if (last == before || (last.y == before.y && last.x == before.x + 1)) figure->points.pop_back();
        }
        keep = figure->pointCount() > 1;
    } else if (count > 3) {
        figure->points.resize(std::size_t((count - 1) / 3 * 3 + 1));
    } else {
        keep = false;
    }
    if (keep) {
        figure->RecalcBounds();
        figure->Changed();
    } else {
        Deselect(figure);
        figure->Repaint();
        Page().Remove(figure);
    }
    m_services.draw.Edits().Commit();
    CurrentDrawViewState().tool = DrawViewState::Select;
}

void CDrawView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_active) return;
    setFocus();
    const QPoint at = event->position().toPoint();
    const PagePoint point = ToPage(at);
    DrawEdits& edits = m_services.draw.Edits();
    int tool = CurrentDrawViewState().tool;
    // A read-only page takes no new objects: every tool selects there.
    if (!Writable()) tool = DrawViewState::Select;
    if (tool == DrawViewState::Polygon || tool == DrawViewState::Curve) {
        if (m_figure && Page().IndexOf(m_figure) < 0) m_figure = nullptr;
        if (m_figure) {
            // A click on the first point closes the figure.
            const QPoint first = ToViewport(m_figure->points.front());
            if ((first - at).manhattanLength() <= CDrawObj::kHandleHit * 2) {
                m_figure->points.pop_back();
                CDrawPoly* figure = m_figure;
                m_figure = nullptr;
                m_captured = false;
                if (figure->pointCount() > 1) {
                    figure->RecalcBounds();
                    figure->Changed();
                } else {
                    Deselect(figure);
                    Page().Remove(figure);
                }
                edits.Commit();
                CurrentDrawViewState().tool = DrawViewState::Select;
                return;
            }
        } else {
            edits.Begin(tool == DrawViewState::Polygon ? QStringLiteral("Polygon") : QStringLiteral("Curve"), {});
            auto figure = std::make_shared<CDrawPoly>(PageRect{point.x, point.y, point.x, point.y});
            figure->polyKind = tool == DrawViewState::Polygon ? CDrawPoly::Polygon : CDrawPoly::Curve;
            figure->name = (tool == DrawViewState::Polygon ? QStringLiteral("ObjPoly") : QStringLiteral("ObjCurve")) + figure->serialText;
            Page().Add(figure);
            m_figure = figure.get();
            Select(m_figure);
            m_figure->AddPoint(point);
        }
        // The last segment follows the mouse.
        m_figure->AddPoint({point.x + 1, point.y});
        m_mode = Mode::Size;
        m_dragHandle = m_figure->pointCount();
        m_captured = true;
        m_downPoint = at;
        m_lastPoint = point;
        return;
    }
    m_captured = true;
    m_downPoint = at;
    m_lastPoint = point;
    if (tool == DrawViewState::Select) {
        SelectButtonDown(at, event->modifiers());
        return;
    }
    // The rectangle family: a new object grows from the click.
    static const std::map<int, int> kShapes = {{DrawViewState::Line, CDrawRect::Line},
                                               {DrawViewState::Rectangle, CDrawRect::Rectangle},
                                               {DrawViewState::RoundRectangle, CDrawRect::RoundRectangle},
                                               {DrawViewState::Ellipse, CDrawRect::Ellipse},
                                               {DrawViewState::Text, CDrawRect::Text},
                                               {DrawViewState::Arc, CDrawRect::Arc},
                                               {DrawViewState::Link, CDrawRect::Link}};
    const auto shape = kShapes.find(tool);
    if (shape == kShapes.end()) return;
    auto object = std::make_shared<CDrawRect>(PageRect{point.x, point.y, point.x, point.y});
    object->shape = shape->second;
    object->name = CDrawRect::NamePrefix(shape->second) + object->serialText;
    if (object->shape == CDrawRect::Text) object->brushOn = 0;
    edits.Begin(CDrawRect::NamePrefix(shape->second).mid(3), {});
    Page().Add(object);
    m_creating = object.get();
    Select(m_creating);
    m_mode = Mode::Size;
    m_dragHandle = 1;
}

void CDrawView::SelectButtonDown(const QPoint& at, Qt::KeyboardModifiers modifiers) {
    const PagePoint point = ToPage(at);
    DrawEdits& edits = m_services.draw.Edits();
    m_mode = Mode::None;
    if (m_selection.size() == 1) {
        if (const int handle = m_selection.front()->HitTest(point, PageToViewport(), true)) {
            m_mode = Mode::Size;
            m_dragHandle = handle;
            edits.Begin(QStringLiteral("Resize"), m_selection);
            return;
        }
    }
    if (CDrawObj* hit = Page().ObjectAt(point)) {
        m_mode = Mode::Move;
        if (!IsSelected(hit)) Select(hit, modifiers & Qt::ShiftModifier);
        edits.Begin(QStringLiteral("Move"), m_selection);
        // Ctrl leaves copies where the objects were; the objects themselves move.
        if ((modifiers & Qt::ControlModifier) && Writable())
            for (CDrawObj* object : SelectionCopy()) object->Duplicate(&Page());
        return;
    }
    if (!(modifiers & Qt::ShiftModifier)) ClearSelection();
    m_mode = Mode::NetSelect;
    m_netRect = QRect(at, at);
}

void CDrawView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const PagePoint point = ToPage(at);
    if (m_active) {
        m_services.ui.SetStatusText(0, QStringLiteral("Listo, presione F1 para ayuda"));
        m_services.ui.SetStatusTextF(1, "X=%d", point.x);
        m_services.ui.SetStatusTextF(2, "Y=%d", point.y);
    }
    const int tool = CurrentDrawViewState().tool;
    if (!m_captured) {
        Qt::CursorShape cursor = tool == DrawViewState::Select ? Qt::ArrowCursor : Qt::CrossCursor;
        if (tool == DrawViewState::Select && m_selection.size() == 1) {
            if (const int handle = m_selection.front()->HitTest(point, PageToViewport(), true))
                cursor = m_selection.front()->HandleCursor(handle);
        }
        viewport()->setCursor(cursor);
        return;
    }
    if (m_figure && (event->buttons() & Qt::LeftButton)) {
        // Held down, the polygon tools draw freehand.
        if (m_figure->AddPoint(point)) m_dragHandle = m_figure->pointCount();
        viewport()->setCursor(Qt::CrossCursor);
    }
    switch (m_mode) {
        case Mode::NetSelect: {
            const QRect old = m_netRect.normalized();
            m_netRect = QRect(m_downPoint, at);
            viewport()->update(old.united(m_netRect.normalized()).adjusted(-2, -2, 2, 2));
            break;
        }
        case Mode::Move:
            if (Writable())
                for (CDrawObj* object : m_selection)
                    object->Relocate(object->bounds.Offset(std::int64_t(point.x) - m_lastPoint.x, std::int64_t(point.y) - m_lastPoint.y));
            break;
        case Mode::Size:
            for (CDrawObj* object : m_selection) object->DragHandle(m_dragHandle, point);
            if (!m_selection.empty()) viewport()->setCursor(m_selection.front()->HandleCursor(m_dragHandle));
            break;
        case Mode::None: break;
    }
    m_lastPoint = point;
}

void CDrawView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_captured || m_figure) return;
    const QPoint at = event->position().toPoint();
    if (m_creating) {
        CDrawObj* created = std::exchange(m_creating, nullptr);
        if (at == m_downPoint) {
            // A click without a drag selects what is there instead.
            ClearSelection();
            created->Repaint();
            Page().Remove(created);
            m_services.draw.Edits().Commit();
            SelectButtonDown(at, event->modifiers());
        }
    }
    SelectButtonUp(at);
}

void CDrawView::SelectButtonUp(const QPoint& at) {
    if (m_mode == Mode::NetSelect) {
        const PagePoint a = ToPage(m_netRect.topLeft()), b = ToPage(m_netRect.bottomRight());
        const PageRect net = PageRect{a.x, a.y, b.x, b.y}.Normalized();
        viewport()->update();
        for (const auto& object : Page().objects)
            if (object->Intersects(net)) Select(object.get(), true);
        m_netRect = QRect();
    }
    m_services.draw.Edits().Commit();
    if (m_mode == Mode::Move || m_mode == Mode::Size) m_doc.UpdateAllViews(this, 1);
    m_mode = Mode::None;
    m_captured = false;
    if (at == m_downPoint) CurrentDrawViewState().tool = DrawViewState::Select;
}

void CDrawView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_active) return;
    if (m_figure) {
        EndFigure();
        return;
    }
    if (CurrentDrawViewState().tool != DrawViewState::Select) return;
    if (event->modifiers() & Qt::ShiftModifier) {
        if (CDrawObj* hit = Page().ObjectAt(ToPage(event->position().toPoint()))) Deselect(hit);
        return;
    }
    if (m_selection.size() == 1 && m_services.dialogs) {
        m_services.draw.Edits().Commit();
        m_services.dialogs->EditProperties(*m_selection.front(), m_services.draw.Edits());
    }
}

void CDrawView::Nudge(int dx, int dy) {
    if (m_selection.empty() || !Writable()) return;
    m_services.draw.Edits().Move(m_selection, dx, dy);
}

void CDrawView::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
        case Qt::Key_Left: Nudge(-step, 0); break;
        case Qt::Key_Right: Nudge(step, 0); break;
        case Qt::Key_Up: Nudge(0, step); break;
        case Qt::Key_Down: Nudge(0, -step); break;
        case Qt::Key_Delete: Delete(); break;
        case Qt::Key_Escape:
            if (m_figure) EndFigure();
            else SetTool(DrawViewState::Select);
            break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}
