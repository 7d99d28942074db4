#pragma once
// Raises the scheduling priority of this process as far as an unprivileged
// process may (RLIMIT_NICE), silently. Never switches to a real-time
// scheduling class, which could starve the desktop.
void RaiseProcessPriority();

// The lowest nice value RLIMIT_NICE lets this process set without
// privileges (20 - soft limit, clamped to -20..19).
int LowestUnprivilegedNice();
