#pragma once

#include <QSet>
#include <QString>

// The file names of one site, unique without regard to case, so that no output overwrites
// another even on a case-insensitive file system.
class OutputNames {
public:
    // NAME when free, otherwise NAME with "-2", "-3"... before its extension; the name is then
    // taken.
    QString Claim(const QString& name);

private:
    QSet<QString> m_taken;
};
