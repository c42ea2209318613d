// A popup entered from its ring, left by the real pointer where the window itself hears
// nothing: over its title bar, and from the drop-down list of one of its lists.

#include "RealInput.h"

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/PopupForm.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

class TestPopupLeave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void leavingOverTheTitleBarClosesThePopup();
    void leavingFromADropDownListClosesThePopup();

private:
    // Moves the pointer from beside the ring onto it and then into its popup: onto the
    // target control, or without one onto the title bar.
    TPopupForm* enterPopupFromRing(const char* ringName, const QWidget* target);

    std::unique_ptr<TMainForm> m_form;
};

void TestPopupLeave::initTestCase()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs a real X server with a window manager");
}

void TestPopupLeave::init()
{
    m_form = std::make_unique<TMainForm>();
    m_form->loadLayout();
    TApplication::instance()->setOnIdle({}); // no help window in the way
    m_form->showAsDesigned();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestPopupLeave::cleanup() { m_form.reset(); }

TPopupForm* TestPopupLeave::enterPopupFromRing(const char* ringName, const QWidget* target)
{
    auto* ring = m_form->findChild<TBoardHighlight*>(QString::fromLatin1(ringName));
    if (!ring || !RealInput::moveTo(ring->mapToGlobal(QPoint(-20, ring->height() / 2)))
        || !RealInput::moveTo(RealInput::centreOf(ring))
        || !QTest::qWaitFor([ring] { return ring->popup() && ring->popup()->isVisible(); }))
        return nullptr;
    TPopupForm* popup = ring->popup();
    // The window settles to its frame once the window manager has framed it; aim at where it
    // then is.
    if (!QTest::qWaitFor([popup] { return !popup->windowHandle()->frameMargins().isNull(); }))
        return nullptr;
    QCoreApplication::processEvents();
    const QRect frame = popup->frameGeometry();
    const QPoint into = target ? RealInput::centreOf(target) : QPoint(frame.center().x(), frame.top() + 3);
    if (!RealInput::moveTo(into) || !QTest::qWaitFor([popup] { return popup->closeOnLeave(); }))
        return nullptr;
    return popup;
}

void TestPopupLeave::leavingOverTheTitleBarClosesThePopup()
{
    TPopupForm* popup = enterPopupFromRing("BaseHighlight", nullptr);
    QVERIFY(popup);
    QVERIFY(!popup->geometry().contains(QCursor::pos())); // on the frame, not in the window
    QVERIFY(RealInput::moveTo(m_form->mapToGlobal(QPoint(5, m_form->height() / 2))));
    QTRY_VERIFY(popup->isHidden());
}

void TestPopupLeave::leavingFromADropDownListClosesThePopup()
{
    auto* combo = m_form->findChild<QComboBox*>(QStringLiteral("IRQCombo"));
    TPopupForm* popup = enterPopupFromRing("IRQHighlightLo", combo);
    QVERIFY(popup);
    QVERIFY(RealInput::click(combo));
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    // The last entry lies below the popup; picking it leaves the pointer outside.
    const QPoint last = list->viewport()->mapToGlobal(list->visualRect(list->model()->index(11, 0)).center());
    QVERIFY(!popup->frameGeometry().contains(last));
    QVERIFY(RealInput::clickAt(last));
    QTRY_COMPARE(combo->currentIndex(), 11);
    QTRY_VERIFY(popup->isHidden());
}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestPopupLeave test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_popupleave.moc"
