#pragma once

#include <QString>
#include <QStringList>
#include <optional>

enum class MsgIcon { None, Information, Exclamation, Question, Stop };
// YesNoDefaultNo: Yes and No, with No the default, for questions whose Yes cannot be undone.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoDefaultNo, YesNoCancel, AbortRetryIgnore, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };
enum class FileDialogKind { Open, Save };

// What the program's models and commands ask of the user and the main window. The GUI answers
// with Qt; the batch program and the tests answer headless, so every message is checked without
// a window.
class UiServices {
public:
    static constexpr int kStatusTextLimit = 255;

    virtual ~UiServices() = default;

    // A modal message box with the program's caption unless CAPTION is given.
    virtual MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& caption = {}) = 0;
    // The path the user chose, or nullopt when cancelled. FILTER uses Qt's "Name (*.ext)" form.
    virtual std::optional<QString> ChooseFile(FileDialogKind kind, const QString& title,
                                              const QString& filter,
                                              const QString& suggestedPath) = 0;
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& start) = 0;

    // Shows TEXT (cut at 255 characters) in a status pane at once, even during a long operation.
    virtual void SetStatusText(int pane, const QString& text) = 0;
    virtual void ProgressBegin(int low, int high, int step) = 0;
    virtual void ProgressStep() = 0;
    virtual void ProgressEnd() = 0;
    // True once the user asked to stop the operation under progress; cleared by ProgressBegin.
    virtual bool CancelRequested() const = 0;
    // Lets the window repaint and hear Esc while the calling thread waits for work done
    // elsewhere; other input is held back so that no command starts meanwhile.
    virtual void KeepResponsive() {}

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    virtual void Beep() = 0;

    // SetStatusText with printf rules, for the program's own format strings.
    void SetStatusTextF(int pane, const char* format, ...) __attribute__((format(printf, 3, 4)));
};

// Shows the wait cursor for the lifetime of the object.
// What TAKE(milliseconds) gives once it gives something, the window painting and Esc heard
// while other threads work; nullopt when the user stops first.
template <class Take>
auto TakeResponsively(UiServices& ui, Take take) {
    decltype(take(0)) result;
    while (!(result = take(40)) && !ui.CancelRequested()) ui.KeepResponsive();
    return result;
}

class WaitCursor {
public:
    explicit WaitCursor(UiServices& ui) : m_ui(ui) { m_ui.BeginWaitCursor(); }
    ~WaitCursor() { m_ui.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UiServices& m_ui;
};

// The caption of most of the program's message boxes.
inline const QString kProgramCaption = QStringLiteral("Albora 3.0");
