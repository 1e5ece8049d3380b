#pragma once

#include <QString>
#include <QStringList>

// The lines of a closing message that names what went wrong, one a line: the first few in full,
// the rest counted, so that a run over thousands of bad files still gives a box that fits.
class ProblemList {
public:
    static constexpr int kListed = 20;

    void Add(const QString& line) {
        if (m_lines.size() < kListed)
            m_lines += line;
        else
            ++m_more;
    }
    bool IsEmpty() const { return m_lines.isEmpty(); }
    QString Text() const {
        QString text = m_lines.join(QLatin1Char('\n'));
        if (m_more) text += QStringLiteral("\n... and %1 more").arg(m_more);
        return text;
    }

private:
    QStringList m_lines;
    int m_more = 0;
};
