#include "PopupForm.h"

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "RadioPanel.h"
#include "toolkit/Anchors.h"
#include "toolkit/Component.h"
#include "toolkit/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>

using namespace Setup;

namespace {

constexpr int kButtonWidth = 58;
constexpr int kButtonHeight = 25;
constexpr int kStatusHeight = 19;
constexpr int kDefaultMemoHeight = 58;
// Panel height + memo + this = client height: gap, memo gap, buttons and status bar.
constexpr int kBelowPanel = 51;
constexpr QSize kNoPanelOuter(194, 141);
constexpr QSize kMinimumOuter(194, 122);

// Measured from the first popup the window system has framed; zero until then.
QMargins g_frame;

QSize frameExtra(QMargins m) { return QSize(m.left() + m.right(), m.top() + m.bottom()); }

// While a window manager reparents a window into its frame, the window system can report
// the frame with negative sides; such a frame is not the real one and must not size a window.
bool isRealFrame(QMargins m)
{
    return !m.isNull() && m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0;
}

// Menus, drop-down lists and tooltips are windows too, but not windows of the program.
bool isFormWindow(const QWidget* w)
{
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop;
}

// Keeps one axis of a window on the screen: the near edge first, else the far edge.
int keepOnScreen(int pos, int extent, int screenExtent)
{
    if (pos < 0)
        return 0;
    if (pos + extent > screenExtent)
        return screenExtent - extent;
    return pos;
}

// Where a popup opens: the panel's layout place, moved as far as centring has moved the
// board picture; without a panel, 38 pixels under the picture. Worked out in the main
// window's client coordinates and used as a screen position as it is.
QPoint popupPlace(const QWidget* holder, const TRadioPanel* panel, QPoint panelPlace)
{
    if (!holder)
        return {};
    QPoint shift;
    if (isExactly(holder, "TBoardImage")) {
        const auto* board = static_cast<const TBoardImage*>(holder);
        shift = QPoint(board->designLeft(), board->designTop()) - panelPlace;
    }
    if (!panel)
        shift = QPoint(0, -(holder->height() + 38));
    return holder->pos() - shift;
}

} // namespace

TPopupForm::TPopupForm(TBoardHighlight* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), FHighlight(owner)
{
    // Closing only hides the window; it is reused and never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    watchLeaves(this);
}

// Until a popup has been shown, the frame comes from a probe window: some window systems
// report it as soon as a window exists, others only once it is mapped.
QMargins TPopupForm::frameMargins()
{
    static bool probed = false;
    if (g_frame.isNull() && !probed) {
        probed = true;
        QWidget probe(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
        probe.winId();
        if (const QMargins m = probe.windowHandle()->frameMargins(); isRealFrame(m))
            g_frame = m;
    }
    return g_frame;
}

// The window's own frame once the window system has told it, else the last one measured.
QMargins TPopupForm::frame() const
{
    const QWindow* window = windowHandle();
    const QMargins own = window ? window->frameMargins() : QMargins();
    return isRealFrame(own) ? own : frameMargins();
}

void TPopupForm::measureFrame()
{
    const QWindow* window = windowHandle();
    if (!window || !isVisible())
        return;
    const QMargins m = window->frameMargins();
    if (!isRealFrame(m))
        return;
    g_frame = m;
    if (m_settled)
        return;
    m_settled = true;
    if (m != m_frameUsed)
        settleAgain();
}

// The first shown popup may have been sized before its frame was known.
void TPopupForm::settleAgain()
{
    setMinimumSize(0, 0);
    if (m_wantedIsOuter)
        setOuterSize(m_wantedSize);
    else
        setClientSize(m_wantedSize);
    applyMinimumOuterSize(m_minimumOuter);
    placeOnScreen(m_place);
}

QSize TPopupForm::outerSize() const { return size() + frameExtra(frame()); }

void TPopupForm::setClientSize(QSize client)
{
    m_wantedSize = client;
    m_wantedIsOuter = false;
    resize(client);
}

void TPopupForm::setOuterSize(QSize outer)
{
    m_wantedSize = outer;
    m_wantedIsOuter = true;
    m_frameUsed = frame();
    resize(outer - frameExtra(m_frameUsed));
}

void TPopupForm::applyMinimumOuterSize(QSize minimum)
{
    m_minimumOuter = minimum;
    m_frameUsed = frame();
    const QSize client = outerSize().expandedTo(minimum) - frameExtra(m_frameUsed);
    resize(client);
    setMinimumSize(client);
}

void TPopupForm::placeOnScreen(QPoint place)
{
    m_place = place;
    const QSize outer = outerSize();
    const QSize screen = Screen::screenSize();
    move(keepOnScreen(place.x(), outer.width(), screen.width()),
         keepOnScreen(place.y(), outer.height(), screen.height()));
}

void TPopupForm::takePanel(TRadioPanel* panel)
{
    setOnActivate(panel->onActivate());
    setOnDeactivate(panel->onDeactivate());
    setClientSize(QSize(panel->width(), panel->height() + panel->memoHeight() + kBelowPanel));
    panel->setParent(this);
    panel->move(0, 0);
    panel->show();
    panel->placedInPopup();
}

QPlainTextEdit* TPopupForm::addControls(int memoHeight)
{
    const int cw = width();
    const int ch = height();
    const int buttonTop = ch - 44;

    FPopupStatus = new QStatusBar(this);
    FPopupStatus->setObjectName("PopupStatus");
    FPopupStatus->setAccessibleName("Status");
    FPopupStatus->setGeometry(0, ch - kStatusHeight, cw, kStatusHeight);
    setAnchors(FPopupStatus, akLeft | akRight | akBottom);

    TBoardHighlight* h = FHighlight;
    auto addButton = [&](const char* name, const QString& caption, int left, TAnchors anchors,
                         void (TBoardHighlight::*handler)(QObject*)) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(left, buttonTop, kButtonWidth, kButtonHeight);
        setAnchors(button, anchors);
        connect(button, &QPushButton::clicked, h, [h, button, handler] { (h->*handler)(button); });
        return button;
    };
    addButton("PreviousButton", "Previous", 6, akLeft | akBottom, &TBoardHighlight::PreviousButtonClick);
    addButton("NextButton", "Next", (cw - kButtonWidth) / 2, akBottom, &TBoardHighlight::NextButtonClick);
    FDoneButton = addButton("DoneButton", "Done", cw - 64, akRight | akBottom, &TBoardHighlight::DoneButtonClick);

    FStatusMemo = new QPlainTextEdit(this);
    FStatusMemo->setObjectName("StatusMemo");
    FStatusMemo->setAccessibleName("Description");
    FStatusMemo->setReadOnly(true);
    FStatusMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FStatusMemo->setGeometry(6, buttonTop - 6 - memoHeight, cw - 12, memoHeight);
    setAnchors(FStatusMemo, akLeft | akTop | akRight | akBottom);
    return FStatusMemo;
}

bool TPopupForm::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (FHighlight)
            FHighlight->SetPopupActive(true, true);
        FOnActivate(this);
        break;
    case QEvent::WindowDeactivate:
        if (FHighlight)
            FHighlight->SetPopupActive(false, true);
        FOnDeactivate(this);
        break;
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        measureFrame();
        break;
    case QEvent::Hide:
        listenElsewhere(false);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TPopupForm::closeEvent(QCloseEvent* event)
{
    if (FHighlight)
        FHighlight->PopupClose();
    event->accept();
}

// The pointer may leave through any control inside the window; each one's leave notice
// counts, and the window closes only once the pointer is outside it altogether. Of a list or
// menu that a control opens in a window of its own, only its showing counts.
void TPopupForm::watchLeaves(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return;
    widget->installEventFilter(this);
    if (widget != this && widget->isWindow())
        return;
    for (QObject* child : widget->children())
        watchLeaves(child);
}

bool TPopupForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ChildAdded && type != QEvent::Leave && type != QEvent::Enter && type != QEvent::Show)
        return QObject::eventFilter(watched, event);
    // While listening elsewhere this sees every object's events, not only its own.
    const auto* widget = qobject_cast<QWidget*>(watched);
    const bool own = widget && (widget == this || isAncestorOf(widget));
    if (type == QEvent::ChildAdded && own)
        watchLeaves(static_cast<QChildEvent*>(event)->child());
    else if (type == QEvent::Leave && own)
        pointerLeft();
    else if (type == QEvent::Enter && widget && m_listeningElsewhere)
        pointerEntered(own);
    else if (type == QEvent::Show && widget && widget != this && widget->isWindow() && isAncestorOf(widget->parentWidget()))
        listenElsewhere(FCloseOnLeave); // a list or menu of its own takes the pointer
    return QObject::eventFilter(watched, event);
}

void TPopupForm::setCloseOnLeave(bool value)
{
    FCloseOnLeave = value;
    // The pointer came from the ring and may rest on the frame, which tells the window nothing.
    listenElsewhere(value);
}

// A window is told when the pointer leaves its controls, not when it leaves its frame, nor
// when it leaves from a drop-down list or menu that held it, nor from a window lying over
// this one. When the pointer left a control but is still inside the window's rectangle, the
// window therefore listens for the pointer coming to any other window, and tests again then.
void TPopupForm::pointerLeft()
{
    if (!FCloseOnLeave || !isVisible())
        return;
    if (frameGeometry().contains(Screen::cursorPos()))
        listenElsewhere(true);
    else
        close();
}

void TPopupForm::pointerEntered(bool ownControl)
{
    if (QApplication::activePopupWidget())
        return; // a drop-down list or menu holds the pointer; its closing tells where it is
    if (ownControl)
        listenElsewhere(false); // its controls tell when the pointer leaves again
    else
        pointerLeft();
}

void TPopupForm::listenElsewhere(bool on)
{
    if (on == m_listeningElsewhere)
        return;
    m_listeningElsewhere = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

// --- The highlight's side of its popup ---------------------------------------------------

void TBoardHighlight::OpenPopup()
{
    if (FPopup) {
        if (FPopup->isHidden())
            FPopupHeld = false;
        FPopup->show();
        FPopup->activateWindow();
        return;
    }
    // A linked highlight may already have built the window for this area, shown or hidden.
    const int tag = int(FHighlightType);
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (isFormWindow(window) && window->windowTitle() == FPopupCaption && tagOf(window) == tag)
            return;

    FPopup = new TPopupForm(this);
    FPopupHeld = false;

    TRadioPanel* panel = FRadioPanel;
    const int memoHeight = panel ? panel->memoHeight() : kDefaultMemoHeight;
    const QPoint panelPlace = panel ? panel->pos() : QPoint();
    if (panel)
        FPopup->takePanel(panel);
    else
        FPopup->setOuterSize(kNoPanelOuter);
    FPopup->setWindowTitle(FPopupCaption);
    FPopup->applyMinimumOuterSize(kMinimumOuter);
    setTag(FPopup, tag);
    const QPoint place = popupPlace(parentWidget(), panel, panelPlace);

    QPlainTextEdit* memo = FPopup->addControls(memoHeight);
    if (panel) {
        memo->setPlainText(panel->lines().join(u'\n'));
        panel->setStatusMemo(memo);
    }

    FPopup->placeOnScreen(place);
    FPopup->show();
    FPopup->activateWindow();
    if (panel)
        panel->setFocus();
    else
        FPopup->doneButton()->setFocus();
}

void TBoardHighlight::PopupClose()
{
    SetMenuCheck(false);
    if (FPopup)
        FPopup->setCloseOnLeave(false);
    Unlight();
    forEachLinked([](TBoardHighlight* h) { h->Unlight(); });
}

void TBoardHighlight::DoneButtonClick(QObject*)
{
    if (FPopup)
        FPopup->close();
}
