#pragma once

#include <QSet>
#include <QString>
#include <functional>

// The file names of one site, unique without regard to case, so that no output overwrites
// another even on a case-insensitive file system.
class OutputNames {
public:
    // From now on, names RESERVED tells are never given out (files the site must not replace).
    void SetReserved(std::function<bool(const QString&)> reserved) { m_reserved = std::move(reserved); }

    // NAME when free, otherwise NAME with "-2", "-3"... before its extension; the name is then
    // taken.
    QString Claim(const QString& name);

private:
    bool Taken(const QString& name) const { return m_taken.contains(name.toLower()) || (m_reserved && m_reserved(name)); }

    std::function<bool(const QString&)> m_reserved;
    QSet<QString> m_taken;
};
