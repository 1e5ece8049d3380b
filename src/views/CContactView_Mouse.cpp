// The contact sheet's mouse: selection, double click, dragging, the super viewer, the menu.
#include "CContactView.h"

#include "CFloatImageWnd.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/MainWindowServices.h"
#include "platform/ProcessLauncher.h"
#include "platform/UiServices.h"
#include "platform/widgets/CommandActions.h"
#include "platform/widgets/FormDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

bool CContactView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_area) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(m_area);
            PaintArea(painter);
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton) PressAt(e->position().toPoint(), e->modifiers());
            return true;
        }
        case QEvent::MouseMove: MoveTo(static_cast<QMouseEvent*>(event)->position().toPoint()); return true;
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton) ReleaseAt(e->position().toPoint());
            return true;
        }
        case QEvent::MouseButtonDblClick:
            if (!m_dragging) DoubleClickAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::ContextMenu: {
            auto* e = static_cast<QContextMenuEvent*>(event);
            const QPoint at = e->reason() == QContextMenuEvent::Keyboard ? QPoint(5, 5) : e->pos();
            ShowContextMenu(at, m_area->mapToGlobal(at));
            return true;
        }
        default: return QWidget::eventFilter(watched, event);
    }
}

void CContactView::PressAt(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    setFocus();
    RemoveHighlight();
    m_marker = QRect();
    m_selected = -1;
    QRect cell;
    m_selected = HitTest(point, &cell);
    if (m_selected < 0) return;
    m_highlight = cell;
    m_area->update(cell.adjusted(-4, -4, 4, 4));
    if (!(modifiers & (Qt::ControlModifier | Qt::ShiftModifier))) return;
    m_clone = !(modifiers & Qt::ControlModifier);
    m_dragging = true;
    m_ticks = 0;
    m_area->grabMouse(Qt::DragMoveCursor);
    m_dragTimer.start();
    m_services.ui.SetStatusTextF(0, "%s: (%03d) waiting for release mouse button!", m_clone ? "Clone" : "Move",
                                 m_selected + 1);
}

void CContactView::MoveTo(const QPoint& point) {
    if (!m_dragging) {
        SuperView(point);
        return;
    }
    const QRect old = m_marker;
    m_marker = QRect();
    QRect cell;
    const int card = HitTest(point, &cell);
    if (card >= 0) {
        // The bar sits in the gap on the side the card will go to.
        const int x = card < m_selected ? cell.left() - kGap / 2 - 1 : cell.left() + cell.width() + kGap / 2 - 1;
        m_marker = QRect(x, cell.top(), 2, cell.height());
    }
    if (old != m_marker) m_area->repaint(old.united(m_marker).adjusted(-1, -1, 1, 1));
}

void CContactView::DragTick(int cursorY) {
    ++m_ticks;
    const int top = 0, bottom = m_area->height();
    int every = 0;
    if (cursorY < top + 10) {
        const int d = (top - cursorY + 10) / 20;
        every = d < 6 ? 6 - d : 1;
        if (m_ticks % every == 0) LineUp();
    } else if (cursorY > bottom - 10) {
        const int d = (cursorY - (bottom - 10)) / 20;
        every = d < 6 ? 6 - d : 1;
        if (m_ticks % every == 0) LineDown();
    }
}

void CContactView::ReleaseAt(const QPoint& point) {
    if (!m_dragging) return;
    m_area->releaseMouse();
    m_dragging = false;
    m_dragTimer.stop();
    m_marker = QRect();
    RemoveHighlight();
    m_area->update();
    const int target = HitTest(point);
    CFotoDB& db = m_doc.Db();
    if (target < 0 || !db.GetAt(m_selected) || !db.GetAt(target)) return;
    if (!m_clone) {
        auto copy = std::make_shared<CFotoObj>(*db.GetAt(m_selected));
        db.RemoveAt(m_selected);
        if (target <= 0)
            db.AddHead(std::move(copy));
        else
            db.InsertAfter(std::move(copy), target - 1);
        m_services.ui.SetStatusTextF(0, "Moved: %03d to %03d position", m_selected, target);
    } else if (m_services.ui.MessageBox(QStringLiteral("Clone no copy:\rUse \"Ctrl\" if you want to move images\r\r"
                                                       "Destroy and \"Clone\" current card?"),
                                        MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes) {
        db.Modify(db.GetAt(target), *db.GetAt(m_selected));
        m_services.ui.SetStatusTextF(0, "Clone: %03d to %03d position", m_selected, target);
    }
    m_doc.SetModifiedFlag();
    // The other views rebuild from their top; the sheet refills where the card was dropped.
    m_doc.UpdateAllViews(this, Hint::Rebuild);
    SetFirst(m_first);
}

void CContactView::DoubleClickAt(const QPoint& point) {
    QRect cell;
    const int card = HitTest(point, &cell);
    if (!m_doc.Db().GetAt(card) || !m_doc.MakeCurrent(card, m_doc.Db().GetAt(card)->m_strGraphic)) return;
    m_selected = card;
    m_highlight = cell;
    m_area->update(cell.adjusted(-4, -4, 4, 4));
    m_doc.UpdateAllViews(this, Hint::SelectionOnly);
    if (m_services.mainWindow) m_services.mainWindow->ShowTab(MainWindowServices::ImageTab);
}

void CContactView::SuperView(const QPoint& point) {
    if (!m_doc.Settings().SuperViewer) {
        m_area->setCursor(Qt::ArrowCursor);
        return;
    }
    m_area->setCursor(Qt::PointingHandCursor);
    const int card = HitTest(point);
    if (!m_doc.Db().GetAt(card) || card == m_superShown) return;
    m_superShown = card;
    if (!m_floating) m_floating = std::make_unique<CFloatImageWnd>(m_services.ui, window(), this);
    if (!m_floating->isVisible()) {
        m_services.ui.Beep();
        m_floating->show();
    }
    m_floating->ShowFile(m_doc.CardFile(card));
    m_services.ui.SetStatusTextF(0, "Photo number: %d", card);
}

void CContactView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CContactView::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}

void CContactView::DropFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    for (const QString& path : paths) {
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = card->m_strGraphic = path;
        m_doc.Db().InsertSorted(std::move(card));
    }
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews(nullptr, Hint::Rebuild);
}

void CContactView::RegisterCommands() {
    for (int size = 0; size < 4; ++size)
        OnCommand(Cmd::ContactSize0 + size, [this, size] {
            m_doc.Settings().tamContacto = size;
            Relayout();
        }, [this, size](CommandState& s) { s.checked = m_doc.Settings().tamContacto == size; });
    OnCommand(Cmd::ContactShowInfo, [this] {
        CAppSettings& settings = m_doc.Settings();
        settings.bShowContactInfo = settings.bShowContactInfo ? 0 : 1;
        Relayout();
    }, [this](CommandState& s) { s.checked = m_doc.Settings().bShowContactInfo != 0; });
    OnCommand(Cmd::ViewCurrentImage, [this] {
        const QRect cell = CellRect(m_selected);
        if (!cell.isEmpty()) DoubleClickAt(cell.center());
    });
    OnCommand(Cmd::OpenNewImageWindow, [this] {
        auto* window = new CFloatImageWnd(m_services.ui, this->window(), this);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->ShowFile(m_doc.CardFile(m_selected));
    }, [this](CommandState& s) { s.enabled = m_selected >= 0 && m_selected < m_count; });
    OnCommand(Cmd::ContactProperties, [this] { ShowProperties(); });
    OnCommand(Cmd::ExplorerMenu, [this] { ShowExplorerMenu(); });
    OnCommand(Cmd::FilePrint, [this] { PrintWithDialog(false); });
    OnCommand(Cmd::FilePrintPreview, [this] { PrintWithDialog(true); });
}

void CContactView::ShowContextMenu(const QPoint& areaPoint, const QPoint& globalPos) {
    QRect cell;
    const int card = HitTest(areaPoint, &cell);
    if (card >= 0) {
        RemoveHighlight();
        m_selected = card;
        m_highlight = cell;
        m_area->update(cell.adjusted(-4, -4, 4, 4));
    }
    if (!m_services.actions) return;
    QMenu menu(window());
    m_services.actions->Fill(&menu, {Cmd::ContactSize0, Cmd::ContactSize0 + 1, Cmd::ContactSize0 + 2,
                                     Cmd::ContactSize0 + 3, 0, Cmd::ContactShowInfo, 0, Cmd::ViewCurrentImage,
                                     Cmd::OpenNewImageWindow, Cmd::ContactProperties, Cmd::ExplorerMenu, 0,
                                     Cmd::FilePrint, Cmd::FilePrintPreview});
    m_services.actions->Refresh();
    menu.exec(globalPos);
}

void CContactView::ShowProperties() {
    CAppSettings& settings = m_doc.Settings();
    FormDialog dialog(this, QStringLiteral("Properties"));
    auto* size = new QComboBox;
    size->addItems({"80x60", "160x120", "240x180", "320x240"});
    size->setCurrentIndex(std::clamp(settings.tamContacto, 0, 3));
    auto* info = new QCheckBox(QStringLiteral("Show &Information on contact"));
    info->setChecked(settings.bShowContactInfo != 0);
    auto* super = new QCheckBox(QStringLiteral("&Super viewer"));
    super->setChecked(settings.SuperViewer != 0);
    dialog.Form()->addRow(QStringLiteral("&Contact size:"), size);
    dialog.Form()->addRow(info);
    dialog.Form()->addRow(super);
    if (!dialog.Exec()) return;
    settings.tamContacto = size->currentIndex();
    settings.bShowContactInfo = info->isChecked() ? 1 : 0;
    settings.SuperViewer = super->isChecked() ? 1 : 0;
    Relayout();
}

void CContactView::ShowExplorerMenu() {
    const QString found = m_doc.CardFile(m_selected);
    if (found.isEmpty() || !QFileInfo::exists(found)) return;
    const QString file = QFileInfo(found).absoluteFilePath();
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Open with its program"), this,
                   [this, file] { m_services.launcher.OpenWithAssociation(file); });
    menu.addAction(QStringLiteral("Open its &folder"), this,
                   [this, file] { m_services.launcher.OpenWithAssociation(QFileInfo(file).absolutePath()); });
    menu.addAction(QStringLiteral("&Copy its path"), this, [file] { QApplication::clipboard()->setText(file); });
    menu.exec(m_area->mapToGlobal(QPoint(100, 100)));
}
