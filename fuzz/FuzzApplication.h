#pragma once
// The application object that fonts, documents and widgets need, made once per fuzzing
// process on the offscreen platform. Qt's warnings about odd input are dropped: the
// fuzzer feeds odd input by the million and its own log should stay readable.

#include <QApplication>

#include <cstdio>
#include <cstdlib>

inline void startFuzzApplication()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtFatalMsg)
            return;
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    });
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}
