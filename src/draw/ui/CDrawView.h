#pragma once

#include "draw/DrawViewPainting.h"

#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QAbstractScrollArea>
#include <vector>

class CAlboraDoc;
class CommandActions;
class DrawAnnotation;
class DrawDialogs;
class QPrinter;
class UiServices;

// What every draw view shares: the current tool and zoom (the attribute defaults are the draw
// library's CurrentDrawDefaults()).
struct DrawViewState {
    enum Tool { Select = 0, Line = 1, Rectangle = 2, RoundRectangle = 3, Ellipse = 4, Polygon = 5, Text = 6, Arc = 7,
                Link = 9, Curve = 11 };
    int tool = Select;
    int zoom = DrawViewPainting::Zoom1to1;
};
DrawViewState& CurrentDrawViewState();

// The " Draw " tab: the page of the document's draw annotation, edited with the mouse and the
// keyboard. Every change goes through the page's edits, so each is one step to undo.
class CDrawView : public QAbstractScrollArea, public View, public CommandTarget {
    Q_OBJECT

public:
    struct Services {
        UiServices& ui;
        DrawAnnotation& draw;
        DrawDialogs* dialogs;      // may be null: dialogs then answer Cancel
        CommandActions* actions;   // for the context menu; may be null
    };
    enum class Mode { None, NetSelect, Move, Size };

    CDrawView(CAlboraDoc& doc, Services services, QWidget* parent = nullptr);
    ~CDrawView() override;

    void OnUpdate(View* sender, int hint, void* object) override;
    void OnTabActivation(bool shown, View* other) override;

    const std::vector<CDrawObj*>& Selection() const { return m_selection; }
    bool IsSelected(const CDrawObj* object) const;
    void Select(CDrawObj* object, bool add = false);
    void Deselect(CDrawObj* object);
    void ClearSelection();
    bool IsActive() const { return m_active; }
    void SetActive(bool active);
    DrawViewPainting::Mapping CurrentMapping() const;
    // Between page units and the viewport's pixels.
    QTransform PageToViewport() const;
    QPoint ToViewport(PagePoint point) const;
    PagePoint ToPage(const QPoint& viewport) const;
    // The figure a polygon or curve tool is drawing, if any.
    CDrawPoly* Figure() const { return m_figure; }
    // Ends a figure in progress as a double click would.
    void EndFigure();
    void SetTool(int tool);
    // The page on PRINTER at 1:1; the view's zoom goes back to 1:1 too.
    void Print(QPrinter& printer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void RegisterCommands();
    void RegisterAttributeCommands();
    void RegisterPrintCommands();
    void RegisterPictureCommands();
    bool CanPastePicture() const;
    CDrawRect* LinkPicture(const QString& file);
    void InsertObject();
    void PastePicture();
    void OriginalSize();
    void PrintWithDialog(bool preview);
    void UpdateScrollSize();
    void InvalidateObject(const CDrawObj* object);
    void PruneSelection();
    DrawPage& Page() const;
    std::vector<CDrawObj*> SelectionCopy() const { return m_selection; }
    bool Writable() const;
    void SelectButtonDown(const QPoint& at, Qt::KeyboardModifiers modifiers);
    void SelectButtonUp(const QPoint& at);
    void ShowSelected(const CDrawObj* object);
    void Nudge(int dx, int dy);
    void Copy();
    void Paste();
    void Delete();
    void ApplyFill(int on, std::uint32_t style, std::uint32_t hatch);

    CAlboraDoc& m_doc;
    Services m_services;
    std::vector<CDrawObj*> m_selection;
    bool m_active = true;
    bool m_grid = false;
    // The drag: what the button does while held.
    Mode m_mode = Mode::None;
    int m_dragHandle = 0;
    QPoint m_downPoint;
    PagePoint m_lastPoint;
    bool m_captured = false;
    QRect m_netRect;
    CDrawObj* m_creating = nullptr;
    CDrawPoly* m_figure = nullptr;
};
