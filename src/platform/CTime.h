#pragma once

#include <QString>
#include <cstdint>
#include <ctime>
#include <optional>

// Time texts are formatted by the C library in the C locale (English month and day names) and
// local time, whatever locale the user runs, so stored texts and searches compare the same.
namespace CTime {

// strftime of the local time; nullopt when the time cannot be converted.
std::optional<QString> Format(const char* format, std::int64_t seconds);

// "%m/%d/%Y %H:%M:%S", the format of the card list, searches and the album information.
std::optional<QString> CardDate(std::int64_t seconds);

// The C library's ctime text without its trailing white space.
QString CtimeText(std::int64_t seconds);

// The current time as the 32-bit stamp of the album file.
std::uint32_t NowStamp();

}  // namespace CTime
