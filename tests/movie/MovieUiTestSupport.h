#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <vector>

#include "movie/ui/PresentationControl.h"

// The child of WINDOW named NAME.
template <class T>
T* Control(const QWidget& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(control) << name;
    return control;
}

// Whether the dialog on top is a T.
template <class T>
bool ModalIs() {
    return qobject_cast<T*>(QApplication::activeModalWidget()) != nullptr;
}

// The dialog on top, a T.
template <class T>
T& Modal() {
    T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    EXPECT_TRUE(dialog);
    return *dialog;
}

// Steps that drive a presentation from inside its own event loops: each waits for its condition,
// then acts from an event of its own, so that a dialog the action opens can be driven by the next
// step. A step that does not come within the limit fails the test and ends the show, so that a
// fault cannot leave the test waiting.
class ShowScript {
public:
    static constexpr int kStallMs = 10000;

    ShowScript() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
    }

    ShowScript& When(std::function<bool()> condition, std::function<void()> action) {
        m_steps.push_back({std::move(condition), std::move(action)});
        return *this;
    }
    void Start() {
        m_clock.start();
        m_timer.start();
    }
    bool Done() const { return m_next == m_steps.size(); }

private:
    struct Step {
        std::function<bool()> condition;
        std::function<void()> action;
    };

    void Tick() {
        if (m_aborting) {
            Abort();
            return;
        }
        if (Done()) {
            m_timer.stop();
            return;
        }
        if (m_clock.elapsed() > kStallMs) {
            ADD_FAILURE() << "step " << m_next << " did not come";
            m_aborting = true;
            return;
        }
        if (!m_steps[m_next].condition()) return;
        QTimer::singleShot(0, m_steps[m_next++].action);
        m_clock.restart();
    }
    // Cancels whatever is open until the show is over.
    static void Abort() {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* bar = qobject_cast<PresentationControl*>(window))
                bar->Finish(BarResult::Cancel);
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_aborting = false;
    QTimer m_timer;
    QElapsedTimer m_clock;
};
