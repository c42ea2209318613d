// The popup window a ring builds: its controls and their places, its size and position on
// the screen, the duplicate-window check, reuse after closing, anchors and activation.

#include "HighlightFixture.h"
#include "toolkit/Anchors.h"
#include "toolkit/Component.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

using namespace Setup;

namespace {

QSize frameExtra()
{
    const QMargins m = TPopupForm::frameMargins();
    return QSize(m.left() + m.right(), m.top() + m.bottom());
}

QRect childRect(const TPopupForm* popup, const char* name)
{
    const auto* child = popup->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    return child ? child->geometry() : QRect();
}

// The board as the page leaves it after its first paint: laid out at (195, 53), then
// moved by centring to (316, 188).
void placeBoard(HighlightFixture& f)
{
    f.board->setCenterOnForm(false);
    f.board->setGeometry(195, 53, 400, 399);
    f.board->grab();
    QVERIFY(f.board->designRecorded());
    f.board->move(316, 188);
}

} // namespace

class TestPopupForm : public QObject
{
    Q_OBJECT

private slots:
    void buildsTheLayoutAroundThePanel();
    void windowWithoutPanelSitsUnderThePictureWithDoneFocused();
    void panelPlaceMovesWithThePicture();
    void parentThatIsNoBoardPlacesAtItsCorner();
    void windowIsKeptOnTheScreen_data();
    void windowIsKeptOnTheScreen();
    void smallWindowIsEnlargedToTheMinimum();
    void controlsFollowTheirAnchors();
    void anyWindowWithTheCaptionAndTagPreventsBuilding_data();
    void anyWindowWithTheCaptionAndTagPreventsBuilding();
    void closedWindowIsShownAgainUnheld();
    void firstOpeningFocusesThePanel();
    void activationRunsThePanelHandlers();
};

void TestPopupForm::buildsTheLayoutAroundThePanel()
{
    HighlightFixture f;
    f.irqPanel->resize(300, 129);
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    QVERIFY(popup);

    QCOMPARE(popup->size(), QSize(300, 238));
    QCOMPARE(popup->minimumSize(), QSize(300, 238));
    QCOMPARE(popup->windowTitle(), QString("IRQ"));
    QCOMPARE(tagOf(popup), 1);
    QVERIFY(popup->windowFlags().testFlag(Qt::Tool));
    QVERIFY(popup->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(popup->parent(), f.irqLo);
    QCOMPARE(popup->highlight(), f.irqLo);

    QStringList order;
    for (QObject* child : popup->children())
        if (child->isWidgetType())
            order << child->objectName();
    QCOMPARE(order, (QStringList{"IRQPanel", "PopupStatus", "PreviousButton", "NextButton", "DoneButton", "StatusMemo"}));

    QCOMPARE(f.irqPanel->geometry(), QRect(0, 0, 300, 129));
    QVERIFY(f.irqPanel->isVisible());
    QVERIFY(f.irqPanel->inPopup());
    QCOMPARE(childRect(popup, "StatusMemo"), QRect(6, 130, 288, 58));
    QCOMPARE(childRect(popup, "PreviousButton"), QRect(6, 194, 58, 25));
    QCOMPARE(childRect(popup, "NextButton"), QRect(121, 194, 58, 25));
    QCOMPARE(childRect(popup, "DoneButton"), QRect(236, 194, 58, 25));
    QCOMPARE(childRect(popup, "PopupStatus"), QRect(0, 219, 300, 19));
    QCOMPARE(popup->PopupStatus()->objectName(), QString("PopupStatus"));

    const auto caption = [&](const char* name) { return popup->findChild<QPushButton*>(name)->text(); };
    QCOMPARE(caption("PreviousButton"), QString("Previous"));
    QCOMPARE(caption("NextButton"), QString("Next"));
    QCOMPARE(caption("DoneButton"), QString("Done"));

    QPlainTextEdit* memo = popup->statusMemo();
    QCOMPARE(f.irqPanel->statusMemo(), memo);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->toPlainText(), QString("Pick the interrupt.\n\nOne jumper only."));

    // The lines were copied once: later changes stay with the panel.
    f.irqPanel->setLines({"changed"});
    QCOMPARE(memo->toPlainText(), QString("Pick the interrupt.\n\nOne jumper only."));
}

void TestPopupForm::windowWithoutPanelSitsUnderThePictureWithDoneFocused()
{
    HighlightFixture f;
    placeBoard(f);
    TBoardHighlight* dio = f.addHighlight("dio", "Digital I/O", QRect(20, 300, 40, 40), nullptr);
    dio->setHighlightType(htOptions);
    dio->CMMouseEnter(0);
    TPopupForm* popup = dio->popup();
    QVERIFY(popup);
    QCOMPARE(popup->size() + frameExtra(), QSize(194, 141));
    QCOMPARE(popup->frameGeometry().topLeft(), QPoint(316, 188 + 399 + 38));
    QCOMPARE(tagOf(popup), 0);
    QCOMPARE(popup->statusMemo()->height(), 58);
    QVERIFY(popup->statusMemo()->toPlainText().isEmpty());
    QCOMPARE(popup->statusMemo()->y(), popup->doneButton()->y() - 6 - 58);
    QTRY_COMPARE(QApplication::focusWidget(), popup->doneButton());
}

void TestPopupForm::panelPlaceMovesWithThePicture()
{
    HighlightFixture f;
    placeBoard(f);
    f.irqLo->CMMouseEnter(0);
    // The layout place (600, 144) moved as far as centring moved the picture: (121, 135).
    QCOMPARE(f.irqLo->popup()->frameGeometry().topLeft(), QPoint(721, 279));
}

void TestPopupForm::parentThatIsNoBoardPlacesAtItsCorner()
{
    HighlightFixture f;
    QWidget holder(&f.window);
    holder.setGeometry(50, 60, 300, 300);
    auto* ring = new TBoardHighlight(&holder);
    ring->setTitle("Loose");
    ring->setRadioPanel(f.basePanel);
    ring->CMMouseEnter(0);
    QCOMPARE(ring->popup()->frameGeometry().topLeft(), QPoint(50, 60));
}

void TestPopupForm::windowIsKeptOnTheScreen_data()
{
    // A window without a panel (194 x 141 outer) opens at the picture's Left and 38 below it.
    QTest::addColumn<QRect>("picture");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("fits") << QRect(316, 188, 400, 399) << QSize(2000, 2000) << QPoint(316, 625);
    QTest::newRow("left of the screen") << QRect(-20, 188, 400, 399) << QSize(2000, 2000) << QPoint(0, 625);
    QTest::newRow("past the right edge") << QRect(900, 188, 400, 399) << QSize(1000, 2000) << QPoint(806, 625);
    QTest::newRow("above the screen") << QRect(316, -500, 400, 399) << QSize(2000, 2000) << QPoint(316, 0);
    QTest::newRow("past the bottom") << QRect(316, 188, 400, 399) << QSize(2000, 700) << QPoint(316, 559);
    QTest::newRow("larger than the screen") << QRect(316, 188, 400, 399) << QSize(150, 100) << QPoint(-44, -41);
}

void TestPopupForm::windowIsKeptOnTheScreen()
{
    QFETCH(QRect, picture);
    QFETCH(QSize, screen);
    QFETCH(QPoint, expected);
    HighlightFixture f;
    Screen::setScreenSizeProvider([screen] { return screen; });
    f.board->setGeometry(picture);
    auto* ring = f.addHighlight("ring", "Ring", QRect(0, 0, 20, 20), nullptr);
    ring->CMMouseEnter(0);
    QCOMPARE(ring->popup()->frameGeometry().topLeft(), expected);
}

void TestPopupForm::smallWindowIsEnlargedToTheMinimum()
{
    HighlightFixture f;
    f.irqPanel->resize(100, 20);
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    const QSize client(194 - frameExtra().width(), qMax(20 + 58 + 51, 122 - frameExtra().height()));
    QCOMPARE(popup->size(), client);
    QCOMPARE(popup->minimumSize(), client);
    QCOMPARE(popup->doneButton()->geometry(), QRect(client.width() - 64, client.height() - 44, 58, 25));
}

void TestPopupForm::controlsFollowTheirAnchors()
{
    HighlightFixture f;
    f.irqPanel->resize(300, 129);
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    popup->resize(400, 300);
    QCOMPARE(childRect(popup, "IRQPanel"), QRect(0, 0, 300, 129));
    QCOMPARE(childRect(popup, "StatusMemo"), QRect(6, 130, 388, 120));
    QCOMPARE(childRect(popup, "PreviousButton"), QRect(6, 256, 58, 25));
    QCOMPARE(childRect(popup, "NextButton"), QRect(171, 256, 58, 25)); // centre kept at half the width
    QCOMPARE(childRect(popup, "DoneButton"), QRect(336, 256, 58, 25));
    QCOMPARE(childRect(popup, "PopupStatus"), QRect(0, 281, 400, 19));
}

void TestPopupForm::anyWindowWithTheCaptionAndTagPreventsBuilding_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("builds");
    QTest::newRow("hidden window, same caption and Tag") << "IRQ" << 1 << false << false;
    QTest::newRow("shown window, same caption and Tag") << "IRQ" << 1 << true << false;
    QTest::newRow("other Tag") << "IRQ" << 0 << false << true;
    QTest::newRow("caption differs in case") << "Irq" << 1 << false << true;
}

void TestPopupForm::anyWindowWithTheCaptionAndTagPreventsBuilding()
{
    QFETCH(QString, caption);
    QFETCH(int, tag);
    QFETCH(bool, shown);
    QFETCH(bool, builds);
    HighlightFixture f;
    QWidget other;
    other.setWindowTitle(caption);
    setTag(&other, tag);
    other.setVisible(shown);
    f.irqLo->CMMouseEnter(0);
    QCOMPARE(f.irqLo->popup() != nullptr, builds);
    QVERIFY(f.irqLo->lit());
    QCOMPARE(f.irqPanel->inPopup(), builds);
}

void TestPopupForm::closedWindowIsShownAgainUnheld()
{
    HighlightFixture f;
    f.irqLo->CMMouseEnter(0);
    f.irqLo->Click();
    TPopupForm* popup = f.irqLo->popup();
    QTest::mouseClick(popup->doneButton(), Qt::LeftButton);
    QVERIFY(popup->isHidden());
    QVERIFY(f.irqLo->popupHeld()); // closing leaves the hold until the window is shown again

    // Entering a linked ring relays to the owner, which shows its window once more.
    f.irq9->CMMouseEnter(0);
    QVERIFY(popup->isVisible());
    QVERIFY(!f.irqLo->popupHeld());
    QVERIFY(!f.irq9->popup());
    QCOMPARE(f.irqPanel->parentWidget(), popup);
    QCOMPARE(HighlightFixture::windowsTitled("IRQ").size(), 1);
}

void TestPopupForm::firstOpeningFocusesThePanel()
{
    HighlightFixture f;
    int entered = 0;
    f.irqPanel->setOnEnter([&](QObject*) { ++entered; });
    auto* edit = new QPlainTextEdit(f.irqPanel); // something inside that takes the focus
    Q_UNUSED(edit);
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    QTRY_VERIFY(popup->isActiveWindow());
    QCOMPARE(popup->focusWidget(), f.irqPanel);
    QTRY_COMPARE(entered, 1);
}

void TestPopupForm::activationRunsThePanelHandlers()
{
    HighlightFixture f;
    QList<QObject*> activated, deactivated;
    f.irqPanel->setOnActivate([&](QObject* sender) { activated << sender; });
    f.irqPanel->setOnDeactivate([&](QObject* sender) { deactivated << sender; });
    f.irqLo->CMMouseEnter(0);
    TPopupForm* popup = f.irqLo->popup();
    QTRY_COMPARE(activated, QList<QObject*>{popup});
    QTRY_VERIFY(f.irq9->popupActive());

    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_COMPARE(deactivated, QList<QObject*>{popup});
    for (TBoardHighlight* h : f.irqRings()) {
        QTRY_VERIFY(!h->popupActive());
        QVERIFY(h->lit()); // the lit look stays while the window is open
    }
}

QTEST_MAIN(TestPopupForm)
#include "tst_popupform.moc"
