#pragma once

#include <QtGlobal>

#include <optional>

// When the process pid started, in clock ticks since the system booted (from
// /proc/PID/stat); nothing when no such process runs. A number and its start time
// together name one process: a number given again goes to a later start.
std::optional<quint64> processStartTicks(qint64 pid);

// The same, as a time in milliseconds since the epoch.
std::optional<qint64> processStartMSecs(qint64 pid);
