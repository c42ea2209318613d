// The program as its user meets it: the real page, started as the program starts it, in a
// real X server with a window manager, driven with real pointer and keyboard input.

#include "IdleLoop.h"
#include "RealInput.h"
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/PopupForm.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/SetupSupporter.h"
#include "SetupCtrls/SupportForms.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/Menu.h"

#include <QAbstractEventDispatcher>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

using namespace RealInput;
using namespace Setup;

// Runs a step that checks as it goes, and ends the test when the step failed.
#define STEP(call)                                                                                  \
    do {                                                                                            \
        call;                                                                                       \
        if (QTest::currentTestFailed())                                                             \
            return;                                                                                 \
    } while (false)

namespace {

// The page's ring groups: linked rings share a title, a type, a panel and one popup.
struct RingGroup
{
    QString title;
    THighlightType type;
    QStringList rings;
    QString panel;
};

const QList<RingGroup>& ringGroups()
{
    static const QList<RingGroup> groups{
        {"Base Address", htSettings, {"BaseHighlight"}, "BasePanel"},
        {"IRQ", htSettings, {"IRQHighlightLo", "IRQHighlightHi", "IRQHighlight9"}, "IRQPanel"},
        {"DAC Range", htSettings,
         {"RangeHighlightA", "RangeHighlightB", "RangeHighlightC", "RangeHighlightD"}, "RangePanel"},
        {"Mode 1 Digital Inversion", htSettings, {"InvertHighlight0", "InvertHighlight1"}, "InvertPanel"},
        {"±12V Source", htSettings, {"X12Highlight"}, "X12Panel"},
        {"Digital I/O", htOptions, {"DIOHighlight"}, "DIOPanel"},
        {"Analog Output", htOptions, {"DACHighlight"}, "DACPanel"},
        {"Analog Input And Counter/Timer", htOptions, {"ADCTRHighlight"}, "ADCTRPanel"},
        {"External ±12V", htOptions, {"PowerHighlight"}, "PowPanel"},
    };
    return groups;
}

const RingGroup& groupTitled(const QString& title)
{
    for (const RingGroup& group : ringGroups())
        if (group.title == title)
            return group;
    qFatal("no ring group %s", qPrintable(title));
}

QStringList titlesOf(THighlightType type)
{
    QStringList titles;
    for (const RingGroup& group : ringGroups())
        if (group.type == type)
            titles.append(group.title);
    return titles;
}

QStringList captionsOf(const QList<QAction*>& actions)
{
    QStringList captions;
    for (const QAction* action : actions)
        captions.append(action->text());
    return captions;
}

// Every popup window of the program captioned `title`, shown or hidden.
QList<TPopupForm*> popupsTitled(const QString& title)
{
    QList<TPopupForm*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<TPopupForm*>(window); popup && popup->windowTitle() == title)
            found.append(popup);
    return found;
}

TPopupForm* shownPopup(const QString& title)
{
    const QList<TPopupForm*> popups = popupsTitled(title);
    return popups.size() == 1 && popups.first()->isVisible() ? popups.first() : nullptr;
}

bool anyPopupShown()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TPopupForm*>(window) && window->isVisible())
            return true;
    return false;
}

// What a setting control shows the user.
QString settingShown(const QWidget* control)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* check = qobject_cast<const QCheckBox*>(control))
        return check->isChecked() ? "ticked" : "not ticked";
    return {};
}

// The popup keeps each axis on the screen as it opens.
int keptOnScreen(int pos, int extent, int screenExtent)
{
    if (pos < 0)
        return 0;
    return pos + extent > screenExtent ? screenExtent - extent : pos;
}

// While the window manager reparents a window, Qt can report its frame with negative sides.
bool isRealFrame(QMargins m)
{
    return !m.isNull() && m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0;
}

// Records from the outside how the page starts: when the supporter built its windows (its
// idle handler's work) and when the help window was first shown.
class StartWatch : public QObject
{
public:
    StartWatch(TMainForm* form, int number) : pageNumber(number), m_form(form)
    {
        m_clock.start();
        // Connected after the application's own idle hook, so this runs right after it.
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                &StartWatch::afterIdle);
    }

    const int pageNumber; // of the pages this process has started
    qint64 builtAt = -1;
    qint64 helpShownAt = -1;
    bool boardPaintedBeforeBuild = false;
    bool helpHiddenAtBuild = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && helpShownAt < 0)
            helpShownAt = m_clock.elapsed();
        return QObject::eventFilter(watched, event);
    }

private:
    void afterIdle()
    {
        THelpForm* help = m_form->setupSupporter()->helpForm();
        if (builtAt >= 0 || !help)
            return;
        builtAt = m_clock.elapsed();
        boardPaintedBeforeBuild = m_form->findChild<TBoardImage*>("BoardImage1")->designRecorded();
        helpHiddenAtBuild = help->isHidden();
        help->installEventFilter(this);
    }

    TMainForm* m_form;
    QElapsedTimer m_clock;
};

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUpShowsTheMaximisedPageThenTheHelpWindow();
    void aKeyInTheHelpWindowStartsTheTour_data();
    void aKeyInTheHelpWindowStartsTheTour();
    void previousAndNextWalkTheSettingsAndWrapAround();
    void hoveringEachRingGroupOpensOnePopupInItsPlace();
    void clickingARingHoldsItsPopupUntilDone_data();
    void clickingARingHoldsItsPopupUntilDone();
    void clickingADrawnJumperChangesTheSetting_data();
    void clickingADrawnJumperChangesTheSetting();
    void theHelpMenuShowsAndRaisesItsWindows();
    void exitEndsTheProgramWithOtherWindowsOpen();

private:
    template <typename T = QWidget>
    T* component(const QString& name) const
    {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("the page has no %s", qPrintable(name));
        return found;
    }
    TBoardImage* board() const { return component<TBoardImage>("BoardImage1"); }
    TSetupSupporter* supporter() const { return m_form->setupSupporter(); }
    TMenuItem* menuItem(THighlightType type, const QString& title) const;
    QStringList litRings() const;
    QPoint parking() const;

    void startTourWith(const QString& key);
    QRect expectedPopup(const RingGroup& group, QSize frame) const;
    QPoint hoverPoint(const RingGroup& group, const QWidget* ring) const;
    void checkPlaced(const RingGroup& group);
    void checkHeldPopup(const RingGroup& group);
    void checkClosed(const RingGroup& group);
    void clickPopupButton(const RingGroup& group, const char* button);
    void chooseWithKeys(const QString& top, const char* openKey, const char* itemKey, bool waitForClose = true);
    void leaveTheTourBehind();

    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<StartWatch> m_start;
    QHash<QString, QRect> m_panelBounds; // where the layout puts each radio panel
    int m_pagesStarted = 0;
};

void TestProgram::initTestCase()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs a real X server with a window manager");
    QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool gives the real input");
    QVERIFY2(!QStandardPaths::findExecutable("xprop").isEmpty(), "xprop tells the window stacking");
}

// Starts the page as the program does, with the pointer parked where no ring is, and waits
// for the help window that opens by itself.
void TestProgram::init()
{
    QVERIFY(moveTo(parking()));
    m_form = std::make_unique<TMainForm>();
    m_form->loadLayout();
    for (const RingGroup& group : ringGroups())
        m_panelBounds[group.panel] = component(group.panel)->geometry();
    TApplication::setQuitOnLastWindowClosed(false);
    connect(m_form.get(), &TMainForm::closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_start = std::make_unique<StartWatch>(m_form.get(), ++m_pagesStarted);
    m_form->showAsDesigned();
    // Straight into the loop, as the program goes from showing its window into exec().
    QVERIFY(runLoopUntil([this] { return supporter()->helpForm() && supporter()->helpForm()->isVisible(); }, 10000));
    QTRY_COMPARE(QApplication::activeWindow(), supporter()->helpForm());
}

void TestProgram::cleanup()
{
    m_start.reset();
    m_form.reset();
}

// The bottom-left corner of the main window's client area: no ring and no window there.
QPoint TestProgram::parking() const
{
    return QGuiApplication::primaryScreen()->geometry().bottomLeft() + QPoint(4, -4);
}

TMenuItem* TestProgram::menuItem(THighlightType type, const QString& title) const
{
    const QString top = type == htOptions ? "&Options" : "&Settings";
    QAction* entry = actionCaptioned(m_form->menuBar()->actions(), top);
    QAction* item = entry && entry->menu() ? actionCaptioned(entry->menu()->actions(), title) : nullptr;
    return qobject_cast<TMenuItem*>(item);
}

QStringList TestProgram::litRings() const
{
    QStringList lit;
    for (const TBoardHighlight* ring : board()->findChildren<TBoardHighlight*>())
        if (ring->lit())
            lit.append(ring->objectName());
    lit.sort();
    return lit;
}

// The group's popup with a frame of the given size: it stands at the panel's layout place
// moved as far as the board picture moved when it centred itself, taken as a screen place
// and kept on the screen; its client area holds the panel, the memo and the controls below,
// and its outer size is at least 194 x 122.
QRect TestProgram::expectedPopup(const RingGroup& group, QSize frame) const
{
    const QRect panel = m_panelBounds[group.panel];
    const int memo = component<TRadioPanel>(group.panel)->memoHeight();
    const QSize client = QSize(panel.width(), panel.height() + memo + 51).expandedTo(QSize(194, 122) - frame);
    const QSize outer = client + frame;

    const TBoardImage* picture = board();
    const QPoint place = panel.topLeft() + picture->pos() - QPoint(picture->designLeft(), picture->designTop());
    const QSize screen = QGuiApplication::primaryScreen()->size();
    return {QPoint(keptOnScreen(place.x(), outer.width(), screen.width()),
                   keptOnScreen(place.y(), outer.height(), screen.height())),
            outer};
}

// Waits until the window manager has framed the group's shown popup and the popup has
// settled at its place and size.
void TestProgram::checkPlaced(const RingGroup& group)
{
    QTRY_VERIFY(shownPopup(group.title));
    TPopupForm* popup = shownPopup(group.title);
    QTRY_VERIFY(isRealFrame(popup->windowHandle()->frameMargins()));
    const QSize frame = popup->frameGeometry().size() - popup->size();
    const QRect expected = expectedPopup(group, frame);
    QTRY_COMPARE(popup->size(), expected.size() - frame);
    QTRY_COMPARE(popup->frameGeometry().topLeft(), expected.topLeft());
}

// A point of the ring that its popup does not cover: the "Digital I/O" popup opens over
// part of its own ring, and a popup that opens under the pointer is held at once.
QPoint TestProgram::hoverPoint(const RingGroup& group, const QWidget* ring) const
{
    const int frameAllowance = 30; // the frame is not known before the first popup is framed
    const QRect popup =
        expectedPopup(group, QSize()).adjusted(-frameAllowance, -frameAllowance, frameAllowance, frameAllowance);
    const int w = ring->width(), h = ring->height();
    for (const QPoint inRing : {QPoint(w / 2, h / 2), QPoint(w * 5 / 6, h / 2), QPoint(w / 6, h / 2),
                                QPoint(w / 2, h * 5 / 6), QPoint(w / 2, h / 6)})
        if (const QPoint screen = ring->mapToGlobal(inRing); !popup.contains(screen))
            return screen;
    qFatal("the popup of %s covers its ring", qPrintable(group.title));
}

void TestProgram::checkHeldPopup(const RingGroup& group)
{
    STEP(checkPlaced(group));
    TPopupForm* popup = shownPopup(group.title);
    QTRY_VERIFY(popup->highlight()->popupHeld());
    QCOMPARE(tagOf(popup), int(group.type));
    QStringList rings = group.rings;
    rings.sort();
    QCOMPARE(litRings(), rings);
    TMenuItem* item = menuItem(group.type, group.title);
    QVERIFY(item);
    QVERIFY(item->checkMark());
    QVERIFY(item->isChecked());
}

void TestProgram::checkClosed(const RingGroup& group)
{
    const QList<TPopupForm*> popups = popupsTitled(group.title);
    QCOMPARE(popups.size(), 1);
    QTRY_VERIFY(popups.first()->isHidden());
    QCOMPARE(litRings(), QStringList());
    TMenuItem* item = menuItem(group.type, group.title);
    QVERIFY(!item->checkMark());
    QVERIFY(!item->isChecked());
}

// Clicks a button of the group's popup once the popup has settled where it belongs.
void TestProgram::clickPopupButton(const RingGroup& group, const char* button)
{
    STEP(checkPlaced(group));
    auto* pushButton = shownPopup(group.title)->findChild<QPushButton*>(button);
    QVERIFY(pushButton);
    QVERIFY(click(pushButton));
}

// Chooses a menu item with the keyboard: Alt and the entry's letter, then the item's letter.
// A click on an empty spot of the page makes the main window active first: the stay-on-top
// windows may cover the menu bar, but not its keys.
void TestProgram::chooseWithKeys(const QString& top, const char* openKey, const char* itemKey, bool waitForClose)
{
    QVERIFY(clickAt(parking()));
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    QMenu* menu = actionCaptioned(m_form->menuBar()->actions(), top)->menu();
    QVERIFY(pressKey(openKey));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(pressKey(itemKey));
    if (waitForClose)
        QTRY_VERIFY(!menu->isVisible());
}

// A key in the active help window: it hides and the tour opens and holds the first popup.
void TestProgram::startTourWith(const QString& key)
{
    THelpForm* help = supporter()->helpForm();
    QVERIFY(pressKey(key));
    QTRY_VERIFY(help->isHidden());
    STEP(checkHeldPopup(groupTitled("Base Address")));
}

// The tour's popup closed with Done: nothing but the main window is left open.
void TestProgram::leaveTheTourBehind()
{
    STEP(startTourWith("Return"));
    STEP(clickPopupButton(groupTitled("Base Address"), "DoneButton"));
    STEP(checkClosed(groupTitled("Base Address")));
    QVERIFY(moveTo(parking()));
}

void TestProgram::startUpShowsTheMaximisedPageThenTheHelpWindow()
{
    QCOMPARE(m_form->windowTitle(), QString("Setup"));
    QTRY_VERIFY(m_form->isMaximized());
    QTRY_COMPARE(m_form->frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());

    QMenuBar* bar = m_form->menuBar();
    QCOMPARE(captionsOf(bar->actions()), QStringList({"&File", "&Settings", "&Options", "&Help"}));
    QCOMPARE(captionsOf(actionCaptioned(bar->actions(), "&File")->menu()->actions()), QStringList({"&Exit"}));
    QCOMPARE(captionsOf(actionCaptioned(bar->actions(), "&Settings")->menu()->actions()), titlesOf(htSettings));
    QCOMPARE(captionsOf(actionCaptioned(bar->actions(), "&Options")->menu()->actions()), titlesOf(htOptions));
    QCOMPARE(captionsOf(actionCaptioned(bar->actions(), "&Help")->menu()->actions()),
             QStringList({"H&ow to use this program", "&Technical Support"}));

    // The supporter built once, at an idle moment after the page was painted, and emptied
    // the idle slot; the help window came by itself one timer period later.
    QVERIFY(!TApplication::instance()->onIdle());
    QVERIFY(m_start->builtAt >= 0);
    // The application opens its idle gate at the first paint of the first page; later pages
    // of this process find it open.
    if (m_start->pageNumber == 1)
        QVERIFY(m_start->boardPaintedBeforeBuild);
    QVERIFY(m_start->helpHiddenAtBuild);
    QVERIFY2(m_start->helpShownAt - m_start->builtAt >= 90,
             qPrintable(QString("help shown %1 ms after the build").arg(m_start->helpShownAt - m_start->builtAt)));
    for (const char* built : {"HeaderLabel", "HelpForm", "TechForm"})
        QCOMPARE(m_form->findChildren<QObject*>(built).size(), 1);

    THelpForm* help = supporter()->helpForm();
    QCOMPARE(help->windowTitle(), QString("Instructions for Settings utility"));
    QTRY_VERIFY(stackedAbove(help, m_form.get()));
    QVERIFY(supporter()->techForm()->isHidden());
    QVERIFY(!anyPopupShown());
    QCOMPARE(litRings(), QStringList());
}

void TestProgram::aKeyInTheHelpWindowStartsTheTour_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("Enter") << "Return";
    QTest::newRow("Escape") << "Escape";
}

void TestProgram::aKeyInTheHelpWindowStartsTheTour()
{
    QFETCH(QString, key);
    STEP(startTourWith(key));
    // The tour's popup is held: it stays open wherever the pointer goes.
    QVERIFY(moveTo(parking()));
    QTRY_VERIFY(!board()->underMouse() && m_form->centralWidget()->underMouse());
    STEP(checkHeldPopup(groupTitled("Base Address")));
}

void TestProgram::previousAndNextWalkTheSettingsAndWrapAround()
{
    STEP(startTourWith("Return"));
    // From the first setting forward, back, back round to the last, and forward round again.
    const struct
    {
        const char* button;
        const char* from;
        const char* to;
    } steps[] = {
        {"NextButton", "Base Address", "IRQ"},
        {"PreviousButton", "IRQ", "Base Address"},
        {"PreviousButton", "Base Address", "±12V Source"},
        {"NextButton", "±12V Source", "Base Address"},
    };
    for (const auto& step : steps) {
        const RingGroup& to = groupTitled(step.to);
        STEP(clickPopupButton(groupTitled(step.from), step.button));
        QTRY_VERIFY2(!shownPopup(step.from), step.from);
        STEP(checkHeldPopup(to));
        const QList<TPopupForm*> from = popupsTitled(step.from);
        QCOMPARE(from.size(), 1);
        QVERIFY(from.first()->isHidden());
        QVERIFY(!menuItem(htSettings, step.from)->checkMark());
    }
}

void TestProgram::hoveringEachRingGroupOpensOnePopupInItsPlace()
{
    STEP(leaveTheTourBehind());
    for (const RingGroup& group : ringGroups()) {
        QStringList linked = group.rings;
        linked.sort();
        // Each ring of the group opens the group's one popup and lights all of its rings;
        // going off the ring anywhere but into the popup closes it and darkens them.
        for (const QString& name : group.rings) {
            const auto* ring = component<TBoardHighlight>(name);
            QVERIFY(moveTo(hoverPoint(group, ring)));
            QTRY_VERIFY2(shownPopup(group.title), qPrintable(name));
            TPopupForm* popup = shownPopup(group.title);
            QCOMPARE(tagOf(popup), int(group.type));
            QCOMPARE(litRings(), linked);
            STEP(checkPlaced(group));
            QVERIFY(!popup->highlight()->popupHeld());

            QVERIFY(moveTo(parking()));
            STEP(checkClosed(group));
        }
        // Into the popup: it is held, and closes once the pointer leaves it.
        QVERIFY(moveTo(hoverPoint(group, component(group.rings.first()))));
        STEP(checkPlaced(group));
        TPopupForm* popup = shownPopup(group.title);
        QVERIFY(moveTo(popup->frameGeometry().center()));
        STEP(checkHeldPopup(group));
        QVERIFY(popup->closeOnLeave());
        QVERIFY(moveTo(parking()));
        STEP(checkClosed(group));
        QCOMPARE(popupsTitled(group.title).size(), 1);
    }
}

void TestProgram::clickingARingHoldsItsPopupUntilDone_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("ring");
    QTest::newRow("a single ring") << "Base Address" << "BaseHighlight";
    QTest::newRow("the last of three linked rings") << "IRQ" << "IRQHighlight9";
    QTest::newRow("an information ring") << "Analog Output" << "DACHighlight";
}

void TestProgram::clickingARingHoldsItsPopupUntilDone()
{
    QFETCH(QString, title);
    QFETCH(QString, ring);
    const RingGroup& group = groupTitled(title);
    STEP(leaveTheTourBehind());

    QVERIFY(click(component(ring)));
    STEP(checkHeldPopup(group));
    QVERIFY(moveTo(parking()));
    QTRY_VERIFY(m_form->centralWidget()->underMouse());
    QVERIFY(shownPopup(title));
    STEP(checkHeldPopup(group));

    STEP(clickPopupButton(group, "DoneButton"));
    STEP(checkClosed(group));
    QCOMPARE(popupsTitled(title).size(), 1);
}

void TestProgram::clickingADrawnJumperChangesTheSetting_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("jumper");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("IRQ") << "IRQ" << "IRQJumper10" << "IRQCombo" << "IRQ 5" << "IRQ 10";
    QTest::newRow("base address") << "Base Address" << "BaseJumper8" << "BaseEdit" << "300" << "200";
    QTest::newRow("DAC range") << "DAC Range" << "RangeJumperACU" << "RangeCombo" << "±5V" << "0-5V";
    QTest::newRow("inversion") << "Mode 1 Digital Inversion" << "InvertJumper1" << "InvertCheck1"
                               << "not ticked" << "ticked";
    QTest::newRow("±12V source") << "±12V Source" << "X12JumperTop" << "X12Combo" << "PC-104 ±12V"
                                 << "External ±12V";
}

void TestProgram::clickingADrawnJumperChangesTheSetting()
{
    QFETCH(QString, title);
    QFETCH(QString, jumper);
    QFETCH(QString, control);
    QFETCH(QString, before);
    QFETCH(QString, after);
    const RingGroup& group = groupTitled(title);
    STEP(leaveTheTourBehind());

    QVERIFY(click(component(group.rings.first())));
    STEP(checkHeldPopup(group));
    TPopupForm* popup = shownPopup(title);
    QWidget* drawn = component(jumper);
    QCOMPARE(drawn->window(), popup);
    QTRY_COMPARE(settingShown(component(control)), before);

    QVERIFY(click(drawn));
    QTRY_COMPARE(settingShown(component(control)), after);
    QVERIFY(popup->isVisible());
}

void TestProgram::theHelpMenuShowsAndRaisesItsWindows()
{
    THelpForm* help = supporter()->helpForm();
    TTechForm* tech = supporter()->techForm();
    STEP(leaveTheTourBehind());

    QVERIFY(chooseMenuItem(m_form->menuBar(), "&Help", "&Technical Support"));
    QTRY_VERIFY(tech->isVisible());
    QCOMPARE(tech->windowTitle(), QString("Technical Support"));
    QTRY_COMPARE(QApplication::activeWindow(), tech);

    // The help window, hidden by Start, comes back; choosing either entry while both are
    // shown brings that window to the front.
    STEP(chooseWithKeys("&Help", "alt+h", "o"));
    QTRY_VERIFY(help->isVisible());
    QTRY_VERIFY(stackedAbove(help, tech));
    QTRY_COMPARE(QApplication::activeWindow(), help);
    STEP(chooseWithKeys("&Help", "alt+h", "t"));
    QTRY_VERIFY(stackedAbove(tech, help));
    QTRY_COMPARE(QApplication::activeWindow(), tech);
    STEP(chooseWithKeys("&Help", "alt+h", "o"));
    QTRY_VERIFY(stackedAbove(help, tech));
    QTRY_COMPARE(QApplication::activeWindow(), help);

    // Escape in the technical-support window closes it. Both windows open over the middle
    // of the main window, so the help window may cover it: bring it forward by its entry.
    STEP(chooseWithKeys("&Help", "alt+h", "t"));
    QTRY_COMPARE(QApplication::activeWindow(), tech);
    QVERIFY(pressKey("Escape"));
    QTRY_VERIFY(tech->isHidden());
    QVERIFY(help->isVisible());
    QVERIFY(!anyPopupShown());
}

void TestProgram::exitEndsTheProgramWithOtherWindowsOpen()
{
    QVERIFY(chooseMenuItem(m_form->menuBar(), "&Settings", "IRQ"));
    STEP(checkHeldPopup(groupTitled("IRQ")));
    QVERIFY(chooseMenuItem(m_form->menuBar(), "&Help", "&Technical Support"));
    QTRY_VERIFY(supporter()->techForm()->isVisible());
    QVERIFY(supporter()->helpForm()->isVisible());

    // Exit is chosen with the keyboard, the last key given before the program's loop runs;
    // the loop must then end by itself.
    QSignalSpy closed(m_form.get(), &TMainForm::closed);
    bool gaveUp = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [&gaveUp] {
        gaveUp = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(10000);
    STEP(chooseWithKeys("&File", "alt+f", "e", false));
    const int result = TApplication::exec();
    watchdog.stop();

    QVERIFY2(!gaveUp, "the program did not end");
    QCOMPARE(result, 0);
    QCOMPARE(closed.count(), 1);
    QVERIFY(m_form->isHidden());
}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName("Settings");
    TestProgram test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program.moc"
