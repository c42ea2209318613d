#include "ProcessStats.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace ProcessStats {

namespace {

std::string readText(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string procPath(pid_t pid, const char* leaf)
{
    return "/proc/" + std::to_string(pid) + "/" + leaf;
}

// The number after "<key>:" in a /proc status text, or -1.
long statusField(const std::string& status, const std::string& key)
{
    const std::size_t at = status.find("\n" + key + ":");
    if (at == std::string::npos)
        return -1;
    return std::strtol(status.c_str() + at + key.size() + 2, nullptr, 10);
}

// Calls step with the /proc directory of each of the process's threads.
template <typename Step>
void forEachTask(pid_t pid, Step step)
{
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(procPath(pid, "task"), error))
        step(task.path());
}

} // namespace

long residentKiB(const std::string& status) { return statusField(status, "VmRSS"); }

long residentKiB(pid_t pid) { return residentKiB(readText(procPath(pid, "status"))); }

double cpuMilliseconds(const std::string& stat)
{
    // The command name in parentheses may hold spaces and parentheses itself: the fields
    // are counted from the last closing one, where field 3 (state) begins.
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    std::vector<std::string> values;
    while (values.size() < 13 && fields >> field)
        values.push_back(field);
    if (values.size() < 13)
        return -1;
    const double ticks = std::strtod(values[11].c_str(), nullptr) + std::strtod(values[12].c_str(), nullptr);
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

double cpuMilliseconds(pid_t pid) { return cpuMilliseconds(readText(procPath(pid, "stat"))); }

double onCpuMilliseconds(pid_t pid)
{
    double sum = 0;
    forEachTask(pid, [&](const std::filesystem::path& task) {
        sum += std::strtod(readText(task / "schedstat").c_str(), nullptr) / 1e6;
    });
    return sum;
}

long voluntarySwitches(pid_t pid)
{
    long sum = 0;
    forEachTask(pid, [&](const std::filesystem::path& task) {
        const long switches = statusField(readText(task / "status"), "voluntary_ctxt_switches");
        if (switches > 0)
            sum += switches;
    });
    return sum;
}

Waits countWaits(const std::string& straceLog)
{
    Waits waits;
    std::istringstream lines(straceLog);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("<unfinished ...>") != std::string::npos)
            continue;
        const std::size_t result = line.find(") = ");
        if (result == std::string::npos)
            continue;
        const char* value = line.c_str() + result + 4;
        // "? ERESTART..." (cut by strace itself) and "-1 EINTR" are no ends of a wait.
        if (!std::isdigit(static_cast<unsigned char>(*value)))
            continue;
        ++waits.finished;
        if (std::strtol(value, nullptr, 10) == 0)
            ++waits.timedOut;
    }
    return waits;
}

Waits traceWaits(pid_t pid, std::chrono::milliseconds span)
{
    char logPath[] = "/tmp/startbench-strace-XXXXXX";
    const int log = mkstemp(logPath);
    if (log < 0)
        throw std::runtime_error("cannot make a file for the strace log");
    close(log);
    const std::string target = std::to_string(pid);
    const pid_t tracer = fork();
    if (tracer == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        // -f with -p attaches every thread of the process.
        execlp("strace", "strace", "-f", "-qq", "-e",
               "trace=poll,ppoll,select,pselect6,epoll_wait,epoll_pwait,epoll_pwait2", "-o", logPath, "-p",
               target.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(span);
    int status = 0;
    // Still running means it attached and traced the whole span; then it detaches on SIGINT.
    const bool traced = tracer > 0 && waitpid(tracer, &status, WNOHANG) == 0;
    if (traced) {
        kill(tracer, SIGINT);
        waitpid(tracer, &status, 0);
    }
    const std::string text = readText(logPath);
    unlink(logPath);
    if (!traced)
        throw std::runtime_error("strace could not trace the program (is strace installed, ptrace allowed?)");
    return countWaits(text);
}

} // namespace ProcessStats
