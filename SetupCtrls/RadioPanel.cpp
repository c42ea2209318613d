#include "RadioPanel.h"

#include "Jumpers.h"
#include "toolkit/Anchors.h"
#include "toolkit/Application.h"
#include "toolkit/Component.h"

#include <QApplication>
#include <QPainter>

using namespace Setup;

TRadioPanel::TRadioPanel(QWidget* parent) : QWidget(parent)
{
    // Panels wait hidden on the main window until their popup shows them.
    setVisible(false);
    resize(194, 100);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

// Destroying the controls moves the focus away from them after this object is no panel any
// more; the connection would only end with the QObject, later.
TRadioPanel::~TRadioPanel() { disconnect(m_focusWatch); }

void TRadioPanel::setFinalAnchors(TAnchors value)
{
    if (FInPopup)
        setAnchors(this, value);
    FFinalAnchors = value;
}

void TRadioPanel::setColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TRadioPanel::setBevelOuter(TBevelCut value)
{
    if (value == FBevelOuter)
        return;
    FBevelOuter = value;
    update();
}

void TRadioPanel::placedInPopup(QPlainTextEdit* statusMemo)
{
    setAnchors(this, FFinalAnchors);
    FInPopup = true;
    FStatusMemo = statusMemo;
}

void TRadioPanel::ApplyRadioRule(TTwoJumper* clicked)
{
    bool changed = false;
    const QObjectList kids = children();
    for (QObject* child : kids) {
        if (!isExactly(child, "TTwoJumper"))
            continue;
        auto* jumper = static_cast<TTwoJumper*>(child);
        const bool closed = jumper == clicked;
        changed = changed || jumper->closed() != closed;
        jumper->setClosed(closed);
    }
    if (changed)
        FOnRadioChange(clicked);
}

void TRadioPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(toQRgb(FColor)));
    if (FBevelOuter != bvRaised && FBevelOuter != bvLowered)
        return;
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const QRect r = rect();
    painter.setPen(FBevelOuter == bvRaised ? light : dark);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(FBevelOuter == bvRaised ? dark : light);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void TRadioPanel::changeEvent(QEvent* event)
{
    // In a new window the focus has not yet been inside the panel.
    if (event->type() == QEvent::ParentChange)
        m_focusInside = false;
    QWidget::changeEvent(event);
}

// Entry is tracked per window, as a form tracks its active control: switching to another
// window and back is no new entry.
void TRadioPanel::focusChanged(QWidget* now)
{
    if (!now || now->window() != window())
        return;
    const bool inside = isAncestorOf(now); // the panel itself included
    const bool entered = inside && !m_focusInside;
    m_focusInside = inside;
    if (entered)
        runGuarded([this] { FOnEnter(this); });
}
