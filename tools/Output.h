#pragma once
// The end of a command-line tool: what it printed is its result, so a
// standard output that cannot be written (a full disk, a closed pipe) is a
// failure like any other.

// Flushes and closes the standard output. Returns status when that worked;
// otherwise prints why on the standard error and returns 1 (or status, when
// it already reports a failure).
int FinishOutput(int status, const char *tool);
