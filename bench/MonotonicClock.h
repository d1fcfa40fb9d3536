#pragma once

#include <QtGlobal>

#include <ctime>
#include <sys/resource.h>

// CLOCK_MONOTONIC in nanoseconds: one clock for every process of the machine, so a
// child can measure from a moment its parent took.
inline qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// This process's CPU time, all its threads, user and system, in milliseconds.
inline double processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}
