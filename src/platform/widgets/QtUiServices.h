#pragma once

#include "platform/UiServices.h"

class QWidget;

// Where status texts and the progress indicator go; the main window's status bar.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual void SetPaneText(int pane, const QString& text) = 0;
    virtual void ProgressBegin(int low, int high, int step) = 0;
    virtual void ProgressStep() = 0;
    virtual void ProgressEnd() = 0;
    virtual bool CancelRequested() const = 0;
    virtual void KeepResponsive() = 0;
};

// The Ui services of the GUI: Qt message boxes and dialogs over the main window, and its status
// bar once one is attached.
class QtUiServices final : public UiServices {
public:
    void SetParentWindow(QWidget* parent) { m_parent = parent; }
    void SetStatusDisplay(StatusDisplay* display) { m_status = display; }

    MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& caption = {}) override;
    std::optional<QString> ChooseFile(FileDialogKind kind, const QString& title,
                                      const QString& filter, const QString& suggestedPath) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& start) override;
    void SetStatusText(int pane, const QString& text) override;
    void ProgressBegin(int low, int high, int step) override;
    void ProgressStep() override;
    void ProgressEnd() override;
    bool CancelRequested() const override;
    void KeepResponsive() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void Beep() override;

private:
    QWidget* m_parent = nullptr;
    StatusDisplay* m_status = nullptr;
};
