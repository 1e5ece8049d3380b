#pragma once

#include <QString>

class UiServices;

enum class CopyOutcome { Copied, Skipped, Aborted };

// Copies SOURCE over TARGET; on failure asks Abort, Retry or Ignore with the system's reason and
// retries as often as the user chooses.
CopyOutcome CopyWithRetry(const QString& source, const QString& target, UiServices& ui);
