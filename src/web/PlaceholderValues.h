#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// The placeholders of one page with their values, matched without regard to case.
class PlaceholderValues {
public:
    // PLACEHOLDER includes its braces: "{CRPNAME}".
    void Set(const QString& placeholder, const QString& value);

    // TEXT with every known placeholder replaced in a single left-to-right pass. An inserted value
    // is never searched again, so a description reading "{ALBOPATH}" stays that text; unknown
    // placeholders stay as written. Linear in the text and the values.
    QString Expand(QStringView text) const;

private:
    QHash<QString, QString> m_values;
    qsizetype m_longest = 0;
};
