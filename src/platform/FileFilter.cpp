#include "FileFilter.h"

#include <QStringList>

QString QtFileFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return filters.join(QStringLiteral(";;"));
}
