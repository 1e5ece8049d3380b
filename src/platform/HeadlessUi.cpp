#include "HeadlessUi.h"

#include <algorithm>

namespace {

MsgAnswer DefaultButton(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        case MsgButtons::YesNoDefaultNo: return MsgAnswer::No;
        case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
        case MsgButtons::RetryCancel: return MsgAnswer::Retry;
    }
    return MsgAnswer::Ok;
}

}  // namespace

MsgAnswer HeadlessUi::MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& caption) {
    m_messages.push_back({text, buttons, icon, caption.isEmpty() ? kProgramCaption : caption});
    if (onMessage) onMessage(m_messages.back());
    if (m_answers.empty()) return DefaultButton(buttons);
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<QString> HeadlessUi::ChooseFile(FileDialogKind, const QString&, const QString&,
                                              const QString&) {
    if (m_paths.empty()) return std::nullopt;
    const QString path = m_paths.front();
    m_paths.pop_front();
    if (path.isNull()) return std::nullopt;
    return path;
}

std::optional<QString> HeadlessUi::ChooseFolder(const QString& title, const QString& start) {
    return ChooseFile(FileDialogKind::Open, title, {}, start);
}

void HeadlessUi::SetStatusText(int pane, const QString& text) {
    if (pane < 0 || pane >= static_cast<int>(m_statusPanes.size())) return;
    m_statusPanes[pane] = text.left(kStatusTextLimit);
}

QString HeadlessUi::StatusText(int pane) const {
    return pane >= 0 && pane < static_cast<int>(m_statusPanes.size()) ? m_statusPanes[pane]
                                                                      : QString();
}

void HeadlessUi::ProgressBegin(int low, int high, int step) {
    m_progressLow = low;
    m_progressHigh = high;
    m_progressStep = step;
    m_progressPos = low;
    m_progressSteps = 0;
    m_bProgressVisible = true;
    m_bCancel = false;
}

void HeadlessUi::ProgressStep() {
    if (!m_bProgressVisible) return;
    if (++m_progressSteps == m_cancelAfter) m_bCancel = true;
    m_progressPos = std::clamp(m_progressPos + m_progressStep, m_progressLow, m_progressHigh);
}

void HeadlessUi::ProgressEnd() { m_bProgressVisible = false; }
