#pragma once
// A program started for one measurement, ended (SIGTERM) and reaped when this goes.

#include <sys/types.h>

#include <chrono>
#include <string>

class ChildProcess
{
public:
    using Clock = std::chrono::steady_clock;

    // Starts the program with no arguments; its output goes to /dev/null unless `showOutput`.
    // Throws std::runtime_error when no process can be made.
    ChildProcess(const std::string& program, bool showOutput);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // Whether the program has ended already (it is reaped then).
    bool exited();
    // The moment just before the process was made: where start-up times count from.
    Clock::time_point started() const { return m_started; }

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
    Clock::time_point m_started;
};
