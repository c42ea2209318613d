// Ways of the pointer that a window is not told about, found by the random soak: leaving a
// popup over its frame or from a drop-down list that held the pointer, and clicking a ring
// whose popup was closed while the pointer stayed on it.

#include "HighlightFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEnterEvent>
#include <QPushButton>
#include <QTest>

namespace {

// The board paints once, so the rings list themselves in the menu.
void listRings(HighlightFixture& f)
{
    f.board->setCenterOnForm(false);
    f.board->setMenu(f.menu);
    f.board->grab();
}

// The window system tells a widget that the pointer has come onto it.
void pointerComesOnto(QWidget* widget)
{
    const QPointF at = widget->rect().center();
    QEnterEvent enter(at, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &enter);
}

void pointerLeaves(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

// The pointer went from the ring into its popup: the popup is held and waits for the
// pointer to leave it.
TPopupForm* enterPopupFromRing(HighlightFixture& f, TBoardHighlight* ring)
{
    ring->CMMouseEnter(0);
    TPopupForm* popup = ring->popup();
    f.cursor = HighlightFixture::inside(popup);
    ring->CMMouseLeave(0);
    return popup;
}

} // namespace

class TestPointerPaths : public QObject
{
    Q_OBJECT

private slots:
    void aPopupLeftUnheardClosesWhenThePointerTurnsUpElsewhere_data();
    void aPopupLeftUnheardClosesWhenThePointerTurnsUpElsewhere();
    void aDropDownListHoldingThePointerKeepsThePopupOpenUntilItCloses();
    void aClickOnADarkRingShowsAndHoldsItsPopup();
};

void TestPointerPaths::aPopupLeftUnheardClosesWhenThePointerTurnsUpElsewhere_data()
{
    QTest::addColumn<bool>("outside");
    QTest::addColumn<bool>("comesBack");
    QTest::addColumn<bool>("closed");
    // From the popup's frame the pointer goes onto the main window, outside the popup.
    QTest::newRow("onto another window") << true << false << true;
    // Another window lies over the popup; the pointer is on it but within the popup's place.
    QTest::newRow("onto a window over it") << false << false << false;
    // Back into the popup, whose own controls then tell when it leaves.
    QTest::newRow("back into the popup") << false << true << false;
}

void TestPointerPaths::aPopupLeftUnheardClosesWhenThePointerTurnsUpElsewhere()
{
    QFETCH(bool, outside);
    QFETCH(bool, comesBack);
    QFETCH(bool, closed);
    HighlightFixture f;
    TPopupForm* popup = enterPopupFromRing(f, f.base);
    QVERIFY(popup->closeOnLeave());

    // The pointer rests on the frame, which belongs to the window manager: the popup hears
    // nothing. Then it turns up in a window.
    if (!outside)
        f.cursor = HighlightFixture::inside(popup);
    else
        f.cursor = HighlightFixture::outside(popup);
    QWidget* done = popup->doneButton();
    pointerComesOnto(comesBack ? done : f.board);
    QCOMPARE(popup->isHidden(), closed);
    QCOMPARE(f.base->lit(), !closed);

    if (comesBack) {
        // Its own leave notice now decides, and elsewhere no longer counts.
        f.cursor = HighlightFixture::outside(popup);
        pointerComesOnto(f.board);
        QVERIFY(popup->isVisible());
        pointerLeaves(done);
        QVERIFY(popup->isHidden());
    }
}

void TestPointerPaths::aDropDownListHoldingThePointerKeepsThePopupOpenUntilItCloses()
{
    HighlightFixture f;
    auto* combo = new QComboBox(f.irqPanel);
    combo->addItems({"IRQs Disabled", "IRQ 3", "IRQ 4"});
    TPopupForm* popup = enterPopupFromRing(f, f.irqLo);

    // The open list takes the pointer without the popup's controls hearing it leave. The
    // list's entries reach below the popup, and they are no other window.
    pointerComesOnto(combo);
    combo->showPopup();
    QVERIFY(combo->view()->isVisible());
    f.cursor = HighlightFixture::outside(popup);
    pointerComesOnto(combo->view()->viewport());
    QVERIFY(popup->isVisible());

    // The entry picked below the popup closes the list; the window now under the pointer
    // hears that the pointer is there, and the popup closes.
    combo->hidePopup();
    pointerComesOnto(f.board);
    QVERIFY(popup->isHidden());
    for (TBoardHighlight* ring : f.irqRings())
        QVERIFY(!ring->lit());
}

void TestPointerPaths::aClickOnADarkRingShowsAndHoldsItsPopup()
{
    HighlightFixture f;
    listRings(f);
    TMenuItem* item = f.menu->item(0)->item(1);
    QCOMPARE(item->caption(), QString("Base Address"));

    // The popup closes from the keyboard while the pointer stays on its ring.
    f.base->CMMouseEnter(0);
    TPopupForm* popup = f.base->popup();
    popup->close();
    QVERIFY(!f.base->lit());

    QTest::mouseClick(f.base, Qt::LeftButton);
    QVERIFY(popup->isVisible());
    QVERIFY(f.base->lit());
    QVERIFY(f.base->popupHeld());
    QVERIFY(item->checkMark());

    // Choosing the checked item closes it, as the check mark promises.
    f.base->MenuItemClick(item);
    QVERIFY(popup->isHidden());
    QVERIFY(!item->checkMark());
}

QTEST_MAIN(TestPointerPaths)
#include "tst_pointerpaths.moc"
