// Milliseconds since the calling process was created, on the clock that
// process creation times are kept on.
#pragma once

#include <windows.h>

inline double MsSinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (ticks(now) - ticks(created)) / 10000.0;
}
