#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "movie/PresentationSequence.h"

class QEventLoop;

// What a key does during a presentation: the arrows, the page keys, Space, Home and End move
// through the cards and Escape ends the show; nullopt for the other keys.
std::optional<BarResult> BarResultForKey(int key);

// The presentation's control bar "Ctrl": six buttons (first, previous, next, last, go to, setup)
// over the slide, captioned with the card's name. It is held open for one card at a time, until
// a button, a key or its timer lets the card go, and stays where the user puts it for the rest
// of the show.
class PresentationControl : public QWidget {
    Q_OBJECT

public:
    enum class TimerHold { None, UntilReleased };
    struct Outcome {
        BarResult result = BarResult::Cancel;
        int card = -1;  // the card chosen by GoTo
    };

    // Where the bar first opens on the presentation's screen.
    static constexpr QPoint kFirstPosition{5, 470};

    explicit PresentationControl(QWidget* presentation);

    // Asked by "go to" for a card; without a choice the bar stays open.
    std::function<std::optional<int>()> chooseCard;

    // Shows the bar with CAPTION and waits for the card to be let go. After DELAYMS, when given,
    // the timer lets it go as "next"; with HOLD not before ReleaseTimer.
    Outcome Run(const QString& caption, std::optional<int> delayMs, TimerHold hold);
    void ReleaseTimer();
    // Lets the card go with RESULT, when the bar is waiting.
    void Finish(BarResult result, int card = -1);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static constexpr int kMinimumWidth = 240;

    void AddButton(const char* name, const char* icon, const QString& tip,
                   std::function<void()> pressed);
    void GoTo();
    void TimerEnded();

    QTimer m_timer;
    QEventLoop* m_wait = nullptr;
    Outcome m_outcome;
    bool m_held = false;
    bool m_timerDue = false;
};
