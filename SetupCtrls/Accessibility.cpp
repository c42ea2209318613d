#include "Accessibility.h"

#include "BoardHighlight.h"
#include "JumperCaptions.h"
#include "Jumpers.h"
#include "RadioPanel.h"
#include "toolkit/Application.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>

using namespace Setup;

namespace {

bool isJumper(const QObject* object)
{
    return qobject_cast<const TTwoJumper*>(object) || qobject_cast<const TThreeJumper*>(object);
}

// The title of a ring whose popup shows the panel: the field that the panel's jumpers set.
// The rings live in the same window tree as the panel, wherever the panel sits now.
QString fieldOf(const QWidget* panel)
{
    const QWidget* root = panel;
    while (root->parentWidget())
        root = root->parentWidget();
    for (const TBoardHighlight* ring : root->findChildren<TBoardHighlight*>())
        if (ring->RadioPanel() == panel)
            return ring->popupCaption();
    return {};
}

QString captionOf(const QWidget* jumper, const QWidget* panel)
{
    QList<TPanelItem> jumpers, captions;
    qsizetype self = -1;
    for (const QObject* child : panel->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w)
            continue;
        if (isJumper(w)) {
            if (w == jumper)
                self = jumpers.size();
            jumpers.append({w->objectName(), {}, w->geometry()});
        } else if (w->isHidden()) {
            continue;
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            captions.append({w->objectName(), label->text(), w->geometry()});
        } else if (const auto* check = qobject_cast<const QCheckBox*>(w)) {
            captions.append({w->objectName(), check->text(), w->geometry()});
        }
    }
    return jumperCaptions(jumpers, captions).value(self);
}

QString twoPinState(bool closed) { return closed ? QStringLiteral("closed") : QStringLiteral("open"); }

QString threePinState(TJumperState state)
{
    switch (state) {
    case jsOpen: break;
    case jsLeft: return QStringLiteral("left");
    case jsRight: return QStringLiteral("right");
    }
    return QStringLiteral("open");
}

// Both kinds: the name and a press that makes one click step, as a mouse click would.
class JumperAccessible : public QAccessibleWidget
{
public:
    JumperAccessible(QWidget* jumper, QAccessible::Role role) : QAccessibleWidget(jumper, role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return name();
        if (t == QAccessible::Value)
            return stateText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // A disabled jumper takes no clicks.
        if (widget()->isEnabled())
            runGuarded([this] { click(); });
    }

protected:
    virtual QString stateText() const = 0;
    virtual void click() = 0;

private:
    QString name() const
    {
        const QWidget* jumper = widget();
        if (!jumper->accessibleName().isEmpty())
            return jumper->accessibleName();
        const QWidget* panel = jumper->parentWidget();
        return panel ? jumperName(fieldOf(panel), captionOf(jumper, panel)) : QString();
    }
};

class TwoJumperAccessible : public JumperAccessible
{
public:
    explicit TwoJumperAccessible(TTwoJumper* jumper) : JumperAccessible(jumper, QAccessible::CheckBox) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = JumperAccessible::state();
        s.checkable = true;
        s.checked = jumper()->closed();
        return s;
    }

protected:
    QString stateText() const override { return twoPinState(jumper()->closed()); }
    void click() override { jumper()->Click(); }

private:
    TTwoJumper* jumper() const { return static_cast<TTwoJumper*>(widget()); }
};

class ThreeJumperAccessible : public JumperAccessible
{
public:
    explicit ThreeJumperAccessible(TThreeJumper* jumper) : JumperAccessible(jumper, QAccessible::Button) {}

protected:
    QString stateText() const override { return threePinState(jumper()->jumperState()); }
    void click() override { jumper()->Click(); }

private:
    TThreeJumper* jumper() const { return static_cast<TThreeJumper*>(widget()); }
};

QString kindOf(THighlightType type)
{
    switch (type) {
    case htOptions: return QStringLiteral("information");
    case htSettings: return QStringLiteral("settings");
    case htCalibration: return QStringLiteral("calibration");
    }
    return {};
}

class HighlightAccessible : public QAccessibleWidget
{
public:
    explicit HighlightAccessible(TBoardHighlight* ring) : QAccessibleWidget(ring, QAccessible::Button) {}

    // A name or description given to the ring itself comes first.
    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty())
            return own;
        if (t == QAccessible::Name)
            return ring()->popupCaption();
        if (t == QAccessible::Description)
            return kindOf(ring()->HighlightType());
        return own;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    // Pressing the ring is a pointer entering it, clicking it and leaving it: the popup opens
    // and stays.
    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!widget()->isEnabled())
            return;
        QPointer<TBoardHighlight> ring = this->ring();
        runGuarded([&ring] {
            ring->CMMouseEnter(0);
            if (ring)
                ring->Click();
            if (ring)
                ring->CMMouseLeave(0);
        });
    }

private:
    TBoardHighlight* ring() const { return static_cast<TBoardHighlight*>(widget()); }
};

// Asked for each class of an object's ancestry, most derived first.
QAccessibleInterface* setupControlsFactory(const QString& className, QObject* object)
{
    if (className == u"TTwoJumper")
        return new TwoJumperAccessible(static_cast<TTwoJumper*>(object));
    if (className == u"TThreeJumper")
        return new ThreeJumperAccessible(static_cast<TThreeJumper*>(object));
    if (className == u"TBoardHighlight")
        return new HighlightAccessible(static_cast<TBoardHighlight*>(object));
    return nullptr;
}

} // namespace

void installSetupAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(setupControlsFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void jumperStateChanged(QWidget* jumper)
{
    if (auto* two = qobject_cast<TTwoJumper*>(jumper)) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(two, changed);
        QAccessible::updateAccessibility(&event);
    } else if (auto* three = qobject_cast<TThreeJumper*>(jumper)) {
        QAccessibleValueChangeEvent event(three, threePinState(three->jumperState()));
        QAccessible::updateAccessibility(&event);
    }
}
