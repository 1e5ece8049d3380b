#include "OutputNames.h"

QString OutputNames::Claim(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    QString candidate = name;
    for (int n = 2; Taken(candidate); ++n)
        candidate = stem + QLatin1Char('-') + QString::number(n) + extension;
    m_taken.insert(candidate.toLower());
    return candidate;
}
