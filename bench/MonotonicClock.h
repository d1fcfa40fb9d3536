#pragma once

#include <QtGlobal>

#include <ctime>

// CLOCK_MONOTONIC in nanoseconds: one clock for every process of the machine, so a
// child can measure from a moment its parent took.
inline qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}
