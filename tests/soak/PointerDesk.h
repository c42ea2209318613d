#pragma once
// The user's hand on the offscreen platform: one pointer and a keyboard, and the stack of
// windows as a click-to-focus window manager keeps it. Moves and clicks go to the window
// that is really under the pointer, through the window system's entry points, and windows
// hear the pointer cross between them as a real window system tells them, so Qt itself
// works out which controls the pointer left and entered. The program reads the same pointer
// position through its cursor seam.

#include "toolkit/Screen.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <functional>

class PointerDesk : public QObject
{
public:
    PointerDesk()
    {
        // The offscreen platform's own cursor stays in the top-left corner, on the menu bar:
        // where Qt guesses the widget under the pointer from it, it guesses a harmless one.
        QCursor::setPos(0, 0);
        qApp->installEventFilter(this);
        Screen::setCursorPosProvider([this] { return m_pointer; });
    }

    ~PointerDesk() override
    {
        qApp->removeEventFilter(this);
        Screen::setCursorPosProvider({});
    }

    // The window that holds the point, frame included: stay-on-top windows over the others
    // and, within each layer, the one shown or activated last on top. Nullptr outside every
    // window.
    QWidget* windowAt(QPoint global) const
    {
        for (bool onTop : {true, false})
            for (const QPointer<QWidget>& w : m_stack)
                if (w && w->isVisible() && bool(w->windowFlags() & Qt::WindowStaysOnTopHint) == onTop
                    && w->frameGeometry().contains(global))
                    return w.data();
        return nullptr;
    }

    // Told before each move which window the pointer is over (frame included), and after it
    // where the pointer is and which window is there.
    std::function<void(QWidget* from)> beforeMove;
    std::function<void(QPoint to, QWidget* over)> afterMove;

    // Moves the pointer there. Crossing from one window's client area to another's, the
    // first hears that the pointer left and the second that it came, as the window system
    // tells them; within a client area Qt works out which controls it left and entered. On
    // a frame, which belongs to the window manager, the window hears nothing more. Returns
    // the window under the pointer, frame included.
    QWidget* moveTo(QPoint global)
    {
        if (beforeMove)
            beforeMove(windowAt(m_pointer));
        m_pointer = global;
        QWidget* window = windowAt(global);
        QWidget* client = window && window->geometry().contains(global) ? window : nullptr;
        if (client != m_inside)
            cross(client);
        if (client)
            deliverMove(client, global);
        if (afterMove)
            afterMove(global, window);
        return window;
    }

    // A click at a point of a window that holds the pointer to itself, such as an open menu
    // or drop-down list, whatever lies beneath.
    void clickIn(QWidget* grabbing, QPoint localPoint)
    {
        m_pointer = grabbing->mapToGlobal(localPoint);
        QTest::mouseClick(grabbing->windowHandle(), Qt::LeftButton, {}, localPoint);
    }

    // What the window system tells after an action: when a menu or drop-down list that held
    // the pointer has closed, the window under the pointer hears that the pointer is there;
    // when a window has appeared under the pointer or gone from beneath it, the pointer has
    // crossed into the window now there.
    void settle()
    {
        QWidget* window = windowAt(m_pointer);
        QWidget* client = window && window->geometry().contains(m_pointer) ? window : nullptr;
        if (m_grabEnded || client != m_inside)
            cross(client);
        m_grabEnded = false;
    }

    // Moves there and presses and releases the left button (twice for a double click). A
    // click into a window that is not active activates it first, as the window manager does.
    // A click on a window's frame does nothing else.
    void click(QPoint global, bool twice = false)
    {
        QWidget* window = moveTo(global);
        if (!window)
            return;
        activate(window);
        if (!window->isVisible() || !window->geometry().contains(global))
            return; // on a frame, the click only activates the window
        if (twice)
            QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, local(window, global));
        else
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, local(window, global));
    }

    // A key pressed and released in the active window, reaching its focused widget.
    void key(Qt::Key code, const QString& text = {}, Qt::KeyboardModifiers modifiers = {})
    {
        if (QWindow* window = QGuiApplication::focusWindow())
            QTest::sendKeyEvent(QTest::Click, window, code, text, modifiers);
    }

    // Types each character (a surrogate pair counts as one) as a key with that text.
    void type(const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString piece = text.mid(i, length);
            i += length - 1;
            key(keyOf(piece[0]), piece);
        }
    }

    void activate(QWidget* window)
    {
        if (QGuiApplication::focusWindow() == window->windowHandle())
            return;
        window->activateWindow();
        QCoreApplication::processEvents();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::WindowActivate)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !widget->isWindow())
            return false;
        if (widget->windowType() == Qt::Popup)
            m_grabEnded = m_grabEnded || type == QEvent::Hide;
        else if (widget->windowType() != Qt::ToolTip && type != QEvent::Hide)
            toFront(widget);
        return false;
    }

private:
    // The window that had the pointer hears that it left (Qt passes this on to the control it
    // was last on, wherever that is), and the new one that it came.
    void cross(QWidget* to)
    {
        QWidget* from = m_inside ? m_inside.data() : to;
        if (from && from->windowHandle()) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(from->windowHandle(), &leave);
        }
        m_inside = to;
        if (to && to->windowHandle()) {
            const QPointF at = local(to, m_pointer);
            QEnterEvent enter(at, at, m_pointer);
            QCoreApplication::sendEvent(to->windowHandle(), &enter);
        }
        QCoreApplication::processEvents();
    }

    static void deliverMove(QWidget* window, QPoint global)
    {
        QTest::lastMouseTimestamp += 1;
        qt_handleMouseEvent(window->windowHandle(), local(window, global), global, Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, QTest::lastMouseTimestamp);
        QCoreApplication::processEvents();
    }

    static QPoint local(const QWidget* window, QPoint global) { return global - window->geometry().topLeft(); }

    // The key a character's own key would carry: letters and digits have one, others none.
    static Qt::Key keyOf(QChar c)
    {
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            return Qt::Key(c.toUpper().unicode());
        if (c == u' ')
            return Qt::Key_Space;
        return Qt::Key_unknown;
    }

    void toFront(QWidget* window)
    {
        m_stack.removeIf([window](const QPointer<QWidget>& w) { return !w || w == window; });
        m_stack.prepend(window);
    }

    QList<QPointer<QWidget>> m_stack;
    QPoint m_pointer{-1, -1};
    QPointer<QWidget> m_inside; // the window whose client area has the pointer, as told
    bool m_grabEnded = false;
};
