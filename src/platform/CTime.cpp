#include "CTime.h"

#include <clocale>
#include <locale.h>

namespace {

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

namespace CTime {

std::optional<QString> Format(const char* format, std::int64_t seconds) {
    const time_t t = static_cast<time_t>(seconds);
    struct tm local {};
    if (!localtime_r(&t, &local)) return std::nullopt;
    char buffer[256];
    const size_t n = strftime_l(buffer, sizeof buffer, format, &local, CLocale());
    if (n == 0 && *format != '\0') return std::nullopt;
    return QString::fromLatin1(buffer, static_cast<qsizetype>(n));
}

std::optional<QString> CardDate(std::int64_t seconds) { return Format("%m/%d/%Y %H:%M:%S", seconds); }

QString CtimeText(std::int64_t seconds) {
    const auto text = Format("%a %b %e %H:%M:%S %Y", seconds);
    return text ? *text : QString();
}

std::uint32_t NowStamp() { return static_cast<std::uint32_t>(time(nullptr)); }

}  // namespace CTime
