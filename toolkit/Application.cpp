#include "Application.h"

#include "MessageBox.h"

#include <QAbstractEventDispatcher>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TApplication::runIdle, Qt::DirectConnection);
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
