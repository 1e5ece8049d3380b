// The commands of the draw view: tools, selection, clipboard, layout, attributes, zoom and grid.
#include "CDrawView.h"
#include "DrawDialogs.h"

#include "album/CAlboraDoc.h"
#include "draw/DrawAnnotation.h"
#include "draw/DrawExport.h"
#include "platform/CommandIds.h"
#include "platform/UiServices.h"
#include "platform/widgets/CommandActions.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMimeData>
#include <QPainter>

namespace {

struct ToolCommand {
    int id;
    int tool;
};
constexpr ToolCommand kTools[] = {
    {Cmd::DrawSelect, DrawViewState::Select},   {Cmd::DrawLine, DrawViewState::Line},
    {Cmd::DrawArc, DrawViewState::Arc},         {Cmd::DrawRectangle, DrawViewState::Rectangle},
    {Cmd::DrawRoundRectangle, DrawViewState::RoundRectangle}, {Cmd::DrawEllipse, DrawViewState::Ellipse},
    {Cmd::DrawPolygon, DrawViewState::Polygon}, {Cmd::DrawCurve, DrawViewState::Curve},
    {Cmd::DrawText, DrawViewState::Text},       {Cmd::DrawImageLink, DrawViewState::Link},
};

struct FillCommand {
    int id;
    int on;
    std::uint32_t style, hatch;
};
// Solid and transparent keep the default hatch (marked by ~0u).
constexpr FillCommand kFills[] = {
    {Cmd::DrawFillSolid, 1, BrushStyle::Solid, ~0u},      {Cmd::DrawFillTransparent, 0, BrushStyle::Hatched, ~0u},
    {Cmd::DrawFillVertical, 1, BrushStyle::Hatched, 1},   {Cmd::DrawFillMinus45, 1, BrushStyle::Hatched, 2},
    {Cmd::DrawFillCross45, 1, BrushStyle::Hatched, 5},    {Cmd::DrawFillHorizontal, 1, BrushStyle::Hatched, 0},
    {Cmd::DrawFill45, 1, BrushStyle::Hatched, 3},         {Cmd::DrawFillCrossVertHor, 1, BrushStyle::Hatched, 4},
};

struct ZoomCommand {
    int id;
    int zoom;
};
constexpr ZoomCommand kZooms[] = {
    {Cmd::DrawZoom1to1, DrawViewPainting::Zoom1to1}, {Cmd::DrawZoom1to2, DrawViewPainting::Zoom1to2},
    {Cmd::DrawZoom2to1, DrawViewPainting::Zoom2to1}, {Cmd::DrawZoom1to3, DrawViewPainting::Zoom1to3},
    {Cmd::DrawZoom3to1, DrawViewPainting::Zoom3to1},
};

}  // namespace

void CDrawView::RegisterCommands() {
    const auto hasObjects = [this](CommandState& s) { s.enabled = !Page().objects.empty(); };
    const auto hasSelection = [this](CommandState& s) { s.enabled = !m_selection.empty(); };
    const auto oneSelected = [this](CommandState& s) { s.enabled = m_selection.size() == 1; };
    const auto editable = [this](CommandState& s) { s.enabled = !m_selection.empty() && Writable(); };
    for (const ToolCommand& command : kTools)
        OnCommand(command.id, [this, tool = command.tool] { SetTool(tool); },
                  [this, tool = command.tool](CommandState& s) {
                      s.checked = CurrentDrawViewState().tool == tool;
                      // A read-only page takes no new objects.
                      s.enabled = tool == DrawViewState::Select || Writable();
                  });
    OnCommand(Cmd::DrawSelectAll, [this] {
        for (const auto& object : Page().objects) Select(object.get(), true);
    }, hasObjects);
    OnCommand(Cmd::DrawSelectNext, [this] {
        const auto& objects = Page().objects;
        std::size_t next = 0;
        for (std::size_t i = 0; i < objects.size(); ++i)
            if (IsSelected(objects[i].get())) {
                next = (i + 1) % objects.size();
                break;
            }
        Select(objects[next].get());
    }, hasObjects);
    OnCommand(Cmd::DrawSelectByName, [this] {
        QStringList names;
        for (const auto& object : Page().objects) names << object->name;
        const auto chosen = m_services.dialogs ? m_services.dialogs->ChooseNames(names) : std::nullopt;
        if (!chosen) return;
        ClearSelection();
        for (const auto& object : Page().objects)
            if (chosen->contains(object->name)) Select(object.get(), true);
    }, hasObjects);
    OnCommand(Cmd::DrawFindObject, [this] {
        const auto name = m_services.dialogs ? m_services.dialogs->AskObjectName() : std::nullopt;
        if (!name) return;
        int found = 0;
        for (const auto& object : Page().objects)
            if (object->name == *name) {
                Select(object.get(), true);
                m_services.ui.Beep();
                ++found;
            }
        m_services.ui.MessageBox(found ? QStringLiteral("Select objects:\n%1 objects found!").arg(found)
                                       : QStringLiteral("No objects found!"),
                                 MsgButtons::Ok, MsgIcon::Information);
    }, hasObjects);
    for (int id : {Cmd::DrawDelete}) OnCommand(id, [this] { Delete(); }, hasSelection);
    for (int id : {Cmd::DrawCopy, Cmd::EditCopy}) OnCommand(id, [this] { Copy(); }, hasSelection);
    for (int id : {Cmd::DrawCut, Cmd::EditCut})
        OnCommand(id, [this] {
            Copy();
            Delete();
        }, hasSelection);
    for (int id : {Cmd::DrawPaste, Cmd::EditPaste})
        OnCommand(id, [this] { Paste(); }, [this](CommandState& s) {
            const QMimeData* data = QApplication::clipboard()->mimeData();
            s.enabled = Writable() && data && (data->hasFormat(DrawPage::kClipboardMimeType) || CanPastePicture());
        });
    const auto withSelectTool = [this](CommandState& s) {
        s.enabled = CurrentDrawViewState().tool == DrawViewState::Select && m_selection.size() == 1;
    };
    OnCommand(Cmd::DrawProperties, [this] {
        if (m_services.dialogs) m_services.dialogs->EditProperties(*m_selection.front(), m_services.draw.Edits());
    }, withSelectTool);
    OnCommand(Cmd::DrawSizePosition, [this] {
        if (m_services.dialogs)
            for (CDrawObj* object : SelectionCopy()) m_services.dialogs->EditGeometry(*object, m_services.draw.Edits());
        viewport()->update();
    }, withSelectTool);
    OnCommand(Cmd::DrawFixObject, [this] { m_services.draw.Edits().ToggleFixed(m_selection); }, [this](CommandState& s) {
        s.enabled = CurrentDrawViewState().tool == DrawViewState::Select && !m_selection.empty() && Writable();
        s.checked = m_selection.size() == 1 && m_selection.front()->fixed;
    });
    OnCommand(Cmd::DrawGroup, [this] {
        if (CDrawGroupObj* group = m_services.draw.Edits().Group(SelectionCopy())) Select(group);
        else PruneSelection();
    }, editable);
    OnCommand(Cmd::DrawUngroup, [this] {
        const auto objects = m_services.draw.Edits().Ungroup(SelectionCopy());
        m_selection.clear();
        for (CDrawObj* object : objects) Select(object, true);
    }, editable);
    const auto order = [this](void (DrawEdits::*move)(CDrawObj*)) {
        return [this, move] { (m_services.draw.Edits().*move)(m_selection.front()); };
    };
    OnCommand(Cmd::DrawMoveFirst, order(&DrawEdits::MoveFirst), oneSelected);
    OnCommand(Cmd::DrawMoveLast, order(&DrawEdits::MoveLast), oneSelected);
    OnCommand(Cmd::DrawToFront, order(&DrawEdits::ToFront), oneSelected);
    OnCommand(Cmd::DrawToBack, order(&DrawEdits::ToBack), oneSelected);
    OnCommand(Cmd::DrawGrid, [this] {
        m_grid = !m_grid;
        viewport()->update();
    }, [this](CommandState& s) { s.checked = m_grid; });
    OnCommand(Cmd::DrawRefresh, [this] { viewport()->update(); });
    for (const ZoomCommand& command : kZooms)
        OnCommand(command.id, [this, zoom = command.zoom] {
            CurrentDrawViewState().zoom = zoom;
            UpdateScrollSize();
        }, [zoom = command.zoom](CommandState& s) { s.checked = CurrentDrawViewState().zoom == zoom; });
    OnCommand(Cmd::EditUndo, [this] {
        EndFigure();
        m_services.draw.UndoStack().undo();
    }, [this](CommandState& s) {
        s.enabled = m_services.draw.UndoStack().canUndo();
        s.text = QStringLiteral("&Undo %1\tCtrl+Z").arg(m_services.draw.UndoStack().undoText());
    });
    OnCommand(Cmd::EditRedo, [this] { m_services.draw.UndoStack().redo(); }, [this](CommandState& s) {
        s.enabled = m_services.draw.UndoStack().canRedo();
        s.text = QStringLiteral("&Redo %1\tCtrl+Y").arg(m_services.draw.UndoStack().redoText());
    });
    OnCommand(Cmd::DrawMakeLibrary, [this] {
        if (m_services.ui.MessageBox(QStringLiteral("Desea transformar el documento actual en biblioteca ?"),
                                     MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
            return;
        Page().pageFlags = 2;
        Page().SetModified();
        m_services.ui.MessageBox(QStringLiteral("Documento transformado en biblioteca"), MsgButtons::Ok, MsgIcon::Information);
    }, [this](CommandState& s) { s.enabled = Writable(); });
    OnCommand(Cmd::DrawSortLibrary, [this] {
        for (const auto& object : Page().objects) Select(object.get(), true);
        m_services.draw.Edits().Begin(QStringLiteral("Sort library"), m_selection);
        int n = 1;
        for (CDrawObj* object : m_selection) {
            object->Relocate(PageRect{-100 + 50 * n, 0, 50 + 50 * n, 50});
            ++n;
        }
        m_services.draw.Edits().Commit();
    }, [this](CommandState& s) { s.enabled = Writable() && !Page().objects.empty(); });
    OnCommand(Cmd::DrawCopyPageBitmap, [this] {
        QImage bitmap(320, 200, QImage::Format_RGB32);
        bitmap.fill(ToQColor(Page().paperColor));
        QPainter painter(&bitmap);
        const double scale = std::min(320.0 / std::max(Page().pageWidth, 1), 200.0 / std::max(Page().pageHeight, 1));
        DrawExport::Paint(Page(), painter, scale);
        painter.end();
        QApplication::clipboard()->setImage(bitmap);
    });
}

void CDrawView::RegisterAttributeCommands() {
    DrawDefaults& defaults = CurrentDrawDefaults();
    OnCommand(Cmd::DrawLineColor, [this, &defaults] {
        const auto color = m_services.dialogs ? m_services.dialogs->PickColor(QCursor::pos() + QPoint(15, 15), defaults.lineColor, true)
                                              : std::nullopt;
        if (!color) return;
        defaults.lineColor = *color;
        if (!m_selection.empty()) m_services.draw.Edits().SetLineColor(m_selection, *color);
    });
    OnCommand(Cmd::DrawFillColor, [this, &defaults] {
        const auto color = m_services.dialogs ? m_services.dialogs->PickColor(QCursor::pos() + QPoint(15, 15), defaults.fillColor, false)
                                              : std::nullopt;
        if (!color) return;
        defaults.fillColor = *color;
        if (!m_selection.empty()) m_services.draw.Edits().SetFillColor(m_selection, *color);
    });
    for (const auto& [id, width] : {std::pair{Cmd::DrawWidth1, 1}, std::pair{Cmd::DrawWidth2, 2}, std::pair{Cmd::DrawWidth4, 4},
                                    std::pair{Cmd::DrawWidth8, 8}})
        OnCommand(id, [this, &defaults, width = width] {
            defaults.penWidth = width;
            if (!m_selection.empty()) m_services.draw.Edits().SetPenWidth(m_selection, width);
        }, [this, &defaults, width = width](CommandState& s) {
            s.checked = m_selection.size() == 1 ? m_selection.front()->pen.widthX == width : defaults.penWidth == width;
        });
    for (const FillCommand& fill : kFills)
        OnCommand(fill.id, [this, fill] { ApplyFill(fill.on, fill.style, fill.hatch); }, [&defaults, fill](CommandState& s) {
            if (fill.id == Cmd::DrawFillSolid) s.checked = defaults.fillOn && defaults.fillStyle == BrushStyle::Solid;
            else if (fill.id == Cmd::DrawFillTransparent) s.checked = !defaults.fillOn;
            else s.checked = defaults.hatch == fill.hatch;
        });
    OnCommand(Cmd::DrawFont, [this, &defaults] {
        ColorRef color = defaults.lineColor;
        const auto font = m_services.dialogs ? m_services.dialogs->ChooseFont(defaults.font, color) : std::nullopt;
        if (!font) return;
        defaults.font = *font;
        if (!m_selection.empty()) m_services.draw.Edits().SetFont(m_selection, *font, color);
    });
}

void CDrawView::ApplyFill(int on, std::uint32_t style, std::uint32_t hatch) {
    DrawDefaults& defaults = CurrentDrawDefaults();
    defaults.fillOn = on;
    defaults.fillStyle = style;
    if (hatch != ~0u) defaults.hatch = hatch;
    if (!m_selection.empty()) m_services.draw.Edits().SetFill(m_selection, on, style, defaults.hatch);
}

void CDrawView::Delete() {
    if (m_selection.empty()) return;
    const auto doomed = SelectionCopy();
    ClearSelection();
    m_services.draw.Edits().Delete(doomed);
}

void CDrawView::Copy() {
    if (m_selection.empty()) return;
    auto* data = new QMimeData;
    data->setData(DrawPage::kClipboardMimeType, DrawPage::ClipboardPayload({m_selection.begin(), m_selection.end()}));
    // Other programs get the selection as a picture: the objects alone on a page of their size.
    DrawPage picture;
    PageRect area = m_selection.front()->bounds.Normalized();
    for (const CDrawObj* object : m_selection) area = area.United(object->bounds);
    picture.pageWidth = std::max<std::int32_t>(1, std::int32_t(std::min<std::int64_t>(area.Width() + 20, 20000)));
    picture.pageHeight = std::max<std::int32_t>(1, std::int32_t(std::min<std::int64_t>(area.Height() + 20, 20000)));
    picture.linkResolver = Page().linkResolver;
    for (const CDrawObj* object : m_selection)
        if (auto copy = object->Duplicate(nullptr)) {
            copy->Relocate(copy->bounds.Offset(-(std::int64_t(area.left) + area.right) / 2, -(std::int64_t(area.top) + area.bottom) / 2));
            picture.objects.push_back(copy);
        }
    data->setImageData(DrawExport::ToImage(picture, 100));
    data->setData(QStringLiteral("image/svg+xml"), DrawExport::ToSvg(picture));
    QApplication::clipboard()->setMimeData(data);
}

void CDrawView::Paste() {
    if (!Writable()) return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data) return;
    // Another program's picture becomes a link to a copy of it.
    if (!data->hasFormat(DrawPage::kClipboardMimeType)) {
        PastePicture();
        return;
    }
    const auto pasted = m_services.draw.Edits().Paste(data->data(DrawPage::kClipboardMimeType));
    if (pasted.empty()) return;
    ClearSelection();
    for (CDrawObj* object : pasted) Select(object, true);
}

void CDrawView::contextMenuEvent(QContextMenuEvent* event) {
    if (CurrentDrawViewState().tool != DrawViewState::Select || !m_services.actions) return;
    if (CDrawObj* hit = Page().ObjectAt(ToPage(event->pos())); hit && !IsSelected(hit)) Select(hit);
    QMenu menu(this);
    m_services.actions->Fill(&menu, {Cmd::DrawCut, Cmd::DrawCopy, Cmd::DrawPaste, 0, Cmd::DrawDelete, 0,
                                     Cmd::DrawProperties, Cmd::DrawSizePosition, Cmd::DrawFixObject, 0, Cmd::DrawGroup,
                                     Cmd::DrawUngroup, 0, Cmd::DrawMoveFirst, Cmd::DrawMoveLast, Cmd::DrawToFront,
                                     Cmd::DrawToBack});
    menu.exec(event->globalPos());
}
