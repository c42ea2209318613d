#pragma once
// Real pointer and keyboard input through xdotool, and what the window manager says about
// stacking. Each call returns once the X server has the input; the program sees it the next
// time it processes events, so callers wait for the effect with QTRY_* or QTest::qWaitFor.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace RealInput {

inline bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

inline QStringList at(QPoint screen)
{
    // Without --sync, which waits for ever when the pointer is there already; the X server
    // handles this client's requests in order, so a click that follows lands there.
    return {QStringLiteral("mousemove"), QString::number(screen.x()), QString::number(screen.y())};
}

inline bool moveTo(QPoint screen) { return xdotool(at(screen)); }

inline bool clickAt(QPoint screen) { return xdotool(at(screen) << QStringLiteral("click") << QStringLiteral("1")); }

inline QPoint centreOf(const QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); }

inline bool click(const QWidget* widget) { return clickAt(centreOf(widget)); }

// A key by its X name ("Return", "Escape") to the window that has the focus.
inline bool pressKey(const QString& key) { return xdotool({QStringLiteral("key"), key}); }

inline QAction* actionCaptioned(const QList<QAction*>& actions, const QString& caption)
{
    for (QAction* action : actions)
        if (action->text() == caption)
            return action;
    return nullptr;
}

// Opens the menu bar's entry `top` with a click and clicks its item `item`, as a user does.
// Answers false when either is missing or the menu does not open and close.
inline bool chooseMenuItem(QMenuBar* bar, const QString& top, const QString& item)
{
    QAction* entry = actionCaptioned(bar->actions(), top);
    QMenu* menu = entry ? entry->menu() : nullptr;
    if (!menu || !clickAt(bar->mapToGlobal(bar->actionGeometry(entry).center())))
        return false;
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return false;
    QAction* choice = actionCaptioned(menu->actions(), item);
    return choice && clickAt(menu->mapToGlobal(menu->actionGeometry(choice).center()))
           && QTest::qWaitFor([menu] { return !menu->isVisible(); });
}

// The managed windows from bottom to top, as the window manager stacks them.
inline QList<WId> stackingOrder()
{
    QProcess process;
    process.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    if (!process.waitForFinished(10000))
        return {};
    QList<WId> order;
    static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const auto& match : id.globalMatch(QString::fromLatin1(process.readAllStandardOutput())))
        order.append(WId(match.captured().toULongLong(nullptr, 16)));
    return order;
}

// True when the window manager stacks `upper` above `lower`.
inline bool stackedAbove(const QWidget* upper, const QWidget* lower)
{
    const QList<WId> order = stackingOrder();
    const qsizetype u = order.indexOf(upper->winId()), l = order.indexOf(lower->winId());
    return u >= 0 && l >= 0 && u > l;
}

} // namespace RealInput
