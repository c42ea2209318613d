#pragma once
// Waiting through QTest (QTRY_*, qWait) only processes events and never lets the event loop
// go idle, so what the program does when idle (building its support windows) never happens.
// runLoopUntil runs an event loop of its own, which goes idle between events as the
// program's does, until `done` holds or the time is up; it returns `done()`.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

inline bool runLoopUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(10);
    loop.exec();
    return done();
}
