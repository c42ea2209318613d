#pragma once
// Plays random user actions on the running board page: the pointer onto, off and between
// rings and popups, clicks on rings and jumpers, typing into the base-address edit, list
// picks, ticks, keys on the focused control, right-click and menu-bar menus, the popups'
// buttons, close boxes and the help windows. The sequence follows from the seed alone, so a
// failing run can be replayed.

#include "MenuHand.h"
#include "PageOracle.h"
#include "PointerDesk.h"
#include "SoakRandom.h"

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/PopupForm.h"
#include "SetupCtrls/SetupSupporter.h"
#include "template/MainForm.h"
#include "toolkit/Menu.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

class SoakDriver
{
public:
    // The oracle hears of every pointer move, to check what leaving a popup does.
    SoakDriver(TMainForm& form, PageOracle& oracle, quint64 seed)
        : m_form(form), m_oracle(oracle), m_random(seed), m_menus(form, m_desk, m_random)
    {
        m_desk.beforeMove = [this](QWidget* from) { m_oracle.pointerLeaving(from); };
        m_desk.afterMove = [this](QPoint to, QWidget* over) { m_oracle.pointerMoved(to, over); };
        m_board = form.findChild<TBoardImage*>(QStringLiteral("BoardImage1"));
        m_rings = m_board->findChildren<TBoardHighlight*>(Qt::FindDirectChildrenOnly);
        m_edit = form.findChild<QLineEdit*>(QStringLiteral("BaseEdit"));
    }

    // Plays one action and tells what it was.
    QString step()
    {
        using Action = QString (SoakDriver::*)();
        struct Weighted
        {
            int weight;
            Action action;
        };
        static const Weighted actions[] = {
            {14, &SoakDriver::pointAtRing},    {10, &SoakDriver::pointIntoPopup}, {6, &SoakDriver::pointElsewhere},
            {8, &SoakDriver::clickRing},       {14, &SoakDriver::clickJumper},    {8, &SoakDriver::typeAddress},
            {8, &SoakDriver::pickListEntry},   {6, &SoakDriver::tickBox},         {6, &SoakDriver::chooseRingItem},
            {6, &SoakDriver::pressPopupButton}, {3, &SoakDriver::closeWindow},    {3, &SoakDriver::useHelpWindows},
            {2, &SoakDriver::chooseHelpItem},  {8, &SoakDriver::pressKey},        {3, &SoakDriver::useContextMenu},
        };
        int total = 0;
        for (const Weighted& w : actions)
            total += w.weight;
        while (true) {
            int pick = number(0, total - 1);
            for (const Weighted& w : actions) {
                pick -= w.weight;
                if (pick >= 0)
                    continue;
                const QString done = (this->*w.action)();
                if (!done.isEmpty()) {
                    QCoreApplication::processEvents();
                    m_desk.settle();
                    return done;
                }
                break; // not possible now: pick again
            }
        }
    }

    // Chooses "&Exit" as the user would.
    void exitProgram() { m_menus.choose(QStringLiteral("&File"), QStringLiteral("&Exit")); }

private:
    int number(int low, int high) { return m_random.number(low, high); }
    bool chance(int percent) { return m_random.chance(percent); }
    template <typename T>
    T* oneOf(const QList<T*>& list) { return m_random.oneOf(list); }
    QPoint somewhereIn(const QWidget* widget) { return m_random.somewhereIn(widget); }

    template <typename T>
    QList<T*> shown() const
    {
        QList<T*> found;
        for (T* w : m_form.findChildren<T*>())
            if (w->isVisible())
                found.append(w);
        return found;
    }

    // In a fixed order: the application keeps its windows in a hashed set.
    QList<TPopupForm*> shownPopups() const
    {
        QList<TPopupForm*> found;
        for (TBoardHighlight* ring : m_rings)
            if (TPopupForm* popup = ring->popup(); popup && popup->isVisible())
                found.append(popup);
        return found;
    }

    static QString nameOf(const QObject* o) { return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName(); }

    // --- Pointer ---------------------------------------------------------------------------

    QString pointAtRing()
    {
        TBoardHighlight* ring = oneOf(m_rings);
        m_desk.moveTo(somewhereIn(ring));
        return QStringLiteral("pointer onto %1").arg(ring->objectName());
    }

    QString pointIntoPopup()
    {
        TPopupForm* popup = oneOf(shownPopups());
        if (!popup)
            return {};
        const int moves = number(1, 3); // and between the controls inside it
        for (int i = 0; i < moves; ++i)
            m_desk.moveTo(somewhereIn(popup));
        return QStringLiteral("pointer into the popup \"%1\" (%2 moves)").arg(popup->windowTitle()).arg(moves);
    }

    QString pointElsewhere()
    {
        const QPoint to = somewhereIn(&m_form);
        QWidget* window = m_desk.moveTo(to);
        return QStringLiteral("pointer to (%1, %2) over %3")
            .arg(to.x()).arg(to.y()).arg(window ? nameOf(window) : QStringLiteral("no window"));
    }

    // --- Rings and jumpers -----------------------------------------------------------------

    QString clickRing()
    {
        TBoardHighlight* ring = oneOf(m_rings);
        const bool twice = chance(10);
        m_desk.click(somewhereIn(ring), twice);
        return QStringLiteral("%1 on %2").arg(twice ? "double click" : "click", ring->objectName());
    }

    QString clickJumper()
    {
        QList<QWidget*> jumpers;
        for (QWidget* w : shown<TTwoJumper>())
            jumpers.append(w);
        for (QWidget* w : shown<TThreeJumper>())
            jumpers.append(w);
        QWidget* jumper = oneOf(jumpers);
        if (!jumper)
            return {};
        const bool twice = chance(10);
        m_desk.click(somewhereIn(jumper), twice);
        return QStringLiteral("%1 on %2").arg(twice ? "double click" : "click", jumper->objectName());
    }

    // --- Base address ----------------------------------------------------------------------

    QString typeAddress()
    {
        if (!m_edit->isVisible())
            return {};
        m_desk.click(somewhereIn(m_edit));
        if (QApplication::focusWidget() != m_edit)
            return QStringLiteral("click on BaseEdit (it did not take the focus)");
        QString how;
        switch (number(0, 4)) {
        case 0: m_desk.key(Qt::Key_A, {}, Qt::ControlModifier); how = "over all"; break;
        case 1: m_desk.key(Qt::Key_End); how = "at the end"; break;
        case 2: m_desk.key(Qt::Key_Home); how = "at the start"; break;
        case 3: {
            const int n = number(1, 4);
            for (int i = 0; i < n; ++i)
                m_desk.key(Qt::Key_Backspace);
            how = QStringLiteral("after %1 backspaces").arg(n);
            break;
        }
        default:
            m_desk.key(Qt::Key_A, {}, Qt::ControlModifier);
            m_desk.key(Qt::Key_Delete);
            return QStringLiteral("cleared BaseEdit");
        }
        const QString text = m_random.addressText();
        m_desk.type(text);
        return QStringLiteral("typed \"%1\" %2 into BaseEdit, now \"%3\"").arg(text, how, m_edit->text());
    }

    // --- Lists and boxes -------------------------------------------------------------------

    QString pickListEntry()
    {
        QComboBox* combo = oneOf(shown<QComboBox>());
        if (!combo)
            return {};
        m_desk.click(somewhereIn(combo));
        QAbstractItemView* view = combo->view();
        if (!view->isVisible())
            return QStringLiteral("click on %1 (no list opened)").arg(combo->objectName());
        QString how;
        const int entry = number(0, combo->count() - 1);
        switch (number(0, 3)) {
        case 0: {
            const QRect item = view->visualRect(view->model()->index(entry, 0));
            QWidget* list = view->window();
            m_desk.clickIn(list, view->viewport()->mapTo(list, item.center()));
            how = QStringLiteral("clicked entry %1").arg(entry);
            break;
        }
        case 1:
        case 2: {
            const int moves = number(0, 4);
            const Qt::Key direction = chance(50) ? Qt::Key_Down : Qt::Key_Up;
            for (int i = 0; i < moves; ++i)
                m_desk.key(direction);
            m_desk.key(Qt::Key_Return);
            how = QStringLiteral("%1 x%2 and Return").arg(direction == Qt::Key_Down ? "Down" : "Up").arg(moves);
            break;
        }
        default:
            m_desk.key(Qt::Key_Escape);
            how = QStringLiteral("closed with Escape");
            break;
        }
        QCoreApplication::processEvents();
        if (view->isVisible())
            return QStringLiteral("%1: %2, but the list stayed open").arg(combo->objectName(), how);
        return QStringLiteral("%1: %2, now entry %3").arg(combo->objectName(), how).arg(combo->currentIndex());
    }

    QString tickBox()
    {
        QCheckBox* box = oneOf(shown<QCheckBox>());
        if (!box)
            return {};
        if (chance(20) && QApplication::focusWidget() == box) {
            m_desk.key(Qt::Key_Space, QStringLiteral(" "));
            return QStringLiteral("space on %1").arg(box->objectName());
        }
        m_desk.click(somewhereIn(box));
        return QStringLiteral("click on %1, now %2").arg(box->objectName(), box->isChecked() ? "ticked" : "clear");
    }

    // A key on whatever has the focus: moving between controls, stepping a list, pressing a
    // button, or a letter that picks a list entry.
    QString pressKey()
    {
        struct Key
        {
            Qt::Key code;
            const char* text;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Key keys[] = {
            {Qt::Key_Tab, "", {}, "Tab"},          {Qt::Key_Backtab, "", Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Down, "", {}, "Down"},        {Qt::Key_Up, "", {}, "Up"},
            {Qt::Key_Home, "", {}, "Home"},        {Qt::Key_End, "", {}, "End"},
            {Qt::Key_Space, " ", {}, "Space"},     {Qt::Key_Return, "", {}, "Return"},
            {Qt::Key_Escape, "", {}, "Escape"},    {Qt::Key_I, "I", {}, "I"},
            {Qt::Key_E, "E", {}, "E"},             {Qt::Key_0, "0", {}, "0"},
        };
        const Key& key = keys[number(0, int(std::size(keys)) - 1)];
        const QWidget* focus = QApplication::focusWidget();
        const QString where = focus ? nameOf(focus) : QStringLiteral("nothing");
        m_desk.key(key.code, QString::fromUtf8(key.text), key.modifiers);
        return QStringLiteral("%1 on %2").arg(QLatin1String(key.name), where);
    }

    // A right click on the base-address edit or a popup's text, and a pick from the menu it
    // opens (pasting whatever was copied before, say).
    QString useContextMenu()
    {
        QList<QWidget*> texts;
        if (m_edit->isVisible())
            texts.append(m_edit);
        for (TPopupForm* popup : shownPopups())
            texts.append(popup->statusMemo()->viewport());
        QWidget* text = oneOf(texts);
        if (!text)
            return {};
        return QStringLiteral("right click on %1, %2").arg(nameOf(text), m_menus.rightClick(somewhereIn(text)));
    }

    // --- Menus -----------------------------------------------------------------------------

    QString chooseRingItem()
    {
        TBoardHighlight* ring = oneOf(m_rings);
        const QString top = ring->HighlightType() == Setup::htOptions ? QStringLiteral("&Options") : QStringLiteral("&Settings");
        if (!m_menus.choose(top, ring->Title()))
            return QStringLiteral("menu item \"%1\" could not be chosen").arg(ring->Title());
        return QStringLiteral("menu item \"%1\"").arg(ring->Title());
    }

    QString chooseHelpItem()
    {
        const QString item = chance(50) ? QStringLiteral("H&ow to use this program") : QStringLiteral("&Technical Support");
        if (!m_menus.choose(QStringLiteral("&Help"), item))
            return QStringLiteral("menu item \"%1\" could not be chosen").arg(item);
        return QStringLiteral("menu item \"%1\"").arg(item);
    }

    // --- Windows ---------------------------------------------------------------------------

    QString pressPopupButton()
    {
        TPopupForm* popup = oneOf(shownPopups());
        if (!popup)
            return {};
        static const char* const buttons[] = {"PreviousButton", "NextButton", "DoneButton"};
        const char* name = buttons[number(0, 2)];
        const QString title = popup->windowTitle();
        m_desk.click(somewhereIn(popup->findChild<QPushButton*>(QString::fromLatin1(name))));
        return QStringLiteral("%1 of \"%2\"").arg(QString::fromLatin1(name), title);
    }

    // The pointer goes into the window and presses its close box.
    QString closeWindow()
    {
        QList<QWidget*> windows;
        for (TPopupForm* popup : shownPopups())
            windows.append(popup);
        if (TSetupSupporter* supporter = m_form.setupSupporter()) {
            for (QWidget* w : {static_cast<QWidget*>(supporter->helpForm()), static_cast<QWidget*>(supporter->techForm())})
                if (w && w->isVisible())
                    windows.append(w);
        }
        QWidget* window = oneOf(windows);
        if (!window)
            return {};
        // Or from the keyboard: the window manager closes the active window where the pointer is.
        const bool byKeys = chance(30);
        if (byKeys)
            m_desk.activate(window);
        else
            m_desk.moveTo(somewhereIn(window));
        QCloseEvent close;
        QCoreApplication::sendEvent(window->windowHandle(), &close);
        return QStringLiteral("%1 \"%2\"").arg(byKeys ? "Alt+F4 on" : "close box of", window->windowTitle());
    }

    QString useHelpWindows()
    {
        TSetupSupporter* supporter = m_form.setupSupporter();
        QWidget* help = supporter ? supporter->helpForm() : nullptr;
        QWidget* tech = supporter ? supporter->techForm() : nullptr;
        if (help && help->isVisible() && (chance(70) || !tech || !tech->isVisible())) {
            if (chance(60)) {
                m_desk.click(somewhereIn(help->findChild<QPushButton*>(QStringLiteral("StartButton"))));
                return QStringLiteral("Start in the help window");
            }
            m_desk.activate(help);
            const bool enter = chance(50);
            m_desk.key(enter ? Qt::Key_Return : Qt::Key_Escape);
            return QStringLiteral("%1 in the help window").arg(enter ? "Enter" : "Escape");
        }
        if (tech && tech->isVisible()) {
            m_desk.click(somewhereIn(tech->findChild<QPushButton*>(QStringLiteral("CloseButton"))));
            return QStringLiteral("Close in the technical-support window");
        }
        return {};
    }

    TMainForm& m_form;
    PageOracle& m_oracle;
    PointerDesk m_desk;
    SoakRandom m_random;
    MenuHand m_menus;
    TBoardImage* m_board = nullptr;
    QList<TBoardHighlight*> m_rings;
    QLineEdit* m_edit = nullptr;
};
