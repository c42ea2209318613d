// Start-up, memory and idle cost of Settings beside a reference program (a bare Qt window
// with the same photograph), measured from outside both on the running X display, in
// alternating runs. Prints the figures as rows of a Markdown table.
//
//   startbench [--runs N] [--idle SECONDS] [--verbose] SETTINGS REFERENCE

#include "ChildProcess.h"
#include "PaintWatch.h"
#include "ProcessStats.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

struct Program
{
    const char* label;
    std::string path;
    // The main window's title, then the title of the last window start-up brings.
    std::vector<std::string> titles;
};

struct Options
{
    int runs = 20;
    int idleSeconds = 10;
    bool verbose = false;
    std::string settings;
    std::string reference;
};

struct StartFigures
{
    std::vector<double> firstPaintMs;
    std::vector<double> cpuToFirstPaintMs;
    std::vector<double> lastWindowMs;
    std::vector<double> residentKiB;
};

struct IdleFigures
{
    double cpuMs = 0;
    long wakeups = 0;
    ProcessStats::Waits waits;
};

constexpr auto kWindowTimeout = 30s;
// Memory is read once the program has settled after its last window appeared.
constexpr auto kSettle = 500ms;
// Time for the window manager to let go of one program's windows before the next starts.
constexpr auto kPause = 300ms;

[[noreturn]] void usage()
{
    std::fprintf(stderr, "usage: startbench [--runs N] [--idle SECONDS] [--verbose] SETTINGS REFERENCE\n");
    std::exit(2);
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--runs" || arg == "--idle") && i + 1 < argc)
            (arg == "--runs" ? options.runs : options.idleSeconds) = std::atoi(argv[++i]);
        else if (arg == "--verbose")
            options.verbose = true;
        else if (arg.starts_with("--"))
            usage();
        else
            programs.push_back(arg);
    }
    if (programs.size() != 2 || options.runs < 1 || options.idleSeconds < 0)
        usage();
    options.settings = programs[0];
    options.reference = programs[1];
    return options;
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Waits for the first paints of the windows with these titles. Throws when one does not come,
// and as soon as the program has ended without it.
std::vector<Clock::time_point> awaitWindows(PaintWatch& watch, const std::vector<std::string>& titles,
                                            const Program& program, ChildProcess& child)
{
    const Clock::time_point deadline = child.started() + kWindowTimeout;
    for (;;) {
        const auto paints = watch.waitForPaints(titles, std::min(deadline, Clock::now() + 100ms));
        const auto missing = std::find(paints.begin(), paints.end(), std::nullopt);
        if (missing == paints.end()) {
            std::vector<Clock::time_point> times;
            for (const auto& paint : paints)
                times.push_back(*paint);
            return times;
        }
        const std::string& title = titles[std::size_t(missing - paints.begin())];
        if (child.exited())
            throw std::runtime_error(program.path + " ended without showing its window \"" + title + "\"");
        if (Clock::now() >= deadline)
            throw std::runtime_error(program.path + " did not show its window \"" + title + "\"");
    }
}

void startOnce(PaintWatch& watch, const Program& program, const Options& options, StartFigures* figures)
{
    watch.clearPaints();
    {
        ChildProcess child(program.path, options.verbose);
        // The main window alone first, to read the CPU time as close to its paint as can be.
        awaitWindows(watch, {program.titles.front()}, program, child);
        const double cpu = ProcessStats::onCpuMilliseconds(child.pid());
        const auto times = awaitWindows(watch, program.titles, program, child);
        std::this_thread::sleep_for(kSettle);
        const double first = millisecondsBetween(child.started(), times.front());
        const double last = millisecondsBetween(child.started(), times.back());
        const long resident = ProcessStats::residentKiB(child.pid());
        if (options.verbose)
            std::fprintf(stderr, "%s: first paint %.1f ms (%.1f ms CPU), last window %.1f ms, %ld KiB\n",
                         program.label, first, cpu, last, resident);
        if (figures) {
            figures->firstPaintMs.push_back(first);
            figures->cpuToFirstPaintMs.push_back(cpu);
            figures->lastWindowMs.push_back(last);
            figures->residentKiB.push_back(double(resident));
        }
    }
    std::this_thread::sleep_for(kPause);
}

IdleFigures idleOnce(PaintWatch& watch, const Program& program, const Options& options)
{
    const std::chrono::milliseconds span = std::chrono::seconds(options.idleSeconds);
    watch.clearPaints();
    IdleFigures idle;
    {
        ChildProcess child(program.path, options.verbose);
        awaitWindows(watch, program.titles, program, child);
        std::this_thread::sleep_for(1s);
        const double cpuBefore = ProcessStats::cpuMilliseconds(child.pid());
        const long switchesBefore = ProcessStats::voluntarySwitches(child.pid());
        std::this_thread::sleep_for(span);
        idle.cpuMs = ProcessStats::cpuMilliseconds(child.pid()) - cpuBefore;
        idle.wakeups = ProcessStats::voluntarySwitches(child.pid()) - switchesBefore;
        // Traced apart from the span above, so strace's own cost stays out of the CPU time.
        idle.waits = ProcessStats::traceWaits(child.pid(), span);
    }
    std::this_thread::sleep_for(kPause);
    return idle;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

void row(const char* figure, const std::string& settings, const std::string& reference, const std::string& ratio,
         const char* goal)
{
    std::printf("| %s | %s | %s | %s | %s |\n", figure, settings.c_str(), reference.c_str(), ratio.c_str(), goal);
}

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void printStart(const Options& options, const StartFigures& settings, const StartFigures& reference)
{
    const double firstS = median(settings.firstPaintMs), firstR = median(reference.firstPaintMs);
    const double memS = median(settings.residentKiB) / 1024, memR = median(reference.residentKiB) / 1024;
    const std::string runs = " (median of " + std::to_string(options.runs) + ")";
    row(("Start to main window's first paint" + runs).c_str(), format("%.1f ms", firstS),
        format("%.1f ms", firstR), format("%.2f", firstS / firstR), "≤ 1.10");
    const double cpuS = median(settings.cpuToFirstPaintMs), cpuR = median(reference.cpuToFirstPaintMs);
    row("CPU time up to the main window's first paint (all threads, median)", format("%.1f ms", cpuS),
        format("%.1f ms", cpuR), format("%.2f", cpuS / cpuR), "");
    row(("Start to help window shown" + runs).c_str(), format("%.1f ms", median(settings.lastWindowMs)), "–", "",
        "");
    row("Resident memory after start (VmRSS, median)", format("%.1f MiB", memS), format("%.1f MiB", memR),
        format("%.2f", memS / memR), "≤ 1.10");
}

void printIdle(const Options& options, const IdleFigures& settings, const IdleFigures& reference)
{
    const std::string span = " over " + std::to_string(options.idleSeconds) + " s idle";
    row(("CPU time" + span).c_str(), format("%.0f ms", settings.cpuMs), format("%.0f ms", reference.cpuMs), "",
        "0");
    row(("Wake-ups (voluntary context switches)" + span).c_str(), std::to_string(settings.wakeups),
        std::to_string(reference.wakeups), "", "0");
    row(("Waits ended by their timeout, of all waits (strace)" + span).c_str(),
        std::to_string(settings.waits.timedOut) + " of " + std::to_string(settings.waits.finished),
        std::to_string(reference.waits.timedOut) + " of " + std::to_string(reference.waits.finished), "", "0");
}

void progress(const Options& options, const char* what)
{
    if (!options.verbose)
        std::fprintf(stderr, "%s", what);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    const Program settings{"Settings", options.settings, {"Setup", "Instructions for Settings utility"}};
    const Program reference{"Reference", options.reference, {"Reference"}};
    try {
        PaintWatch watch(options.verbose);
        // One uncounted start each fills the file and font caches.
        startOnce(watch, settings, options, nullptr);
        startOnce(watch, reference, options, nullptr);
        StartFigures settingsStart, referenceStart;
        for (int run = 0; run < options.runs; ++run) {
            startOnce(watch, settings, options, &settingsStart);
            startOnce(watch, reference, options, &referenceStart);
            progress(options, ".");
        }
        progress(options, "\n");
        std::printf("| Figure | Settings | Reference | Ratio | Goal |\n|---|---|---|---|---|\n");
        printStart(options, settingsStart, referenceStart);
        if (options.idleSeconds > 0) {
            const IdleFigures settingsIdle = idleOnce(watch, settings, options);
            printIdle(options, settingsIdle, idleOnce(watch, reference, options));
        }
        std::fflush(stdout);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startbench: %s\n", error.what());
        return 1;
    }
    return 0;
}
