#pragma once

#include <QString>

class AppPaths;

// The record of the running compile script in temp/compile.group: its process
// group, its leader's start and the script it runs, so that a Zarn coming after
// one that died can end that compile, and only that one.

// Notes that the script's shell processId runs.
void recordScript(const AppPaths &paths, qint64 processId);

// Ends the script in the record, with every program it started, when it is still
// the one recorded there, and forgets the record. The caller holds the compile
// lock, so the script is one whose Zarn died. The group ended, or 0; it may take a
// moment to be gone (see groupIsGone).
qint64 endRecordedScript(const AppPaths &paths);

// True when no process of the group is left.
bool groupIsGone(qint64 group);
