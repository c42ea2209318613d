#include "Jumpers.h"

#include "Accessibility.h"
#include "DevicePixels.h"
#include "RadioPanel.h"
#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/Rounding.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <initializer_list>

using namespace Setup;

namespace {

bool isSideways(TOrientationType orientation) { return orientation == otLeft || orientation == otRight; }

TColor outlineOf(const TJumperLook& look, TColor fill) { return look.BorderStyle == bsSingle ? clBlack : fill; }

void startDrawing(TOffscreenImage& image, QSize size, TColor background)
{
    image.setSize(size.width(), size.height());
    image.setPen(background);
    image.setBrush(background);
    image.rectangle(0, 0, size.width(), size.height());
}

// The body: a box one pixel inside the drawing with half-round ends.
void drawBody(TOffscreenImage& image, QSize size, const TJumperLook& look)
{
    const int w = size.width(), h = size.height();
    image.setPen(outlineOf(look, look.BaseColor));
    image.setBrush(look.BaseColor);
    image.roundRect(1, 1, w - 1, h - 1, h / 2, h / 2);
}

void drawPins(TOffscreenImage& image, TColor color, std::initializer_list<int> centres, int cy, int r)
{
    image.setPen(color, TOffscreenImage::psClear);
    image.setBrush(color);
    for (int cx : centres)
        image.ellipse(cx - r, cy - r, cx + r, cy + r);
}

// The parent's colour when it is exactly a radio panel; any other container gives button face.
TColor backgroundOf(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    return isExactly(parent, "TRadioPanel") ? static_cast<const TRadioPanel*>(parent)->color() : clBtnFace;
}

// Stores a new value; true when it differed.
template <typename T>
bool assign(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// A change between the horizontal and the vertical pair swaps the widget's size at the
// next paint; changing back before that paint cancels the swap.
void noteOrientation(TOrientationType& field, TOrientationType value, bool& swapPending)
{
    if (isSideways(field) != isSideways(value))
        swapPending = !swapPending;
    field = value;
}

// The size of the horizontal drawing for the widget, in the pixels of its screen.
QSize deviceDrawingSize(const QWidget& widget, TOrientationType orientation)
{
    return jumperDrawingSize(atDevicePixels(widget.size(), widget.devicePixelRatio()), orientation);
}

// The common end of both paints: turn the drawing, swap the size once the widget has
// been painted before, copy the view to the screen. The drawing was made in the screen's
// pixels; at a device pixel ratio above 1 that keeps pins and edges sharp where a drawing at
// the widget's size would be scaled up.
void showDrawing(QWidget& widget, TOrientationType orientation, const TOffscreenImage& work, TOffscreenImage& view,
                 bool& swapPending, bool& painted)
{
    turnJumperImage(work, orientation, view);
    view.image().setDevicePixelRatio(widget.devicePixelRatio());
    if (swapPending) {
        swapPending = false;
        if (painted)
            widget.resize(widget.height(), widget.width()); // asks for the paint of the new layout
    }
    QPainter painter(&widget);
    const QSize block = atDevicePixels(widget.size(), widget.devicePixelRatio());
    view.copyTo(painter, 0, 0, 0, 0, block.width(), block.height());
    painted = true;
}

// A click is a press and a release of the primary button inside the widget.
bool completesClick(const QWidget& widget, QMouseEvent* event, bool& leftPressed)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const bool armed = leftPressed;
    leftPressed = false;
    return armed && widget.rect().contains(event->position().toPoint());
}

} // namespace

QSize jumperDrawingSize(QSize widgetSize, TOrientationType orientation)
{
    return isSideways(orientation) ? widgetSize.transposed() : widgetSize;
}

void drawTwoJumper(TOffscreenImage& image, QSize size, bool closed, const TJumperLook& look)
{
    const int w = size.width(), h = size.height();
    startDrawing(image, size, look.Background);
    if (closed) {
        image.setPen(outlineOf(look, look.JumperColor));
        image.setBrush(look.JumperColor);
        image.rectangle(0, 0, w, h);
    } else {
        drawBody(image, size, look);
    }
    // halves go to the even neighbour, as the drawings require
    const int a = roundHalfEven(w / 3.5);
    const int p = a + 1;
    const int r = std::min(roundHalfEven(h / 4.0), a / 3);
    drawPins(image, look.PinColor, {p, w - p}, h / 2, r);
}

void drawThreeJumper(TOffscreenImage& image, QSize size, TJumperState state, const TJumperLook& look)
{
    const int w = size.width(), h = size.height();
    startDrawing(image, size, look.Background);
    drawBody(image, size, look);
    const int a = roundHalfEven((w - 2) / 4.5);
    const int p = a + 1;
    const int m = w / 2;
    const int k = (m - p + 2) / 2;
    // The cap keeps its black outline whatever the border style.
    image.setPen(clBlack);
    image.setBrush(look.JumperColor);
    if (state == jsLeft)
        image.rectangle(0, 0, m + k, h);
    else if (state == jsRight)
        image.rectangle(m - k, 0, w, h);
    const int r = std::min(roundHalfEven((h - 2) / 4.0), a / 3);
    drawPins(image, look.PinColor, {p, m, w - p}, h / 2, r);
}

void turnJumperImage(const TOffscreenImage& work, TOrientationType orientation, TOffscreenImage& view)
{
    const int w = work.width(), h = work.height();
    const QSize viewSize = isSideways(orientation) ? QSize(h, w) : QSize(w, h);
    view.setSize(viewSize.width(), viewSize.height());
    for (int y = 0; y < h; ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(work.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QPoint to(x, y);
            switch (orientation) {
            case otUp: break;
            case otDown: to = {w - 1 - x, h - 1 - y}; break;
            case otLeft: to = {y, w - 1 - x}; break;
            case otRight: to = {h - 1 - y, x}; break;
            }
            reinterpret_cast<QRgb*>(view.scanLine(to.y()))[to.x()] = from[x];
        }
    }
}

// ---- TTwoJumper

TTwoJumper::TTwoJumper(QWidget* parent) : QWidget(parent)
{
    installSetupAccessibility();
    resize(34, 18);
}

void TTwoJumper::setClosed(bool value)
{
    if (!assign(FClosed, value))
        return;
    update();
    jumperStateChanged(this);
}

void TTwoJumper::setBaseColor(TColor value)
{
    if (assign(FLook.BaseColor, value))
        update();
}

void TTwoJumper::setPinColor(TColor value)
{
    if (assign(FLook.PinColor, value))
        update();
}

void TTwoJumper::setJumperColor(TColor value)
{
    if (assign(FLook.JumperColor, value))
        update();
}

void TTwoJumper::setBorderStyle(TBorderStyle value)
{
    if (assign(FLook.BorderStyle, value))
        update();
}

void TTwoJumper::setOrientation(TOrientationType value)
{
    if (value == FOrientation)
        return;
    noteOrientation(FOrientation, value, FSwapPending);
    update();
}

void TTwoJumper::Click()
{
    setClosed(!FClosed);
    auto* panel = isExactly(parentWidget(), "TRadioPanel") ? static_cast<TRadioPanel*>(parentWidget()) : nullptr;
    if (panel && panel->radioEnabled())
        panel->ApplyRadioRule(this);
    FOnClick(this);
}

void TTwoJumper::paintEvent(QPaintEvent*)
{
    FLook.Background = backgroundOf(*this);
    drawTwoJumper(FWorkImage, deviceDrawingSize(*this, FOrientation), FClosed, FLook);
    showDrawing(*this, FOrientation, FWorkImage, FViewImage, FSwapPending, FPainted);
}

void TTwoJumper::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
}

// The second press of a double click arrives as this event, which makes no step; the
// default would treat it as a press and arm the release after it.
void TTwoJumper::mouseDoubleClickEvent(QMouseEvent*) {}

void TTwoJumper::mouseReleaseEvent(QMouseEvent* event)
{
    if (completesClick(*this, event, m_leftPressed))
        runGuarded([this] { Click(); });
}

// ---- TThreeJumper

TThreeJumper::TThreeJumper(QWidget* parent) : QWidget(parent)
{
    installSetupAccessibility();
    resize(43, 18);
}

void TThreeJumper::setJumperState(TJumperState value)
{
    if (value == jsOpen && !FAllowOpen)
        return;
    if (!assign(FJumperState, value))
        return;
    update();
    jumperStateChanged(this);
}

void TThreeJumper::setAllowOpen(bool value)
{
    if (!assign(FAllowOpen, value))
        return;
    if (!value && FJumperState == jsOpen)
        setJumperState(jsLeft);
    update();
}

void TThreeJumper::setBaseColor(TColor value)
{
    if (assign(FLook.BaseColor, value))
        update();
}

void TThreeJumper::setPinColor(TColor value)
{
    if (assign(FLook.PinColor, value))
        update();
}

void TThreeJumper::setJumperColor(TColor value)
{
    if (assign(FLook.JumperColor, value))
        update();
}

void TThreeJumper::setBorderStyle(TBorderStyle value)
{
    if (assign(FLook.BorderStyle, value))
        update();
}

void TThreeJumper::setOrientation(TOrientationType value)
{
    if (value == FOrientation)
        return;
    noteOrientation(FOrientation, value, FSwapPending);
    update();
}

void TThreeJumper::Click()
{
    switch (FJumperState) {
    case jsOpen: setJumperState(jsLeft); break;
    case jsLeft: setJumperState(jsRight); break;
    case jsRight: setJumperState(FAllowOpen ? jsOpen : jsLeft); break;
    }
    FOnClick(this);
}

void TThreeJumper::paintEvent(QPaintEvent*)
{
    FLook.Background = backgroundOf(*this);
    drawThreeJumper(FWorkImage, deviceDrawingSize(*this, FOrientation), FJumperState, FLook);
    showDrawing(*this, FOrientation, FWorkImage, FViewImage, FSwapPending, FPainted);
}

void TThreeJumper::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
}

// The second press of a double click makes no step, as on the two-pin jumper.
void TThreeJumper::mouseDoubleClickEvent(QMouseEvent*) {}

void TThreeJumper::mouseReleaseEvent(QMouseEvent* event)
{
    if (completesClick(*this, event, m_leftPressed))
        runGuarded([this] { Click(); });
}
