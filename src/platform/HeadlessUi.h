#pragma once

#include "UiServices.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

// The Ui services without a window: records every message, status text and progress call, and
// answers from a script. An unscripted question gets the default button of its set (the first: Ok,
// Yes, Abort, Retry; No where No is the default) and an unscripted file or folder request is
// cancelled.
class HeadlessUi : public UiServices {
public:
    struct Message {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString caption;
    };

    MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& caption = {}) override;
    std::optional<QString> ChooseFile(FileDialogKind kind, const QString& title,
                                      const QString& filter, const QString& suggestedPath) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& start) override;
    void SetStatusText(int pane, const QString& text) override;
    void ProgressBegin(int low, int high, int step) override;
    void ProgressStep() override;
    void ProgressEnd() override;
    bool CancelRequested() const override { return m_bCancel; }
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }
    void Beep() override { ++m_beeps; }

    // Script.
    void QueueAnswer(MsgAnswer answer) { m_answers.push_back(answer); }
    // A null QString answers a file or folder request with Cancel.
    void QueuePath(const QString& path) { m_paths.push_back(path); }
    void RequestCancel() { m_bCancel = true; }
    // Raises the cancel request when the progress has stepped STEPS times since it began.
    void CancelAfterSteps(int steps) { m_cancelAfter = steps; }
    // Called with every message as it arrives (the batch program prints them).
    std::function<void(const Message&)> onMessage;

    // Record.
    const std::vector<Message>& Messages() const { return m_messages; }
    QString LastMessage() const { return m_messages.empty() ? QString() : m_messages.back().text; }
    QString StatusText(int pane) const;
    bool ProgressVisible() const { return m_bProgressVisible; }
    int ProgressPosition() const { return m_progressPos; }
    int ProgressSteps() const { return m_progressSteps; }
    int WaitDepth() const { return m_waitDepth; }
    int Beeps() const { return m_beeps; }
    void ClearRecord() { m_messages.clear(); }

private:
    std::vector<Message> m_messages;
    std::deque<MsgAnswer> m_answers;
    std::deque<QString> m_paths;
    std::vector<QString> m_statusPanes = std::vector<QString>(6);
    bool m_bProgressVisible = false;
    bool m_bCancel = false;
    int m_progressLow = 0, m_progressHigh = 0, m_progressStep = 0, m_progressPos = 0;
    int m_progressSteps = 0;
    int m_cancelAfter = -1;
    int m_waitDepth = 0;
    int m_beeps = 0;
};
