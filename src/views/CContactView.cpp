#include "CContactView.h"

#include "CFloatImageWnd.h"
#include "CImagePreviewCtrl.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/UiServices.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
const QSize kScreenCells[] = {{80, 60}, {160, 120}, {240, 180}, {320, 240}};
}

QSize CContactView::CellSize(int contactSize) {
    return kScreenCells[contactSize >= 0 && contactSize <= 3 ? contactSize : 0];
}

QSize CContactView::PaperCellSize(int contactSize) { return CellSize(contactSize) * 2; }

int CContactView::PaperCaptionHeight(int contactSize, int fontSize) {
    switch (contactSize) {
        case 1: return fontSize / 2;
        case 2: return fontSize + 15;
        case 3: return fontSize;
        default: return fontSize / 3;
    }
}

CContactView::CContactView(CAlboraDoc& doc, Services services, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_services(services), m_area(new QWidget(this)), m_scroll(new QScrollBar(Qt::Vertical, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_area, 1);
    layout->addWidget(m_scroll);
    m_area->setAutoFillBackground(true);
    m_area->setBackgroundRole(QPalette::Button);
    m_area->setMouseTracking(true);
    m_area->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    m_scroll->setRange(0, 0);
    m_scroll->setPageStep(1);
    connect(m_scroll, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: LineDown(); break;
            case QAbstractSlider::SliderSingleStepSub: LineUp(); break;
            case QAbstractSlider::SliderPageStepAdd: PageDown(); break;
            case QAbstractSlider::SliderPageStepSub: PageUp(); break;
            case QAbstractSlider::SliderToMinimum: Top(); break;
            case QAbstractSlider::SliderToMaximum: Bottom(); break;
            case QAbstractSlider::SliderMove:
                m_services.ui.SetStatusTextF(0, "Go to: %03d image", m_scroll->sliderPosition() + 1);
                return;
            default: return;
        }
        m_scroll->setSliderPosition(m_first);
    });
    connect(m_scroll, &QScrollBar::sliderReleased, this, [this] { ScrollTo(m_scroll->sliderPosition()); });
    connect(&m_loader, &ThumbnailLoader::ready, this, &CContactView::OnThumbnail);
    m_loader.UseSharedCache(m_doc.Settings().ThumbnailCache != 0);
    m_dragTimer.setInterval(kDragTimerMs);
    connect(&m_dragTimer, &QTimer::timeout, this, [this] { DragTick(m_area->mapFromGlobal(QCursor::pos()).y()); });
    RegisterCommands();
    m_doc.AddView(this);
}

CContactView::~CContactView() = default;

QSize CContactView::Cell() const { return CellSize(m_doc.Settings().tamContacto); }

int CContactView::PageCapacity() const {
    const QSize cell = Cell();
    return (m_area->height() / (cell.height() + kGap)) * (m_area->width() / (cell.width() + kGap));
}

void CContactView::OnUpdate(View*, int hint, void*) {
    if (hint >= Hint::DrawChanged && hint <= Hint::DrawViewLast) return;
    if (hint == Hint::ViewCurrent) {
        RemoveHighlight();
        return;
    }
    RemoveHighlight();
    m_first = 0;
    m_count = m_doc.Db().GetCount();
    m_scroll->setRange(0, std::max(0, m_count - 1));
    m_scroll->setValue(0);
    m_built = true;
    Rebuild();
}

void CContactView::Rebuild() {
    m_perPage = PageCapacity();
    for (CImagePreviewCtrl* c : m_cells) delete c;
    m_cells.clear();
    for (int i = 0; i < m_perPage + 10; ++i) {
        auto* c = new CImagePreviewCtrl(m_area);
        c->hide();
        m_cells.push_back(c);
    }
    Fill();
}

void CContactView::Relayout() {
    RemoveHighlight();
    const bool selected = m_selected >= 0 && m_selected < m_count;
    if (const int perPage = PageCapacity(); selected && perPage > 0) {
        if (m_selected < m_first) m_first = m_selected;
        else if (m_selected >= m_first + perPage) m_first = m_selected - perPage + 1;
    }
    m_scroll->setValue(m_first);
    Rebuild();
    if (!selected) return;
    m_highlight = CellRect(m_selected);
    m_area->update(m_highlight.adjusted(-4, -4, 4, 4));
}

void CContactView::Fill() {
    m_loader.CancelPending();
    ++m_fillGeneration;
    m_shown = 0;
    m_filledToLastRow = false;
    // A hidden sheet decodes nothing; it fills when it comes into view.
    m_fillPending = !isVisible();
    if (m_fillPending || !m_built || m_cells.empty()) return;
    UiServices& ui = m_services.ui;
    m_area->repaint();
    // The album may have changed since the last rebuild; never show cards it no longer has.
    m_count = m_doc.Db().GetCount();
    if (m_first >= m_count) m_first = std::max(0, m_count - 1);
    if (m_count == 0) return;
    ui.SetStatusText(0, QStringLiteral("Contact:"));
    const QSize cell = Cell();
    const bool info = m_doc.Settings().bShowContactInfo != 0;
    int card = m_first;
    bool cardsEnded = false;
    for (int y = kGap; y < m_area->height() - cell.height() && !cardsEnded; y += cell.height() + kGap) {
        for (int x = kGap; x < m_area->width() - cell.width(); x += cell.width() + kGap) {
            if (card >= m_count || m_shown >= int(m_cells.size())) {
                cardsEnded = true;
                break;
            }
            CImagePreviewCtrl* c = m_cells[std::size_t(m_shown)];
            const QString stored = m_doc.Db().GetAt(card)->m_strGraphic;
            c->SetCaptions(info ? QString::asprintf("%03d", card + 1) : QString(), info ? stored : QString());
            c->setGeometry(x, y, cell.width(), cell.height());
            c->show();
            ++m_shown;
            ++card;
        }
    }
    m_filledToLastRow = !cardsEnded;
    // The thumbnails come from the pool; the progress counts them in.
    ui.ProgressBegin(0, m_shown, 1);
    for (int i = 0; i < m_shown; ++i)
        m_loader.Request(m_doc.CardFile(m_first + i), cell, m_fillGeneration * 100000 + i);
    if (m_loader.Pending() == 0) FinishFill(false);
}

void CContactView::OnThumbnail(int ticket, const ThumbnailLoader::Result& result) {
    if (ticket / 100000 != m_fillGeneration) return;
    const int i = ticket % 100000;
    if (i < m_shown) m_cells[std::size_t(i)]->SetResult(result);
    UiServices& ui = m_services.ui;
    ui.ProgressStep();
    if (ui.CancelRequested() && m_loader.Pending() > 0) {
        if (ui.MessageBox(QStringLiteral("Cancel contact load?"), MsgButtons::YesNo, MsgIcon::Question) ==
            MsgAnswer::Yes) {
            m_loader.CancelPending();
            FinishFill(true);
            return;
        }
        ui.ProgressBegin(0, m_shown, 1);  // clears the request; the bar goes on below
    }
    if (m_loader.Pending() == 0) FinishFill(false);
}

void CContactView::FinishFill(bool cancelled) {
    UiServices& ui = m_services.ui;
    ui.ProgressEnd();
    if (!m_filledToLastRow && !cancelled) return;
    ui.SetStatusText(0, m_perPage > 0 ? QStringLiteral("Use Ctrl+Drag to move images, Shift+Drag to clone, for Help press F1")
                                      : QStringLiteral("Expand the contact window to view images!"));
}

void CContactView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_fillPending) Rebuild();
}

void CContactView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int perPage = PageCapacity();
    if (perPage == m_perPage && !m_cells.empty()) return;
    m_scroll->setRange(0, std::max(0, m_count - 1));
    Relayout();
    if (perPage == 0 && m_built && isVisible())
        m_services.ui.SetStatusText(0, QStringLiteral("Expand the contact window to view images!"));
}

int CContactView::HitTest(const QPoint& point, QRect* cellRect) const {
    const QSize cell = Cell();
    int card = m_first;
    for (int y = kGap; y < m_area->height() - cell.height(); y += cell.height() + kGap)
        for (int x = kGap; x < m_area->width() - cell.width(); x += cell.width() + kGap) {
            if (card >= m_count) return -1;
            const QRect r(x, y, cell.width(), cell.height());
            if (r.contains(point)) {
                if (cellRect) *cellRect = r;
                return card;
            }
            ++card;
        }
    return -1;
}

QRect CContactView::CellRect(int card) const {
    const int i = card - m_first;
    return i >= 0 && i < m_shown ? m_cells[std::size_t(i)]->geometry() : QRect();
}

void CContactView::SetFirst(int first) {
    m_first = first;
    m_scroll->setValue(first);
    RemoveHighlight();
    Rebuild();
}

void CContactView::LineUp() { SetFirst(m_first < 2 ? 0 : m_first - 1); }

void CContactView::LineDown() {
    if (m_first < m_count - 1) SetFirst(m_first + 1);
}

void CContactView::PageUp() {
    const int b = m_first - m_shown - 1;
    SetFirst(b > 1 ? b : 0);
}

void CContactView::PageDown() { SetFirst(std::min(m_first + m_shown - 1, std::max(0, m_count - 1))); }

void CContactView::Top() {
    if (m_first == 0) m_services.ui.Beep();
    else SetFirst(0);
}

void CContactView::Bottom() {
    if (m_first == m_count - 1) m_services.ui.Beep();
    else SetFirst(std::max(0, m_count - 1));
}

void CContactView::ScrollTo(int position) { SetFirst(std::clamp(position, 0, std::max(0, m_count - 1))); }

void CContactView::RemoveHighlight() {
    if (!m_highlight.isEmpty()) m_area->update(m_highlight.adjusted(-4, -4, 4, 4));
    m_highlight = QRect();
}

void CContactView::PaintArea(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    if (!m_highlight.isEmpty()) {
        // A broad frame of the highlight colour, plain on any picture and any theme.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 4));
        painter.drawRect(m_highlight.adjusted(-3, -3, 2, 2));
    }
    if (!m_marker.isEmpty()) painter.fillRect(m_marker, Qt::red);
    if (m_focused) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        painter.drawEllipse(QRect(QPoint(1, 1), QPoint(5, 5)));
    }
}

int CContactView::Columns() const {
    const QSize cell = Cell();
    int columns = 0;
    for (int x = kGap; x < m_area->width() - cell.width(); x += cell.width() + kGap) ++columns;
    return std::max(1, columns);
}

void CContactView::SelectCard(int card) {
    if (m_count == 0) return;
    card = std::clamp(card, 0, m_count - 1);
    // The sheet scrolls as little as it must to show the card.
    if (card < m_first)
        SetFirst(card);
    else if (m_perPage > 0 && card >= m_first + m_perPage)
        SetFirst(card - m_perPage + 1);
    RemoveHighlight();
    m_selected = card;
    m_highlight = CellRect(card);
    m_area->update(m_highlight.adjusted(-4, -4, 4, 4));
}

void CContactView::keyPressEvent(QKeyEvent* event) {
    const int columns = Columns();
    const int from = m_selected < 0 ? m_first : m_selected;
    switch (event->key()) {
        case Qt::Key_Left: SelectCard(m_selected < 0 ? from : from - 1); break;
        case Qt::Key_Right: SelectCard(m_selected < 0 ? from : from + 1); break;
        case Qt::Key_Up: SelectCard(m_selected < 0 ? from : from - columns); break;
        case Qt::Key_Down: SelectCard(m_selected < 0 ? from : from + columns); break;
        case Qt::Key_PageUp: SelectCard(from - std::max(1, m_perPage)); break;
        case Qt::Key_PageDown: SelectCard(from + std::max(1, m_perPage)); break;
        case Qt::Key_Home: SelectCard(0); break;
        case Qt::Key_End: SelectCard(m_count - 1); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Execute(Cmd::ViewCurrentImage);
            break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void CContactView::wheelEvent(QWheelEvent* event) {
    // A notch moves the sheet by a row of cards.
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) ScrollTo(m_first - notches * Columns());
    event->accept();
}

void CContactView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_focused = true;
    m_area->update(QRect(0, 0, 8, 8));
}

void CContactView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_focused = false;
    m_area->update(QRect(0, 0, 8, 8));
}
