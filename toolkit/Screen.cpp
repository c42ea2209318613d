#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace Screen {
namespace {

std::function<QPoint()>& cursorProvider()
{
    static std::function<QPoint()> provider;
    return provider;
}

std::function<QSize()>& sizeProvider()
{
    static std::function<QSize()> provider;
    return provider;
}

} // namespace

QPoint cursorPos() { return cursorProvider() ? cursorProvider()() : QCursor::pos(); }

QSize screenSize()
{
    if (sizeProvider())
        return sizeProvider()();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(800, 600);
}

void setCursorPosProvider(std::function<QPoint()> provider) { cursorProvider() = std::move(provider); }
void setScreenSizeProvider(std::function<QSize()> provider) { sizeProvider() = std::move(provider); }

} // namespace Screen
