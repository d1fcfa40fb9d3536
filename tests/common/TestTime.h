#pragma once

#include <QtGlobal>

#include <algorithm>

// A deadline for a wait on another process, a window or a JVM, in milliseconds.
// ZARN_TEST_TIME_FACTOR (CTest sets it: larger under the sanitizers) stretches
// every deadline alike, so that a slow build or a busy machine gets more time
// without any test sleeping for a fixed one.
inline int scaled(int ms)
{
    static const int factor = std::max(1, qEnvironmentVariableIntValue("ZARN_TEST_TIME_FACTOR"));
    return ms * factor;
}
