#include "BoardImage.h"

#include "BoardHighlight.h"
#include "DevicePixels.h"
#include "toolkit/Jpeg.h"
#include "toolkit/Menu.h"

#include <QCoreApplication>
#include <QFile>
#include <QMainWindow>
#include <QPainter>

#include <stdexcept>

namespace {

// The outer size of what holds the control: a window's includes its frame and caption, and
// a main window's client area counts as the main window itself (frame, caption, menu bar).
QSize holderOuterSize(const QWidget* holder)
{
    if (holder->isWindow())
        return holder->frameGeometry().size();
    const auto* main = qobject_cast<const QMainWindow*>(holder->parentWidget());
    if (main && main->centralWidget() == holder)
        return main->frameGeometry().size();
    return holder->size();
}

} // namespace

qintptr sendWindowMessage(QObject* target, int msg, quintptr wParam, qintptr lParam)
{
    TWindowMessage message(msg, wParam, lParam);
    QCoreApplication::sendEvent(target, &message);
    return message.Result;
}

QPoint centredPosition(QSize outer, QSize own)
{
    return {(outer.width() - own.width()) / 2, (outer.height() - own.height()) / 2};
}

TBoardImage::TBoardImage(QWidget* parent) : QWidget(parent)
{
    resize(105, 105);
    FAspect = 1.0;
    FAutoSize = true;
    FScale = true;
    FCenterOnForm = true;
    if (parent)
        parent->installEventFilter(this);
}

void TBoardImage::setFirst(TBoardHighlight* value) { FFirst = value; }

void TBoardImage::setMenu(TMainMenu* value) { FMenu = value; }

void TBoardImage::setPictureSource(const QString& name)
{
    if (name.isEmpty()) {
        setPicture(QImage());
        FPictureSource.clear();
        return;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Cannot read the picture %1: %2").arg(name, file.errorString()).toStdString());
    // Decoded before anything changes, so a refused file leaves the old picture in place.
    setPicture(Jpeg::decode(file.readAll()));
    FPictureSource = name;
}

void TBoardImage::setPicture(const QImage& image)
{
    FPicture = image;
    FScaledCache = QImage();
    RefreshPicture();
}

void TBoardImage::setStretch(bool value)
{
    if (FStretch == value)
        return;
    FStretch = value;
    RefreshPicture();
}

void TBoardImage::setCenter(bool value)
{
    if (FCenter == value)
        return;
    FCenter = value;
    RefreshPicture();
}

void TBoardImage::setTransparent(bool value)
{
    if (FTransparent == value)
        return;
    FTransparent = value;
    RefreshPicture();
}

void TBoardImage::setScale(bool value)
{
    if (FScale == value)
        return;
    FScale = value;
    RefreshPicture();
}

void TBoardImage::setAutoSize(bool value)
{
    if (FAutoSize == value)
        return;
    FAutoSize = value;
    if (FAutoSize)
        applyAutoSize();
}

QRect TBoardImage::PictureBounds() const
{
    const int pw = FPicture.width(), ph = FPicture.height();
    if (FStretch)
        return rect();
    if (FCenter)
        return QRect((width() - pw) / 2, (height() - ph) / 2, pw, ph);
    return QRect(0, 0, pw, ph);
}

void TBoardImage::RefreshPicture()
{
    const int pw = FPicture.width(), ph = FPicture.height();
    const bool sized = pw > 0 && ph > 0;
    if (sized)
        FAspect = double(static_cast<long double>(ph) / pw);
    if (FAutoSize && sized)
        resize(pw, ph); // bounded by the size constraints
    // A JPEG photograph covers every pixel of its rectangle; a transparent one is never
    // taken as covering the control.
    const bool covers = !FPicture.isNull() && !FTransparent
                        && (FStretch || (pw >= width() && ph >= height()));
    setAttribute(Qt::WA_OpaquePaintEvent, covers);
    update();
}

bool TBoardImage::CanAutoSize(int& newWidth, int& newHeight) const
{
    // Without a picture there is no size to take; collapsing to nothing would hide the control.
    if (FPicture.width() <= 0 || FPicture.height() <= 0)
        return true;
    newWidth = FPicture.width();
    newHeight = FPicture.height();
    return true;
}

void TBoardImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FAutoSize)
        applyAutoSize();
}

// Holds the control at the size CanAutoSize asks for, within the size constraints.
void TBoardImage::applyAutoSize()
{
    int w = width(), h = height();
    CanAutoSize(w, h);
    const QSize wanted = QSize(w, h).boundedTo(maximumSize()).expandedTo(minimumSize());
    if (wanted != size())
        resize(wanted);
}

void TBoardImage::centreInHolder()
{
    const QWidget* holder = parentWidget();
    if (!holder)
        return;
    const QPoint place = centredPosition(holderOuterSize(holder), size());
    if (place == pos())
        return;
    move(place);
    // A move made while the window is being painted does not reach the screen by itself:
    // ask for the paint at the new place once this one is over.
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

// The photograph is scaled once, straight to the pixels it covers on the device painted on:
// at a device pixel ratio of 2 a 400 x 399 picture takes 800 x 798 pixels of the photograph's
// detail instead of a 400 x 399 copy scaled up again.
void TBoardImage::drawPicture(QPainter& painter) const
{
    const QRect bounds = PictureBounds();
    if (FPicture.isNull() || bounds.isEmpty())
        return;
    const qreal dpr = painter.device()->devicePixelRatio();
    const QSize pixels = atDevicePixels(bounds.size(), dpr);
    if (pixels == FPicture.size() && dpr == 1) {
        painter.drawImage(bounds.topLeft(), FPicture);
        return;
    }
    if (FScaledCache.size() != pixels || FScaledCache.devicePixelRatio() != dpr) {
        FScaledCache = FPicture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        FScaledCache.setDevicePixelRatio(dpr);
    }
    painter.drawImage(QRectF(bounds), FScaledCache);
}

void TBoardImage::paintPictureInto(QPainter& painter, const QRect& area) const
{
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    drawPicture(painter);
    painter.restore();
}

// The place the layout gave, kept before the control is first moved to the centre.
void TBoardImage::recordDesignPlace()
{
    if (FDesignRecorded)
        return;
    FDesignLeft = x();
    FDesignTop = y();
    FDesignRecorded = true;
}

void TBoardImage::paintEvent(QPaintEvent*)
{
    recordDesignPlace();
    if (FCenterOnForm)
        centreInHolder();
    QPainter painter(this);
    drawPicture(painter);
}

bool TBoardImage::event(QEvent* event)
{
    // Follows the holder's size as it changes, so the first frame of a newly shown or
    // resized window already has the picture in the middle; the paint-time centring then
    // finds nothing to do.
    if (event->type() == QEvent::ParentAboutToChange && parentWidget())
        parentWidget()->removeEventFilter(this);
    if (event->type() == QEvent::ParentChange && parentWidget())
        parentWidget()->installEventFilter(this);
    if (event->type() == TWindowMessage::typeOf(WM_STARTTOUR)) {
        if (auto* message = dynamic_cast<TWindowMessage*>(event)) {
            startTour(*message);
            return true;
        }
    }
    return QWidget::event(event);
}

bool TBoardImage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && FCenterOnForm) {
        recordDesignPlace();
        centreInHolder();
    }
    return QWidget::eventFilter(watched, event);
}

// Opens the First ring's popup and holds it, as a pointer entering, clicking and leaving
// the ring would. The message's result stays 0.
void TBoardImage::startTour(TWindowMessage& message)
{
    const int wParam = int(message.WParam);
    if (FFirst)
        FFirst->CMMouseEnter(wParam);
    if (FFirst)
        FFirst->Click();
    if (FFirst)
        FFirst->CMMouseLeave(wParam);
}
