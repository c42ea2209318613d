#pragma once
// A small board page for the highlight tests: a main-window stand-in that owns the menu,
// a board picture with three linked "IRQ" rings and one "Base Address" ring, and the two
// radio panels, hidden on the main window as the layout leaves them. The cursor position
// and the screen size are the fixture's to set.

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/PopupForm.h"
#include "SetupCtrls/RadioPanel.h"
#include "toolkit/Menu.h"
#include "toolkit/Screen.h"

#include <QApplication>
#include <QWidget>

struct HighlightFixture
{
    QWidget window;
    TMainMenu* menu = new TMainMenu(&window);
    TBoardImage* board = new TBoardImage(&window);
    TRadioPanel* irqPanel = new TRadioPanel(&window);
    TRadioPanel* basePanel = new TRadioPanel(&window);
    TBoardHighlight* irqLo = addHighlight("irqLo", "IRQ", QRect(10, 10, 40, 20), irqPanel);
    TBoardHighlight* base = addHighlight("base", "Base Address", QRect(100, 10, 65, 65), basePanel);
    TBoardHighlight* irqHi = addHighlight("irqHi", "IRQ", QRect(10, 50, 40, 20), irqPanel);
    TBoardHighlight* irq9 = addHighlight("irq9", "IRQ", QRect(60, 50, 30, 20), irqPanel);
    QPoint cursor{-500, -500}; // far from every window unless a test moves it

    HighlightFixture()
    {
        window.setObjectName("MainForm");
        board->setObjectName("BoardImage1");
        irqPanel->setObjectName("IRQPanel");
        basePanel->setObjectName("BasePanel");
        board->setGeometry(0, 0, 200, 100);
        irqPanel->setGeometry(600, 144, 185, 129);
        basePanel->setGeometry(552, 8, 185, 129);
        irqPanel->setLines({"Pick the interrupt.", "", "One jumper only."});
        Screen::setCursorPosProvider([this] { return cursor; });
        Screen::setScreenSizeProvider([] { return QSize(2000, 2000); });
    }

    ~HighlightFixture()
    {
        Screen::setCursorPosProvider({});
        Screen::setScreenSizeProvider({});
    }

    TBoardHighlight* addHighlight(const char* name, const QString& title, QRect place, TRadioPanel* panel)
    {
        auto* h = new TBoardHighlight(board);
        h->setObjectName(name);
        h->setTitle(title);
        h->setGeometry(place);
        h->setRadioPanel(panel);
        return h;
    }

    QList<TBoardHighlight*> irqRings() const { return {irqLo, irqHi, irq9}; }

    // Every program window captioned `title`, shown or hidden.
    static QList<QWidget*> windowsTitled(const QString& title)
    {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == title)
                found.append(w);
        return found;
    }

    // A point inside / outside the popup's frame.
    static QPoint inside(const TPopupForm* popup) { return popup->frameGeometry().center(); }
    static QPoint outside(const TPopupForm* popup) { return popup->frameGeometry().bottomRight() + QPoint(5, 5); }
};
