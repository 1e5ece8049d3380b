#include "QtUiServices.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok: return QMessageBox::Ok;
        case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoDefaultNo: return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None: return QMessageBox::NoIcon;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer FromQt(int button) {
    switch (button) {
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Abort: return MsgAnswer::Abort;
        case QMessageBox::Retry: return MsgAnswer::Retry;
        case QMessageBox::Ignore: return MsgAnswer::Ignore;
        default: return MsgAnswer::Ok;
    }
}

}  // namespace

MsgAnswer QtUiServices::MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                   const QString& caption) {
    // The program's texts break lines with CR as well as LF.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    QMessageBox box(ToQt(icon), caption.isEmpty() ? kProgramCaption : caption, shown,
                    ToQt(buttons), m_parent);
    if (buttons == MsgButtons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
    return FromQt(box.exec());
}

std::optional<QString> QtUiServices::ChooseFile(FileDialogKind kind, const QString& title,
                                                const QString& filter,
                                                const QString& suggestedPath) {
    const QString path =
        kind == FileDialogKind::Open
            ? QFileDialog::getOpenFileName(m_parent, title, suggestedPath, filter)
            : QFileDialog::getSaveFileName(m_parent, title, suggestedPath, filter);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtUiServices::ChooseFolder(const QString& title, const QString& start) {
    const QString path = QFileDialog::getExistingDirectory(m_parent, title, start);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

void QtUiServices::SetStatusText(int pane, const QString& text) {
    if (m_status) m_status->SetPaneText(pane, text.left(kStatusTextLimit));
}

void QtUiServices::ProgressBegin(int low, int high, int step) {
    if (m_status) m_status->ProgressBegin(low, high, step);
}

void QtUiServices::ProgressStep() {
    if (m_status) m_status->ProgressStep();
}

void QtUiServices::ProgressEnd() {
    if (m_status) m_status->ProgressEnd();
}

bool QtUiServices::CancelRequested() const { return m_status && m_status->CancelRequested(); }

void QtUiServices::KeepResponsive() {
    if (m_status) m_status->KeepResponsive();
}

void QtUiServices::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtUiServices::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

void QtUiServices::Beep() { QApplication::beep(); }
