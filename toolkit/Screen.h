#pragma once
// Cursor position and screen size, each through a seam that tests can replace.

#include <QPoint>
#include <QSize>
#include <functional>

namespace Screen {

QPoint cursorPos();
QSize screenSize();

// Empty providers restore the real values.
void setCursorPosProvider(std::function<QPoint()> provider);
void setScreenSizeProvider(std::function<QSize()> provider);

} // namespace Screen
