#include "Application.h"

#include "MessageBox.h"

#include <QAbstractEventDispatcher>
#include <QFontDatabase>

#include <system_error>

// The first text a window lays out makes Qt read the font configuration and list every
// installed font: tens of milliseconds, the largest part of this program's start. The font
// database is thread-safe, so a second thread fills it while this one decodes the photograph
// and builds the page; text laid out before it is done waits for it instead of repeating it.
TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    try {
        m_fontWarmUp = std::thread([] { QFontDatabase::families(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first text fills the database itself, as it would anyway.
    }
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TApplication::runIdle, Qt::DirectConnection);
}

// Joined before QApplication's destructor takes the font database down.
TApplication::~TApplication()
{
    if (m_fontWarmUp.joinable())
        m_fontWarmUp.join();
}

TApplication* TApplication::instance() { return qobject_cast<TApplication*>(QCoreApplication::instance()); }

void TApplication::runIdle()
{
    // A handler that opens a message box spins a nested loop, which must not re-enter.
    if (!m_idleGateOpen || !m_onIdle || m_inIdle)
        return;
    m_inIdle = true;
    bool done = true;
    runGuarded([&] { m_onIdle(this, done); });
    m_inIdle = false;
}

void TApplication::handleException(const std::exception_ptr& error)
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    MessageBox::show(message, QCoreApplication::applicationName(),
                     MessageBox::MB_OK | MessageBox::MB_ICONERROR);
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException(std::current_exception());
        return false;
    }
}
