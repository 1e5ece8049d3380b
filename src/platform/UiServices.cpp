#include "UiServices.h"

#include <cstdarg>
#include <cstdio>

void UiServices::SetStatusTextF(int pane, const char* format, ...) {
    char buffer[kStatusTextLimit + 1];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    SetStatusText(pane, QString::fromUtf8(buffer));
}
