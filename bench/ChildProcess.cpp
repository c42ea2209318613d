#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

ChildProcess::ChildProcess(const std::string& program, bool showOutput)
{
    m_started = Clock::now();
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("cannot start " + program);
    if (m_pid == 0) {
        if (!showOutput) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

bool ChildProcess::exited()
{
    int status = 0;
    if (!m_reaped && waitpid(m_pid, &status, WNOHANG) == m_pid)
        m_reaped = true;
    return m_reaped;
}

ChildProcess::~ChildProcess()
{
    if (m_reaped)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
}
