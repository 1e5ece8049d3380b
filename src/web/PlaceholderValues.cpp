#include "PlaceholderValues.h"

void PlaceholderValues::Set(const QString& placeholder, const QString& value) {
    m_values.insert(placeholder.toLower(), value);
    m_longest = std::max(m_longest, placeholder.size());
}

QString PlaceholderValues::Expand(QStringView text) const {
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    qsizetype p = text.indexOf(QLatin1Char('{'));
    while (p >= 0) {
        // Looking no further than the longest placeholder keeps the pass linear.
        const qsizetype close = text.mid(p, std::min(m_longest, text.size() - p)).indexOf(QLatin1Char('}'));
        const auto found = close < 0 ? m_values.constEnd()
                                     : m_values.constFind(text.mid(p, close + 1).toString().toLower());
        if (found == m_values.constEnd()) {
            p = text.indexOf(QLatin1Char('{'), p + 1);
            continue;
        }
        out += text.mid(copied, p - copied);
        out += found.value();
        copied = p + close + 1;
        p = text.indexOf(QLatin1Char('{'), copied);
    }
    out += text.mid(copied);
    return out;
}
