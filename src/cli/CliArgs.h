#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>

// The arguments of one batch command: positional words and "--name value" or "--flag" options.
struct CliArgs {
    QStringList positional;
    std::map<QString, QString> values;
    std::set<QString> flags;

    bool Has(const QString& option) const { return values.count(option) || flags.count(option); }
    QString Value(const QString& option, const QString& fallback = {}) const {
        const auto it = values.find(option);
        return it == values.end() ? fallback : it->second;
    }
};

// Option names (without "--") that take a value, and those that are flags.
struct CliOptions {
    std::set<QString> withValue;
    std::set<QString> flags;
};

// Parses ARGS; on a usage error returns nullopt and puts the reason in ERROR.
std::optional<CliArgs> ParseCliArgs(const QStringList& args, const CliOptions& options,
                                    QString& error);

// Reads an epoch time stamp that fits the album file's 32 bits.
std::optional<std::uint32_t> ParseEpoch(const QString& text);
