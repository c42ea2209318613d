#pragma once
// What the kernel tells about a running process through /proc, and what strace sees of its
// waits: the figures for memory and for the cost of sitting idle.

#include <sys/types.h>

#include <chrono>
#include <string>

namespace ProcessStats {

// Resident memory (VmRSS) in KiB, from the text of /proc/<pid>/status; -1 without it.
long residentKiB(const std::string& status);
long residentKiB(pid_t pid);

// CPU time of all the process's threads (utime + stime), in milliseconds, from the text of
// /proc/<pid>/stat; -1 when it cannot be read.
double cpuMilliseconds(const std::string& stat);
double cpuMilliseconds(pid_t pid);

// Time the process's threads have spent running on a CPU, in milliseconds: the first field
// (nanoseconds) of /proc/<pid>/task/*/schedstat, summed. Unlike wall time it hardly grows when
// other work on the machine keeps the process waiting for a CPU.
double onCpuMilliseconds(pid_t pid);

// How often the process's threads went to sleep of their own accord: the voluntary context
// switches summed over /proc/<pid>/task/*/status. Each is a wait that something ended later.
long voluntarySwitches(pid_t pid);

struct Waits
{
    long finished = 0; // waiting calls (poll, select, epoll) that returned a count
    long timedOut = 0; // of those, the ones that returned 0 because their timeout ran out
};

// Counts the waits in an strace log (strace -f, one call a line; calls split by another
// thread appear as "<unfinished ...>" and "<... resumed>" halves).
Waits countWaits(const std::string& straceLog);

// Attaches strace to every thread of the process for the span and counts its waits.
// Throws std::runtime_error when strace cannot be run.
Waits traceWaits(pid_t pid, std::chrono::milliseconds span);

} // namespace ProcessStats
