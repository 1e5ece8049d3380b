#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The image browser's filter: a named set ("Internet images", "All images") or the user's own
// wildcards ("*.bmp", "*.jpg; *.png"). Nullopt for a text that holds no wildcard.
std::optional<QStringList> PatternsOfFilter(const QString& text);

inline const QString kInvalidFilterCaption = QStringLiteral("Albora:-File Filter is Invalid");
inline const QString kInvalidFilterText = QStringLiteral("Please enter wildcard filters (*.*, *.bmp, *.jpg etc.,)");
