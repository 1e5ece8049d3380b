#include "StatusBarWithProgress.h"

#include "KeyboardLights.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

StatusBarWithProgress::StatusBarWithProgress(QWidget* parent)
    : QStatusBar(parent), m_progress(new QProgressBar(this)) {
    const char* indicators[] = {"CAP", "NUM", "SCRL"};
    for (int pane = 0; pane < kPaneCount; ++pane) {
        auto* label = new QLabel(this);
        m_panes[pane] = label;
        if (pane == 0) {
            addWidget(label, 1);
            continue;
        }
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        if (pane <= 2) {
            label->setFixedWidth(60);
        } else {
            label->setText(QString::fromLatin1(indicators[pane - 3]));
            label->setAlignment(Qt::AlignCenter);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        }
        addPermanentWidget(label);
    }
    m_progress->setFixedWidth(kProgressWidth);
    m_progress->setTextVisible(false);
    m_progress->setToolTip(QStringLiteral("Click or press Esc to stop"));
    m_progress->installEventFilter(this);
    m_progress->hide();
    UpdateIndicators();
}

void StatusBarWithProgress::SetPaneText(int pane, const QString& text) {
    if (pane < 0 || pane >= kPaneCount) return;
    m_panes[pane]->setText(text.left(255));
    if (pane == 0) PlaceProgress();
    // Show the text at once, even while the operation keeps the event loop busy.
    repaint();
}

QString StatusBarWithProgress::PaneText(int pane) const {
    return pane >= 0 && pane < kPaneCount ? m_panes[pane]->text() : QString();
}

void StatusBarWithProgress::ProgressBegin(int low, int high, int step) {
    m_progress->setRange(low, std::max(low, high));
    m_progress->setValue(low);
    m_step = step;
    m_bCancel = false;
    m_paintedPixel = -1;
    PlaceProgress();
    m_progress->show();
    qApp->installEventFilter(this);
}

void StatusBarWithProgress::ProgressStep() {
    if (!m_progress->isVisible()) return;
    int next = m_progress->value() + m_step;
    // A stepped progress control starts over when it passes its end.
    if (next > m_progress->maximum()) next = m_progress->minimum();
    m_progress->setValue(next);
    // Paint at once, but only when the bar has grown by a pixel: a step per card of a large
    // album must not cost a repaint each.
    const int range = std::max(1, m_progress->maximum() - m_progress->minimum());
    const int pixel = (next - m_progress->minimum()) * kProgressWidth / range;
    if (pixel != m_paintedPixel) {
        m_paintedPixel = pixel;
        m_progress->repaint();
    }
}

void StatusBarWithProgress::ProgressEnd() {
    m_progress->hide();
    qApp->removeEventFilter(this);
}

void StatusBarWithProgress::KeepResponsive() {
    if (!m_progress->isVisible() || m_holdingInput) return;
    m_holdingInput = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 30);
    m_holdingInput = false;
}

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::ShortcutOverride: case QEvent::Shortcut:
    case QEvent::Wheel: case QEvent::ContextMenu: case QEvent::Close: case QEvent::Drop:
    case QEvent::TouchBegin: case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

}  // namespace

void StatusBarWithProgress::PlaceProgress() {
    QLabel* pane = m_panes[0];
    const int textEnd = pane->x() + pane->fontMetrics().horizontalAdvance(pane->text());
    const int x = std::min(textEnd + 10, std::max(0, pane->geometry().right() - kProgressWidth));
    m_progress->setGeometry(x, pane->y() + 1, kProgressWidth, std::max(4, pane->height() - 2));
    m_progress->raise();
}

void StatusBarWithProgress::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    PlaceProgress();
}

bool StatusBarWithProgress::eventFilter(QObject* watched, QEvent* event) {
    if (m_progress->isVisible()) {
        if (watched == m_progress && event->type() == QEvent::MouseButtonPress) {
            m_bCancel = true;
            return true;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_bCancel = true;
            return true;
        }
        if (m_holdingInput && IsUserInput(event->type())) return true;
    }
    return QStatusBar::eventFilter(watched, event);
}

void StatusBarWithProgress::UpdateIndicators() {
    const KeyboardLights lights = ReadKeyboardLights();
    const bool on[] = {lights.capsLock, lights.numLock, lights.scrollLock};
    for (int i = 0; i < 3; ++i) m_panes[3 + i]->setEnabled(on[i]);
}
