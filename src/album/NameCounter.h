#pragma once

#include <QDir>
#include <QString>
#include <optional>

// Formats a user's name pattern with one number. Only the integer conversions (d, i, u, x, X, o
// with flags, width and precision) take the number, and "%%" gives "%"; any other conversion is
// copied as it stands, so a pattern typed into the options can never read past its argument.
QString FormatNumberPattern(const QString& pattern, int number);

// A naming counter: formats the counter into a pattern and takes the first name that does not
// exist yet, restarting at 0 after 30000. The search gives up (nullopt) after one full round
// instead of looping forever when every name is taken.
class NameCounter {
public:
    static constexpr int kLimit = 30000;

    std::optional<QString> Next(const QString& pattern, const QDir& directory);
    int Value() const { return m_counter; }

private:
    int m_counter = 0;
};
