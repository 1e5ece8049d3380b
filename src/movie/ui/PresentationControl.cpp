#include "PresentationControl.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

#include "platform/widgets/ThemeIcon.h"

std::optional<BarResult> BarResultForKey(int key) {
    switch (key) {
        case Qt::Key_Home:
            return BarResult::First;
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_PageUp:
        case Qt::Key_Backspace:
            return BarResult::Previous;
        case Qt::Key_Right:
        case Qt::Key_Down:
        case Qt::Key_PageDown:
        case Qt::Key_Space:
            return BarResult::Next;
        case Qt::Key_End:
            return BarResult::Last;
        case Qt::Key_Escape:
            return BarResult::Cancel;
        default:
            return std::nullopt;
    }
}

PresentationControl::PresentationControl(QWidget* presentation) : QWidget(presentation, Qt::Tool) {
    setObjectName(QStringLiteral("Ctrl"));
    setWindowTitle(QStringLiteral("Ctrl"));
    // The keys belong to the bar itself, not to a button that Space would press.
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addStretch();
    AddButton("first", "go-first", QStringLiteral("First image"),
              [this] { Finish(BarResult::First); });
    AddButton("previous", "go-previous", QStringLiteral("Previous image"),
              [this] { Finish(BarResult::Previous); });
    AddButton("next", "go-next", QStringLiteral("Next image"), [this] { Finish(BarResult::Next); });
    AddButton("last", "go-last", QStringLiteral("Last image"), [this] { Finish(BarResult::Last); });
    AddButton("goTo", "go-jump", QStringLiteral("Go to image..."), [this] { GoTo(); });
    AddButton("setup", "preferences-system", QStringLiteral("Presentations setup..."),
              [this] { Finish(BarResult::Setup); });
    layout->addStretch();
    // Room for the card's name in the title bar a window manager gives it.
    setMinimumWidth(kMinimumWidth);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PresentationControl::TimerEnded);
}

void PresentationControl::AddButton(const char* name, const char* icon, const QString& tip,
                                    std::function<void()> pressed) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setIcon(ThemeIcon(QLatin1String(icon)));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, std::move(pressed));
    layout()->addWidget(button);
}

PresentationControl::Outcome PresentationControl::Run(const QString& caption,
                                                      std::optional<int> delayMs, TimerHold hold) {
    setWindowTitle(caption);
    if (!isVisible()) {
        move(parentWidget()->geometry().topLeft() + kFirstPosition);
        show();
    }
    raise();
    activateWindow();
    setFocus();
    m_outcome = {};
    m_held = hold == TimerHold::UntilReleased;
    m_timerDue = false;
    if (delayMs) m_timer.start(*delayMs);
    QEventLoop wait;
    m_wait = &wait;
    wait.exec();
    m_wait = nullptr;
    m_timer.stop();
    return m_outcome;
}

void PresentationControl::Finish(BarResult result, int card) {
    if (!m_wait) return;
    m_outcome = {result, card};
    m_wait->quit();
}

void PresentationControl::TimerEnded() {
    if (m_held)
        m_timerDue = true;
    else
        Finish(BarResult::Timer);
}

void PresentationControl::ReleaseTimer() {
    m_held = false;
    if (m_timerDue) Finish(BarResult::Timer);
}

void PresentationControl::GoTo() {
    if (!chooseCard) return;
    // The card does not move on behind the list; it waits its full time again afterwards.
    const bool timed = m_timer.isActive();
    const int interval = m_timer.interval();
    m_timer.stop();
    if (const std::optional<int> card = chooseCard()) {
        Finish(BarResult::GoTo, *card);
        return;
    }
    if (timed) m_timer.start(interval);
}

void PresentationControl::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<BarResult> result = BarResultForKey(event->key()))
        Finish(*result);
    else
        QWidget::keyPressEvent(event);
}

void PresentationControl::closeEvent(QCloseEvent* event) {
    // Closing the bar ends the show, which then takes the bar down itself.
    event->ignore();
    Finish(BarResult::Cancel);
}
