#include "NameCounter.h"

#include <QFileInfo>
#include <cstdio>

namespace {

bool IsFlag(QChar c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }

}  // namespace

QString FormatNumberPattern(const QString& pattern, int number) {
    QString result;
    qsizetype i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != '%') {
            result += pattern[i++];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            result += '%';
            i += 2;
            continue;
        }
        // Parse "%[flags][width][.precision]conversion" without a length modifier.
        qsizetype j = i + 1;
        while (j < pattern.size() && IsFlag(pattern[j])) ++j;
        const qsizetype widthStart = j;
        while (j < pattern.size() && pattern[j].isDigit()) ++j;
        bool sane = j - widthStart <= 2;
        if (j < pattern.size() && pattern[j] == '.') {
            const qsizetype precisionStart = ++j;
            while (j < pattern.size() && pattern[j].isDigit()) ++j;
            sane = sane && j - precisionStart <= 2;
        }
        const QString conversionSpec = pattern.mid(i, j - i + 1);
        const QChar conversion = j < pattern.size() ? pattern[j] : QChar();
        // Widths and precisions of two digits at most always fit the buffer.
        if (QStringLiteral("diuxXo").contains(conversion) && sane && conversionSpec.size() <= 16) {
            char buffer[256];
            std::snprintf(buffer, sizeof buffer, conversionSpec.toLatin1().constData(), number);
            result += QString::fromLatin1(buffer);
        } else {
            result += conversionSpec;
        }
        i = j + 1;
    }
    return result;
}

std::optional<QString> NameCounter::Next(const QString& pattern, const QDir& directory) {
    for (int attempt = 0; attempt <= kLimit; ++attempt) {
        const QString name = FormatNumberPattern(pattern, m_counter);
        if (++m_counter > kLimit) m_counter = 0;
        if (!QFileInfo::exists(directory.filePath(name))) return name;
    }
    return std::nullopt;
}
