#pragma once

#include <QtGlobal>

// The processes Zarn started that must not outlive it: the compile script with its
// process group (the compiler in it), the applet hosts, the warm compiler and the
// short runs beside them. Zarn's handler of SIGTERM, SIGINT and SIGHUP ends them
// all before Zarn exits.
namespace ChildProcesses {

// Remembers the process pid, or with wholeGroup the process group it leads. A
// process added after endAll has begun is ended at once: one started while Zarn
// is being ended never outlives it.
void add(qint64 pid, bool wholeGroup);
void remove(qint64 pid);
// Ends every process remembered, at once. Safe in a signal handler.
void endAll();

} // namespace ChildProcesses
