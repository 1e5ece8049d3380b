#pragma once

#include <cstdint>
#include <string>

// Why PATH cannot be an input, "" when it can: only a regular file is read (a pipe would be waited
// on, a device read without end), and none larger than MAXBYTES.
std::string RefusedInput(const std::string& path, std::uintmax_t maxBytes = UINTMAX_MAX);
