#include "BrowseFilter.h"

std::optional<QStringList> PatternsOfFilter(const QString& text) {
    if (text.startsWith(QStringLiteral("Internet images"))) return QStringList{"*.jpg", "*.jpeg", "*.gif", "*.png"};
    if (text.startsWith(QStringLiteral("All images")))
        return QStringList{"*.jpg", "*.jpeg", "*.gif", "*.png", "*.bmp", "*.dib", "*.avi", "*.mpg", "*.mpeg"};
    if (!text.contains(QStringLiteral("*."))) return std::nullopt;
    QStringList patterns;
    for (const QString& part : text.split(';', Qt::SkipEmptyParts))
        if (const QString pattern = part.trimmed(); !pattern.isEmpty()) patterns << pattern;
    return patterns;
}
