#pragma once

#include "ThumbnailLoader.h"

#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class CAlboraDoc;
class CFloatImageWnd;
class CImagePreviewCtrl;
class CommandActions;
class MainWindowServices;
class ProcessLauncher;
class QPrinter;
class QScrollBar;
class UiServices;

// The " Contact " tab: the album as pages of thumbnails, scrolled a card at a time. A click selects,
// a double click makes the card current, Ctrl+drag moves a card, Shift+drag copies one over
// another, dropped files become cards, and the sheet prints as pages of thumbnails.
class CContactView : public QWidget, public View, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kGap = 10;
    static constexpr int kDragTimerMs = 75;

    struct Services {
        UiServices& ui;
        ProcessLauncher& launcher;
        MainWindowServices* mainWindow;  // may be null
        CommandActions* actions;         // for the context menu; may be null
    };

    CContactView(CAlboraDoc& doc, Services services, QWidget* parent = nullptr);
    ~CContactView() override;

    void OnUpdate(View* sender, int hint, void* object) override;

    // The cell size on screen and on paper for a contact size (0..3; other values count as 0).
    static QSize CellSize(int contactSize);
    static QSize PaperCellSize(int contactSize);
    // Caption height on paper for a contact size and font size.
    static int PaperCaptionHeight(int contactSize, int fontSize);

    int First() const { return m_first; }
    int PerPage() const { return m_perPage; }
    int Shown() const { return m_shown; }
    int Selected() const { return m_selected; }
    const QRect& Marker() const { return m_marker; }
    bool Dragging() const { return m_dragging; }
    CImagePreviewCtrl* Cell(int i) const { return i < int(m_cells.size()) ? m_cells[std::size_t(i)] : nullptr; }
    QWidget* Area() const { return m_area; }
    ThumbnailLoader& Loader() { return m_loader; }
    // The card of the cell under POINT (area coordinates), -1 for none; CELL gets its rectangle.
    int HitTest(const QPoint& point, QRect* cell = nullptr) const;
    QRect CellRect(int card) const;

    // The scroll bar's commands.
    void LineUp();
    void LineDown();
    void PageUp();
    void PageDown();
    void Top();
    void Bottom();
    void ScrollTo(int position);
    // One tick of the drag timer with the cursor at Y (area coordinates).
    void DragTick(int cursorY);

    void Print(QPrinter& printer);
    void DropFiles(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Cells in a row of the sheet.
    int Columns() const;
    // Selects CARD, scrolling the sheet to it when it is out of view.
    void SelectCard(int card);
    void RegisterCommands();
    void Rebuild();
    // Rebuild for a new cell or window size: the selected card stays in view with its frame.
    void Relayout();
    void Fill();
    void OnThumbnail(int ticket, const ThumbnailLoader::Result& result);
    void FinishFill(bool cancelled);
    void PaintArea(QPainter& painter);
    void RemoveHighlight();
    void PressAt(const QPoint& point, Qt::KeyboardModifiers modifiers);
    void MoveTo(const QPoint& point);
    void ReleaseAt(const QPoint& point);
    void DoubleClickAt(const QPoint& point);
    void SuperView(const QPoint& point);
    void ShowContextMenu(const QPoint& areaPoint, const QPoint& globalPos);
    void ShowProperties();
    void ShowExplorerMenu();
    void SetFirst(int first);
    void PrintWithDialog(bool preview);
    QSize Cell() const;
    // The cells a page of the area holds at the current cell size.
    int PageCapacity() const;

    CAlboraDoc& m_doc;
    Services m_services;
    QWidget* m_area;
    QScrollBar* m_scroll;
    ThumbnailLoader m_loader;
    std::vector<CImagePreviewCtrl*> m_cells;
    int m_first = 0;
    int m_count = 0;
    int m_perPage = 0;
    int m_shown = 0;
    bool m_built = false;
    bool m_filledToLastRow = false;
    bool m_fillPending = false;
    int m_fillGeneration = 0;
    int m_selected = -1;
    QRect m_highlight;
    QRect m_marker;
    bool m_dragging = false;
    bool m_clone = false;
    QTimer m_dragTimer;
    int m_ticks = 0;
    bool m_focused = false;
    int m_superShown = -1;
    std::unique_ptr<CFloatImageWnd> m_floating;
};
