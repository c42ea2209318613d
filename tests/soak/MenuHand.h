#pragma once
// Menus as a user works them: the main window's menu bar with the mouse or with Alt and the
// mnemonic, and the right-click menus of text fields.

#include "PointerDesk.h"
#include "SoakRandom.h"

#include "template/MainForm.h"
#include "toolkit/Menu.h"

#include <QMenu>
#include <QMenuBar>
#include <QTimer>

class MenuHand
{
public:
    MenuHand(TMainForm& form, PointerDesk& desk, SoakRandom& random) : m_form(form), m_desk(desk), m_random(random) {}

    // Chooses an item of a top-level item; false when it is missing or its menu did not open
    // and close.
    bool choose(const QString& topCaption, const QString& itemCaption)
    {
        const TMainMenu* menu = m_form.menu();
        for (int i = 0; i < menu->count(); ++i) {
            TMenuItem* top = menu->item(i);
            if (top->caption() != topCaption)
                continue;
            for (int j = 0; j < top->count(); ++j)
                if (top->item(j)->caption() == itemCaption)
                    return choose(top, j);
        }
        return false;
    }

    // A right click at the point; whatever menu opens, the user picks one of its entries or
    // presses Escape. A menu may run a loop of its own until it closes (a scroll bar's does),
    // so the answer is given from within that loop.
    QString rightClick(QPoint global)
    {
        QWidget* window = m_desk.moveTo(global);
        if (!window || !window->geometry().contains(global))
            return QStringLiteral("on a frame");
        m_desk.activate(window);
        QString answer = QStringLiteral("no menu");
        QTimer answering;
        answering.setSingleShot(true);
        QObject::connect(&answering, &QTimer::timeout, [&] { answer = answerMenu(); });
        answering.start(0);
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, global - window->geometry().topLeft());
        QCoreApplication::processEvents();
        return answer;
    }

private:
    // Opens the top-level item with a click on the menu bar, or with Alt and its mnemonic
    // when another window covers that place, and picks the item with the mouse or the keys.
    bool choose(TMenuItem* top, int index)
    {
        QMenuBar* bar = m_form.menuBar();
        const QPoint title = bar->mapToGlobal(bar->actionGeometry(top).center());
        const bool byKeys = m_desk.windowAt(title) != &m_form || m_random.chance(30);
        if (byKeys) {
            m_desk.activate(&m_form); // a click on its caption bar
            const QChar mnemonic = top->caption().at(top->caption().indexOf(u'&') + 1);
            m_desk.key(Qt::Key(mnemonic.toUpper().unicode()), {}, Qt::AltModifier);
        } else {
            m_desk.click(title);
        }
        QMenu* list = top->menu();
        if (!list || !list->isVisible())
            return false;
        if (byKeys) {
            for (int i = 0; i < index; ++i)
                m_desk.key(Qt::Key_Down);
            m_desk.key(Qt::Key_Return);
        } else {
            m_desk.clickIn(list, list->actionGeometry(top->item(index)).center());
        }
        return !list->isVisible();
    }

    QString answerMenu()
    {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return QStringLiteral("no menu");
        QList<QAction*> entries;
        for (QAction* action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                entries.append(action);
        QAction* entry = m_random.chance(25) ? nullptr : m_random.oneOf(entries);
        if (!entry) {
            m_desk.key(Qt::Key_Escape);
            return QStringLiteral("Escape");
        }
        const QString caption = entry->text();
        m_desk.clickIn(menu, menu->actionGeometry(entry).center());
        return QStringLiteral("\"%1\"").arg(caption);
    }

    TMainForm& m_form;
    PointerDesk& m_desk;
    SoakRandom& m_random;
};
