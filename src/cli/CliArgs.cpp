#include "CliArgs.h"

std::optional<CliArgs> ParseCliArgs(const QStringList& args, const CliOptions& options,
                                    QString& error) {
    CliArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QStringLiteral("--")) || arg == QStringLiteral("--")) {
            parsed.positional << arg;
            continue;
        }
        const QString name = arg.mid(2);
        if (options.flags.count(name)) {
            parsed.flags.insert(name);
        } else if (options.withValue.count(name)) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("option %1 needs a value").arg(arg);
                return std::nullopt;
            }
            parsed.values[name] = args[++i];
        } else {
            error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        }
    }
    return parsed;
}

std::optional<std::uint32_t> ParseEpoch(const QString& text) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}
