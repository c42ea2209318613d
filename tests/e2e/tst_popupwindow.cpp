// The popup window under a real window system: its outer size with the frame the window
// manager gives it, and the real pointer moving from a ring into the popup and out.

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/PopupForm.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QWindow>

namespace {

// A window manager that is still starting can drop a window mapped in that moment; a
// second mapping then goes through.
bool showExposed(QWidget& window)
{
    window.show();
    if (QTest::qWaitForWindowExposed(&window, 2000))
        return true;
    window.hide();
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

} // namespace

class TestPopupWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowWithoutPanelHasItsOuterSizeWithTheRealFrame();
    void pointerFromTheRingIntoThePopupAndOutClosesIt();

private:
    struct Page
    {
        QWidget window;
        TBoardImage* board = new TBoardImage(&window);
        TBoardHighlight* ring = new TBoardHighlight(board);

        Page()
        {
            window.setGeometry(40, 40, 600, 500);
            board->setCenterOnForm(false);
            board->setGeometry(20, 20, 300, 200);
            ring->setTitle("Ring");
            ring->setGeometry(50, 50, 65, 65);
        }
    };
};

void TestPopupWindow::initTestCase()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs a real X server with a window manager");
}

void TestPopupWindow::windowWithoutPanelHasItsOuterSizeWithTheRealFrame()
{
    Page page;
    QVERIFY(showExposed(page.window));
    page.ring->CMMouseEnter(0);
    TPopupForm* popup = page.ring->popup();
    QVERIFY(popup);
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    // Once framed, the window settles to 194 x 141 with the frame and cannot shrink below it.
    QTRY_VERIFY(!popup->windowHandle()->frameMargins().isNull());
    QTRY_COMPARE(popup->frameGeometry().size(), QSize(194, 141));
    QVERIFY(popup->size().height() < 141);
    QCOMPARE(popup->minimumSize(), popup->size());
    // The picture's place in the window's client area, 38 below it, taken as a screen place.
    QTRY_COMPARE(popup->frameGeometry().topLeft(), QPoint(20, 20 + 200 + 38));
    popup->close();
}

void TestPopupWindow::pointerFromTheRingIntoThePopupAndOutClosesIt()
{
    Page page;
    QVERIFY(showExposed(page.window));
    QCursor::setPos(page.window.mapToGlobal(QPoint(5, 5)));
    QTRY_VERIFY(!page.ring->lit());

    QCursor::setPos(page.ring->mapToGlobal(page.ring->rect().center()));
    QTRY_VERIFY(page.ring->popup());
    TPopupForm* popup = page.ring->popup();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QTRY_VERIFY(page.ring->lit());

    QCursor::setPos(popup->geometry().center());
    QTRY_VERIFY(page.ring->popupHeld());
    QVERIFY(popup->closeOnLeave());
    QVERIFY(popup->isVisible());

    QCursor::setPos(page.window.mapToGlobal(QPoint(5, 5)));
    QTRY_VERIFY(popup->isHidden());
    QVERIFY(!page.ring->lit());
}

QTEST_MAIN(TestPopupWindow)
#include "tst_popupwindow.moc"
