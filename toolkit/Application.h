#pragma once
// The application object: one idle slot, an exception handler that shows an error's
// message, and the entry point through which event handlers are run safely.

#include "Event.h"

#include <QApplication>
#include <exception>
#include <thread>

class TApplication : public QApplication
{
    Q_OBJECT
public:
    // Sender is the application; Done tells the loop whether it may wait (preset true).
    using TIdleEvent = TEvent<void(QObject* Sender, bool& Done)>;

    TApplication(int& argc, char** argv);
    ~TApplication() override;

    static TApplication* instance();

    // The slot runs each time the loop is about to wait, once the gate is open; an empty
    // slot is skipped. The gate keeps the first idle moment after the main window's first paint.
    void setOnIdle(TIdleEvent handler) { m_onIdle = std::move(handler); }
    const TIdleEvent& onIdle() const { return m_onIdle; }
    void openIdleGate() { m_idleGateOpen = true; }

    // Shows an error's message in a box; used for errors that escape a handler.
    static void handleException(const std::exception_ptr& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void runIdle();

    // Fills the font database while the first window is being built.
    std::thread m_fontWarmUp;
    TIdleEvent m_onIdle;
    bool m_idleGateOpen = false;
    bool m_inIdle = false;
};

// Runs a handler; an error it raises is shown by the application's exception handler
// instead of unwinding through the toolkit.
template <typename F>
void runGuarded(F&& handler)
{
    try {
        handler();
    } catch (...) {
        TApplication::handleException(std::current_exception());
    }
}
