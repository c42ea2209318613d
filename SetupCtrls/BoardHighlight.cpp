#include "BoardHighlight.h"

#include "Accessibility.h"
#include "BoardImage.h"
#include "DevicePixels.h"
#include "PopupForm.h"
#include "RadioPanel.h"
#include "RingRender.h"
#include "toolkit/Component.h"
#include "toolkit/Screen.h"

#include <QMouseEvent>
#include <QPainter>

using namespace Setup;

namespace {

bool isLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isIdentStart(QChar c) { return isLetter(c) || c == u'_'; }
bool isIdentChar(QChar c) { return isIdentStart(c) || isDigit(c); }

// The title reduced to a component-name prefix: leading characters go until one can start
// an identifier, then every character that cannot continue one.
QString toIdentifier(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && !isIdentStart(text[start]))
        ++start;
    QString result;
    for (qsizetype i = start; i < text.size(); ++i)
        if (i == start || isIdentChar(text[i]))
            result += text[i];
    return result;
}

} // namespace

TBoardHighlight::TBoardHighlight(QWidget* parent) : QWidget(parent)
{
    installSetupAccessibility();
    resize(65, 65);
    // The stored type starts at htOptions, so this call installs the htSettings colours.
    setHighlightType(htSettings);
}

// The popup goes first, while this highlight is whole: hiding an active window sends
// notices, and they must not reach a half-destroyed highlight.
TBoardHighlight::~TBoardHighlight()
{
    if (FPopup) {
        FPopup->detach();
        delete FPopup;
    }
}

void TBoardHighlight::setHighlightType(THighlightType value)
{
    if (value == FHighlightType)
        return;
    FHighlightType = value;
    switch (value) {
    case htOptions: FRingColor = 0xFF0000; FIdleStrength = 0.25f; FLitStrength = 0.5f; FActiveStrength = 1.0f; break;
    case htSettings: FRingColor = 0x00FFFF; FIdleStrength = 0.5f; FLitStrength = 0.75f; FActiveStrength = 1.0f; break;
    case htCalibration: FRingColor = 0x0000FF; FIdleStrength = 0.5f; FLitStrength = 0.75f; FActiveStrength = 1.0f; break;
    }
    update();
}

void TBoardHighlight::setTitle(const QString& value)
{
    if (value == FTitle)
        return;
    FTitle = value;
    FPopupCaption = QString(value).remove(u'&');
    FMenuName = toIdentifier(value);
}

TRadioPanel* TBoardHighlight::RadioPanel() const { return FRadioPanel; }

void TBoardHighlight::setRadioPanel(TRadioPanel* value)
{
    if (value == FRadioPanel)
        return;
    if (value && parentWidget()) {
        // Only linked highlights may share a panel.
        for (QObject* child : parentWidget()->children()) {
            auto* other = qobject_cast<TBoardHighlight*>(child);
            if (isExactly(other, "TBoardHighlight") && other != this && other->FRadioPanel == value
                && (other->FTitle != FTitle || other->FHighlightType != FHighlightType))
                return;
        }
    }
    FRadioPanel = value;
}

bool TBoardHighlight::parentIsBoard() const { return isExactly(parentWidget(), "TBoardImage"); }

bool TBoardHighlight::isLinkedWith(const TBoardHighlight* other) const
{
    return isExactly(other, "TBoardHighlight") && other->FTitle == FTitle && other->FHighlightType == FHighlightType;
}

QList<TBoardHighlight*> TBoardHighlight::linkedHighlights() const
{
    QList<TBoardHighlight*> linked;
    if (!parentIsBoard())
        return linked;
    for (QObject* child : parentWidget()->children())
        if (auto* h = qobject_cast<TBoardHighlight*>(child); h && isLinkedWith(h))
            linked.append(h);
    return linked;
}

// Walks the linked highlights (none unless the parent is a board picture) as they stand
// when the walk starts. Handlers run inside the
// walk can reorder the parent's children (activation raises rings); a fixed list visits
// every linked ring exactly once whatever happens to the order.
void TBoardHighlight::forEachLinked(const std::function<void(TBoardHighlight*)>& step) const
{
    const QList<TBoardHighlight*> linked = linkedHighlights();
    const QList<QPointer<TBoardHighlight>> guarded(linked.begin(), linked.end());
    for (const QPointer<TBoardHighlight>& h : guarded)
        if (h)
            step(h.data());
}

const QImage& TBoardHighlight::currentImage() const
{
    if (FLit && FPopupActive)
        return FActiveImage;
    return FLit || FPopupActive ? FLitImage : FIdleImage;
}

// In the pixels of the ring's screen: at a device pixel ratio above 1 the photograph beneath
// is painted at that resolution, so the ring rendered into it stays sharp.
QImage TBoardHighlight::pixelsBeneath() const
{
    const qreal dpr = devicePixelRatio();
    QImage image(atDevicePixels(size(), dpr), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::black);
    QWidget* parent = parentWidget();
    if (!parent)
        return image;
    {
        QPainter painter(&image);
        painter.translate(-pos());
        if (auto* board = qobject_cast<TBoardImage*>(parent))
            board->paintPictureInto(painter, geometry());
        else
            parent->render(&painter, pos(), QRegion(geometry()), QWidget::DrawWindowBackground);
        // Rings drawn before this one show through where they overlap it.
        for (QObject* child : parent->children()) {
            if (child == this)
                break;
            auto* sibling = qobject_cast<TBoardHighlight*>(child);
            if (sibling && sibling->isVisibleTo(parent) && sibling->FPrepared && sibling->geometry().intersects(geometry()))
                painter.drawImage(sibling->pos(), sibling->currentImage());
        }
    }
    return image;
}

void TBoardHighlight::RenderImages()
{
    const QImage background = pixelsBeneath();
    FIdleImage = background;
    RenderRing(FIdleImage, FRingColor, FIdleStrength, false);
    FActiveImage = background;
    RenderRing(FActiveImage, FRingColor, FActiveStrength, true);
    FLitImage = background;
    RenderRing(FLitImage, FRingColor, FLitStrength, false);
}

void TBoardHighlight::paintEvent(QPaintEvent*)
{
    if (!FPrepared) {
        RenderImages();
        if (auto* board = parentIsBoard() ? qobject_cast<TBoardImage*>(parentWidget()) : nullptr) {
            FMenu = board->Menu();
            RegisterMenuItem();
        } else {
            FMenu = nullptr;
        }
        FPrepared = true;
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, currentImage());
}

void TBoardHighlight::enterEvent(QEnterEvent*) { CMMouseEnter(0); }

void TBoardHighlight::leaveEvent(QEvent*) { CMMouseLeave(0); }

void TBoardHighlight::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FPressed = true;
}

void TBoardHighlight::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !FPressed)
        return;
    FPressed = false;
    if (rect().contains(event->position().toPoint()))
        Click();
}

// A double click is one click step: the press that opens it counted, the release after it does not.
void TBoardHighlight::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FPressed = false;
}

void TBoardHighlight::CMMouseEnter(int wParam)
{
    if (FLit)
        return;
    FLit = true;
    update();
    if (FCreatePopup)
        OpenPopup();
    if (wParam == 1)
        return;
    forEachLinked([](TBoardHighlight* h) { h->CMMouseEnter(1); });
}

void TBoardHighlight::CMMouseLeave(int wParam)
{
    if (!FLit)
        return;
    if (FPopup && !FPopupHeld) {
        // The pointer went from the ring into the popup: keep it until the pointer leaves it.
        if (FPopup->frameGeometry().contains(Screen::cursorPos())) {
            FPopup->setCloseOnLeave(true);
            HoldPopup();
        } else {
            FPopup->close();
        }
    } else if (!FPopup && !FCreatePopup) {
        // Only a popup's close un-lights a ring; a ring that opens none goes dark here.
        Unlight();
    }
    if (wParam == 1)
        return;
    forEachLinked([](TBoardHighlight* h) { h->CMMouseLeave(1); });
}

// A click can reach a dark ring without the pointer's arrival being told: the press that
// closes a drop-down list is passed on to the ring beneath, and a popup closed from the
// keyboard leaves the pointer on its ring. The click then lights the ring first, so that it
// holds a shown popup and never marks a hidden one held.
void TBoardHighlight::Click()
{
    FOnClick(this);
    if (!FLit)
        CMMouseEnter(0);
    HoldPopup();
}

void TBoardHighlight::HoldPopup()
{
    if (FPopup) {
        FPopupHeld = true;
        SetMenuCheck(true);
    }
    forEachLinked([](TBoardHighlight* h) { h->HoldAndFocusPopup(); });
}

void TBoardHighlight::HoldAndFocusPopup()
{
    if (!FPopup)
        return;
    FPopupHeld = true;
    SetMenuCheck(true);
    // A hidden window cannot take the focus.
    if (FPopup->isVisible())
        FPopup->activateWindow();
}

void TBoardHighlight::SetPopupActive(bool Value, bool Propagate)
{
    FPopupActive = Value;
    raise();
    update();
    if (!Propagate || !parentIsBoard())
        return;
    QWidget* board = parentWidget();
    // Each linked sibling moves to the end of the live list when raised, so the walk stays
    // at the same index and looks at one child fewer.
    for (qsizetype i = 0, n = board->children().size(); i < n;) {
        auto* h = qobject_cast<TBoardHighlight*>(board->children().at(i));
        if (h && h != this && isLinkedWith(h)) {
            h->SetPopupActive(Value, false);
            --n;
        } else {
            ++i;
        }
    }
}

void TBoardHighlight::Unlight()
{
    FLit = false;
    update();
}
