// The ring's state machine (enter, leave, click, hold, activation, close) across linked
// rings, its drawing from prepared images, and its Title and RadioPanel setters.

#include "HighlightFixture.h"
#include "toolkit/MessageBox.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTest>

using namespace Setup;

namespace {

// Any box would be a fault: the highlight reports nothing at run time.
struct NoMessageBoxes
{
    int shown = 0;
    NoMessageBoxes()
    {
        MessageBox::setHandler([this](const QString&, const QString&, unsigned) {
            ++shown;
            return int(MessageBox::IDOK);
        });
    }
    ~NoMessageBoxes() { MessageBox::setHandler({}); }
};

QStringList names(const QObjectList& objects)
{
    QStringList result;
    for (const QObject* o : objects)
        if (qobject_cast<const TBoardHighlight*>(o))
            result << o->objectName();
    return result;
}

// A board picture of a class derived from the real one: its rings are not linked.
class TDerivedBoard : public TBoardImage
{
    Q_OBJECT
public:
    using TBoardImage::TBoardImage;
};

// The three drawings of a ring told apart by the centre pixel's red channel on black:
// idle, lit and active strengths of the settings ring times the inner tint 0.16.
int centreRed(const QImage& image) { return qRed(image.pixel(image.width() / 2, image.height() / 2)); }

} // namespace

class TestBoardHighlight : public QObject
{
    Q_OBJECT

private slots:
    void newRingHasSettingsDefaults();
    void enterLightsLinkedRingsAndBuildsOnePopup();
    void enterWhileLitDoesNothing();
    void relayedEnterIsNotRelayedAgain();
    void relayedLeaveIsNotRelayedAgain();
    void leaveOfUnlitRingDoesNothing();
    void ringWithoutPopupGoesDarkOnLeave();
    void leavingAnyLinkedRingClosesTheSharedPopup();
    void leavingIntoThePopupHoldsItUntilThePointerLeavesIt();
    void clickRunsOnClickThenHolds();
    void doubleClickIsOneClick();
    void onlyRingsOfTheSameTitleAndTypeOnAnExactBoardAreLinked_data();
    void onlyRingsOfTheSameTitleAndTypeOnAnExactBoardAreLinked();
    void setPopupActiveWalksTheReorderedChildList_data();
    void setPopupActiveWalksTheReorderedChildList();
    void popupActivationGivesTheGroupTheActiveLook();
    void paintCopiesTheImageForTheState_data();
    void paintCopiesTheImageForTheState();
    void imagesAreRenderedOnceFromTheFirstPaint();
    void earlierRingsShowThroughWhereTheyOverlap();
    void ringColourFollowsTheType_data();
    void ringColourFollowsTheType();
    void titleGivesCaptionAndMenuName_data();
    void titleGivesCaptionAndMenuName();
    void radioPanelIsSharedOnlyByLinkedRings();
    void destroyingTheBoardWithAnActivePopupIsSafe();
};

void TestBoardHighlight::newRingHasSettingsDefaults()
{
    TBoardHighlight h;
    QCOMPARE(h.size(), QSize(65, 65));
    QCOMPARE(h.HighlightType(), htSettings);
    QVERIFY(h.CreatePopup());
    QVERIFY(!h.lit());
    QVERIFY(!h.popup());
    QVERIFY(!h.RadioPanel());
}

void TestBoardHighlight::enterLightsLinkedRingsAndBuildsOnePopup()
{
    HighlightFixture f;
    f.irqHi->CMMouseEnter(0);
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY2(h->lit(), qPrintable(h->objectName()));
    QVERIFY(!f.base->lit());
    QVERIFY(f.irqHi->popup());
    QVERIFY(f.irqHi->popup()->isVisible());
    QVERIFY(!f.irqLo->popup());
    QVERIFY(!f.irq9->popup());
    QCOMPARE(HighlightFixture::windowsTitled("IRQ").size(), 1);
}

void TestBoardHighlight::enterWhileLitDoesNothing()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    popup->hide(); // hidden without closing: only a fresh OpenPopup would show it again
    f.irqLo->CMMouseEnter(0);
    f.irqHi->CMMouseEnter(0);
    QVERIFY(popup->isHidden());
    QCOMPARE(HighlightFixture::windowsTitled("IRQ").size(), 1);
}

void TestBoardHighlight::relayedEnterIsNotRelayedAgain()
{
    HighlightFixture f;
    f.irq9->CMMouseEnter(1);
    QVERIFY(f.irq9->lit());
    QVERIFY(!f.irqLo->lit());
    QVERIFY(!f.irqHi->lit());
    QVERIFY(f.irq9->popup()); // the first to open builds and owns the window
}

void TestBoardHighlight::relayedLeaveIsNotRelayedAgain()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    // irq9 has no window of its own, so a relayed leave changes nothing anywhere.
    f.irq9->CMMouseLeave(1);
    QVERIFY(f.irqLo->popup()->isVisible());
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY(h->lit());
    // Its own leave is relayed to the owner, which closes the window.
    f.irq9->CMMouseLeave(0);
    QVERIFY(f.irqLo->popup()->isHidden());
}

void TestBoardHighlight::leaveOfUnlitRingDoesNothing()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    f.irqLo->popup()->close();
    f.irqLo->CMMouseEnter(1); // lights irqLo alone and shows the window again
    QVERIFY(f.irqLo->popup()->isVisible());
    f.irqHi->CMMouseLeave(0); // dark: not relayed to the owner
    QVERIFY(f.irqLo->popup()->isVisible());
    QVERIFY(f.irqLo->lit());
}

void TestBoardHighlight::ringWithoutPopupGoesDarkOnLeave()
{
    HighlightFixture f;
    for (TBoardHighlight* h : f.irqRings())
        h->setCreatePopup(false);
    f.irqLo->CMMouseEnter(0);
    QVERIFY(f.irq9->lit());
    QVERIFY(!f.irqLo->popup());
    f.irq9->CMMouseLeave(0);
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY2(!h->lit(), qPrintable(h->objectName()));
}

void TestBoardHighlight::leavingAnyLinkedRingClosesTheSharedPopup()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    f.irqHi->CMMouseLeave(0);
    TPopupForm* popup = f.irqLo->popup();
    QVERIFY(popup->isHidden());
    QVERIFY(!popup->closeOnLeave());
    QVERIFY(!f.irqLo->popupHeld());
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY2(!h->lit(), qPrintable(h->objectName()));
}

void TestBoardHighlight::leavingIntoThePopupHoldsItUntilThePointerLeavesIt()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    f.cursor = HighlightFixture::inside(popup);
    f.irqLo->CMMouseLeave(0);
    QVERIFY(popup->isVisible());
    QVERIFY(popup->closeOnLeave());
    QVERIFY(f.irqLo->popupHeld());

    // Moving between the controls inside keeps it.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(popup->statusMemo(), &leave);
    QVERIFY(popup->isVisible());

    f.cursor = HighlightFixture::outside(popup);
    QApplication::sendEvent(f.irqPanel, &leave);
    QVERIFY(popup->isHidden());
    QVERIFY(!popup->closeOnLeave());
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY(!h->lit());
}

void TestBoardHighlight::clickRunsOnClickThenHolds()
{
    HighlightFixture f;
    f.irqHi->CMMouseEnter(0);
    QList<bool> heldWhenClicked;
    f.irqHi->setOnClick([&](QObject* sender) {
        QCOMPARE(sender, f.irqHi);
        heldWhenClicked << f.irqHi->popupHeld();
    });
    f.irqHi->Click();
    QCOMPARE(heldWhenClicked, QList<bool>{false});
    QVERIFY(f.irqHi->popupHeld());

    // A held window survives the pointer leaving the ring anywhere.
    f.irqHi->CMMouseLeave(0);
    TPopupForm* popup = f.irqHi->popup();
    QVERIFY(popup->isVisible());
    QVERIFY(!popup->closeOnLeave());
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY(h->lit());

    QTest::mouseClick(popup->doneButton(), Qt::LeftButton);
    QVERIFY(popup->isHidden());
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY(!h->lit());
}

void TestBoardHighlight::doubleClickIsOneClick()
{
    TBoardHighlight h;
    h.setCreatePopup(false);
    int clicks = 0;
    h.setOnClick([&](QObject*) { ++clicks; });
    const QPointF at(10, 10);
    const auto send = [&](QEvent::Type type) {
        QMouseEvent e(type, at, h.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h, &e);
    };
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    send(QEvent::MouseButtonDblClick);
    send(QEvent::MouseButtonRelease);
    QCOMPARE(clicks, 1);

    // A release outside the ring is no click either.
    send(QEvent::MouseButtonPress);
    QMouseEvent away(QEvent::MouseButtonRelease, QPointF(200, 10), h.mapToGlobal(QPointF(200, 10)),
                     Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&h, &away);
    QCOMPARE(clicks, 1);
}

void TestBoardHighlight::onlyRingsOfTheSameTitleAndTypeOnAnExactBoardAreLinked_data()
{
    QTest::addColumn<QString>("otherTitle");
    QTest::addColumn<THighlightType>("otherType");
    QTest::addColumn<bool>("derivedBoard");
    QTest::addColumn<bool>("linked");
    QTest::newRow("same title and type") << "IRQ" << htSettings << false << true;
    QTest::newRow("title differs in case") << "Irq" << htSettings << false << false;
    QTest::newRow("other type") << "IRQ" << htOptions << false << false;
    QTest::newRow("board of a derived class") << "IRQ" << htSettings << true << false;
}

void TestBoardHighlight::onlyRingsOfTheSameTitleAndTypeOnAnExactBoardAreLinked()
{
    QFETCH(QString, otherTitle);
    QFETCH(THighlightType, otherType);
    QFETCH(bool, derivedBoard);
    QFETCH(bool, linked);
    HighlightFixture f;
    QWidget* board = derivedBoard ? new TDerivedBoard(&f.window) : f.board;
    auto* first = new TBoardHighlight(board);
    first->setTitle("IRQ");
    auto* second = new TBoardHighlight(board);
    second->setTitle(otherTitle);
    second->setHighlightType(otherType);
    first->setCreatePopup(false);
    second->setCreatePopup(false);

    QCOMPARE(first->linkedHighlights().contains(second), linked);
    first->CMMouseEnter(0);
    QCOMPARE(second->lit(), linked);
    first->Unlight();
    first->SetPopupActive(true, true);
    QCOMPARE(second->popupActive(), linked);
}

void TestBoardHighlight::setPopupActiveWalksTheReorderedChildList_data()
{
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QString>("caller");
    QTest::addColumn<QStringList>("expected");
    // Each raised ring goes to the end of the list; the walk stays at its index.
    QTest::newRow("caller first") << QStringList{"irqLo", "base", "irqHi", "irq9"} << "irqLo"
                                  << QStringList{"base", "irqLo", "irqHi", "irq9"};
    QTest::newRow("caller last") << QStringList{"irqHi", "irq9", "base", "irqLo"} << "irqLo"
                                 << QStringList{"base", "irqLo", "irqHi", "irq9"};
    QTest::newRow("caller in the middle") << QStringList{"irq9", "irqLo", "irqHi", "base"} << "irqHi"
                                          << QStringList{"base", "irqHi", "irq9", "irqLo"};
}

void TestBoardHighlight::setPopupActiveWalksTheReorderedChildList()
{
    QFETCH(QStringList, order);
    QFETCH(QString, caller);
    QFETCH(QStringList, expected);
    HighlightFixture f;
    for (const QString& name : order)
        f.board->findChild<TBoardHighlight*>(name)->raise();
    QCOMPARE(names(f.board->children()), order);

    f.board->findChild<TBoardHighlight*>(caller)->SetPopupActive(true, true);
    QCOMPARE(names(f.board->children()), expected);
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY2(h->popupActive(), qPrintable(h->objectName()));
    QVERIFY(!f.base->popupActive());

    // Without propagation only the caller changes.
    f.irq9->SetPopupActive(false, false);
    QVERIFY(!f.irq9->popupActive());
    QVERIFY(f.irqLo->popupActive());
}

void TestBoardHighlight::popupActivationGivesTheGroupTheActiveLook()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    QTRY_VERIFY(popup->isActiveWindow());
    for (TBoardHighlight* h : f.irqRings())
        QTRY_VERIFY2(h->popupActive(), qPrintable(h->objectName()));
    QVERIFY(!f.base->popupActive());

    popup->close(); // hiding the active window deactivates it
    for (TBoardHighlight* h : f.irqRings())
        QTRY_VERIFY2(!h->popupActive(), qPrintable(h->objectName()));
}

void TestBoardHighlight::paintCopiesTheImageForTheState_data()
{
    QTest::addColumn<bool>("lit");
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("red");
    QTest::newRow("idle") << false << false << 20;   // 255 * 0.16 * 0.5
    QTest::newRow("lit") << true << false << 31;     // 255 * 0.16 * 0.75
    QTest::newRow("active only") << false << true << 31;
    QTest::newRow("lit and active") << true << true << 41; // strength 1, inner tint not doubled
}

void TestBoardHighlight::paintCopiesTheImageForTheState()
{
    QFETCH(bool, lit);
    QFETCH(bool, active);
    QFETCH(int, red);
    QWidget parent;
    parent.setPalette(QPalette(Qt::black));
    parent.setAutoFillBackground(true);
    parent.resize(100, 100);
    auto* h = new TBoardHighlight(&parent);
    h->setCreatePopup(false);
    if (lit)
        h->CMMouseEnter(0);
    h->SetPopupActive(active, false);
    const QImage shown = h->grab().toImage();
    QCOMPARE(centreRed(shown), red);
    QCOMPARE(centreRed(h->currentImage()), red);
    QCOMPARE(qBlue(shown.pixel(32, 32)), 0);
}

void TestBoardHighlight::imagesAreRenderedOnceFromTheFirstPaint()
{
    QWidget parent;
    parent.setPalette(QPalette(Qt::black));
    parent.setAutoFillBackground(true);
    parent.resize(100, 100);
    auto* h = new TBoardHighlight(&parent);
    QVERIFY(!h->prepared());
    h->grab();
    QVERIFY(h->prepared());
    QCOMPARE(h->currentImage().size(), QSize(65, 65));

    // Neither the type nor the background nor the size is looked at again.
    h->setHighlightType(htOptions);
    parent.setPalette(QPalette(Qt::white));
    h->resize(80, 80);
    const QImage again = h->grab().toImage();
    QCOMPARE(h->currentImage().size(), QSize(65, 65));
    QCOMPARE(again.pixel(32, 32), qRgb(20, 20, 0));
}

void TestBoardHighlight::earlierRingsShowThroughWhereTheyOverlap()
{
    QWidget parent;
    parent.setPalette(QPalette(Qt::black));
    parent.setAutoFillBackground(true);
    parent.resize(200, 100);
    auto* first = new TBoardHighlight(&parent);
    auto* second = new TBoardHighlight(&parent);
    second->move(32, 0);
    parent.grab();
    // second's left edge lies on its ellipse (untouched) and over first's centre.
    QCOMPARE(second->currentImage().pixel(0, 32), qRgb(20, 20, 0));
    QCOMPARE(first->currentImage().pixel(0, 32), qRgb(0, 0, 0));
}

void TestBoardHighlight::ringColourFollowsTheType_data()
{
    QTest::addColumn<THighlightType>("type");
    QTest::addColumn<QRgb>("centre");
    QTest::newRow("options: blue at 0.25") << htOptions << qRgb(0, 0, 10);
    QTest::newRow("settings: yellow at 0.5") << htSettings << qRgb(20, 20, 0);
    QTest::newRow("calibration: red at 0.5") << htCalibration << qRgb(20, 0, 0);
}

void TestBoardHighlight::ringColourFollowsTheType()
{
    QFETCH(THighlightType, type);
    QFETCH(QRgb, centre);
    QWidget parent;
    parent.setPalette(QPalette(Qt::black));
    parent.setAutoFillBackground(true);
    parent.resize(100, 100);
    auto* h = new TBoardHighlight(&parent);
    h->setHighlightType(htCalibration); // away and back: every row goes through the setter
    h->setHighlightType(type);
    QCOMPARE(h->grab().toImage().pixel(32, 32), centre);
}

void TestBoardHighlight::titleGivesCaptionAndMenuName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("menuName");
    QTest::newRow("spaces") << "Base Address" << "Base Address" << "BaseAddress";
    QTest::newRow("identifier already") << "IRQ" << "IRQ" << "IRQ";
    QTest::newRow("digit inside") << "Mode 1 Digital Inversion" << "Mode 1 Digital Inversion" << "Mode1DigitalInversion";
    QTest::newRow("leading non-ASCII and digits") << "±12V Source" << "±12V Source" << "VSource";
    QTest::newRow("slash") << "Analog Input And Counter/Timer" << "Analog Input And Counter/Timer" << "AnalogInputAndCounterTimer";
    QTest::newRow("non-ASCII inside") << "External ±12V" << "External ±12V" << "External12V";
    QTest::newRow("accelerator") << "&Settings" << "Settings" << "Settings";
    QTest::newRow("every ampersand goes") << "A&&B&" << "AB" << "AB";
    QTest::newRow("underscore may start") << "1_x-2" << "1_x-2" << "_x2";
    QTest::newRow("no letter") << "12 34" << "12 34" << "";
    QTest::newRow("empty") << "" << "" << "";
}

void TestBoardHighlight::titleGivesCaptionAndMenuName()
{
    QFETCH(QString, title);
    QFETCH(QString, caption);
    QFETCH(QString, menuName);
    TBoardHighlight h;
    h.setTitle("previous");
    h.setTitle(title);
    QCOMPARE(h.Title(), title);
    QCOMPARE(h.popupCaption(), caption);
    QCOMPARE(h.menuName(), menuName);
}

void TestBoardHighlight::radioPanelIsSharedOnlyByLinkedRings()
{
    NoMessageBoxes boxes;
    HighlightFixture f;
    // The fixture gave all three IRQ rings the same panel: they are linked.
    for (TBoardHighlight* h : f.irqRings())
        QCOMPARE(h->RadioPanel(), f.irqPanel);

    f.base->setRadioPanel(f.irqPanel);
    QCOMPARE(f.base->RadioPanel(), f.basePanel);

    auto* sameTitleOtherType = f.addHighlight("irqOptions", "IRQ", QRect(0, 0, 10, 10), nullptr);
    sameTitleOtherType->setHighlightType(htOptions);
    sameTitleOtherType->setRadioPanel(f.irqPanel);
    QVERIFY(!sameTitleOtherType->RadioPanel());

    // The refusal depends on the siblings only, not on the parent's class.
    QWidget plain;
    auto* a = new TBoardHighlight(&plain);
    auto* b = new TBoardHighlight(&plain);
    a->setTitle("A");
    b->setTitle("B");
    TRadioPanel panel;
    a->setRadioPanel(&panel);
    b->setRadioPanel(&panel);
    QVERIFY(!b->RadioPanel());

    // Letting go always works, and frees the panel for the other ring.
    a->setRadioPanel(nullptr);
    QVERIFY(!a->RadioPanel());
    b->setRadioPanel(&panel);
    QCOMPARE(b->RadioPanel(), &panel);
    QCOMPARE(boxes.shown, 0);
}

void TestBoardHighlight::destroyingTheBoardWithAnActivePopupIsSafe()
{
    auto* f = new HighlightFixture;
    f->irqLo->CMMouseEnter(0);
    QTRY_VERIFY(f->irqLo->popup()->isActiveWindow());
    delete f;
    QVERIFY(HighlightFixture::windowsTitled("IRQ").isEmpty());
}

QTEST_MAIN(TestBoardHighlight)
#include "tst_boardhighlight.moc"
