#pragma once

#include <functional>

// Zarn's end on SIGTERM, SIGINT and SIGHUP: every process it started ends at once
// (see ChildProcesses), then beforeExit runs on the event loop, then Zarn exits
// with 128 plus the signal's number. Nothing on a system without these signals.
void installTerminationHandlers(std::function<void()> beforeExit);
