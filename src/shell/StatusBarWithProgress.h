#pragma once

#include "platform/widgets/QtUiServices.h"

#include <QStatusBar>
#include <array>

class QLabel;
class QProgressBar;

// The main window's status bar: pane 0 for messages, panes 1 and 2 of 60 pixels for the draw
// view's pointer and the capture device, the Caps, Num and Scroll Lock indicators, and a progress
// control that shows right after pane 0's text while an operation runs. Esc or a click on the
// progress control asks the operation to stop.
class StatusBarWithProgress : public QStatusBar, public StatusDisplay {
    Q_OBJECT

public:
    static constexpr int kPaneCount = 6;
    static constexpr int kProgressWidth = 200;

    explicit StatusBarWithProgress(QWidget* parent);

    void SetPaneText(int pane, const QString& text) override;
    QString PaneText(int pane) const;
    void ProgressBegin(int low, int high, int step) override;
    void ProgressStep() override;
    void ProgressEnd() override;
    bool CancelRequested() const override { return m_bCancel; }
    // Runs the event loop briefly during progress: painting and timers go on, Esc and a click on
    // the indicator stop the operation, every other input is dropped.
    void KeepResponsive() override;

    QProgressBar* Progress() const { return m_progress; }
    // Reads the keyboard lock lights into the indicator panes.
    void UpdateIndicators();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceProgress();

    std::array<QLabel*, kPaneCount> m_panes{};
    QProgressBar* m_progress;
    int m_step = 1;
    int m_paintedPixel = -1;
    bool m_bCancel = false;
    bool m_holdingInput = false;
};
