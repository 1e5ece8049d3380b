#include "SiteCopy.h"

#include "platform/SafeFile.h"
#include "platform/UiServices.h"

CopyOutcome CopyWithRetry(const QString& source, const QString& target, UiServices& ui) {
    for (;;) {
        QString reason;
        if (SafeFile::Copy(source, target, &reason)) return CopyOutcome::Copied;
        const MsgAnswer answer =
            ui.MessageBox(QStringLiteral("Copy error:\nSource: %1\nTarget: %2\n%3").arg(source, target, reason),
                          MsgButtons::AbortRetryIgnore, MsgIcon::Stop);
        if (answer == MsgAnswer::Ignore) return CopyOutcome::Skipped;
        if (answer != MsgAnswer::Retry) return CopyOutcome::Aborted;
    }
}
