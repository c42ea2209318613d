// The help, technical-support and card-list windows: their texts, layouts, keys, and the
// Start button's search for the board picture.

#include "SetupCtrls/BoardHighlight.h"
#include "toolkit/Menu.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/SupportForms.h"
#include "toolkit/Screen.h"

#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

// The pieces of the help document as the page's windows show it.
const QByteArray helpHead =
    R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
    R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
    "\\viewkind4\\uc1\\pard\\f0\\fs32\\cf0\r\n{\\b ";
const QByteArray helpBody =
    " Settings Program}\\par\\par\\fs24\r\n"
    "This program will help you configure the option jumpers and settings associated with this product. "
    "You should have the product in-hand when first using this program.\\par\\par\r\n"
    "{\\cf1\\fs24\\b Yellow circles} provide information on configuring jumpers and switches.\\par\\par\r\n"
    "{\\cf2\\fs24\\b Blue circles} are informational only. They provide information on standard and optional "
    "features of the product family.\\par\\par\r\n"
    "{\\cf3\\fs24\\b Red circles} handle calibration and types of configuration that require actually "
    "controlling the hardware device. Run this settings program again once the card is installed. "
    "Repeat the {\\cf1 setup circles} (using the same settings) to configure this program, then perform the "
    "{\\cf3 calibration circles}.\\par\\par\r\n"
    "Mouse over the highlight circles to see configuration or information popups for {\\cf1 setup}, "
    "{\\cf2 features}, and {\\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. "
    "You can have all or as many of these popups onscreen at the same time as you desire.\\par\\par\r\n";
const QByteArray helpNote =
    "{\\fs32\\b Note:} Make sure to set the jumpers for each option group \\emdash  the configuration options "
    "for each port are handled identically; this program only shows the setup once, but you need to perform "
    "this setup for each group of options on your device.\\par\\par\r\n";
const QByteArray helpCardList = "To see a list of VT-4400 cards installed, click \"Display VT-4400 Cards "
                                "Installed\" under the File menu.\\par\\par\r\n";

// A main window laid out as the page's: its controls in the central area.
struct MainWindow
{
    MainWindow()
    {
        window.setCentralWidget(new QWidget);
        window.setGeometry(100, 100, 800, 600);
    }
    QWidget* area() const { return window.centralWidget(); }
    QMainWindow window;
};

// Counts the start-tour messages a board picture receives.
class TourCounter : public QObject
{
public:
    explicit TourCounter(QObject* board) { board->installEventFilter(this); }
    int tours = 0;
    bool parametersZero = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == TWindowMessage::typeOf(WM_STARTTOUR)) {
            const auto* message = static_cast<TWindowMessage*>(event);
            parametersZero = parametersZero && message->WParam == 0 && message->LParam == 0;
            ++tours;
        }
        return false;
    }
};

THelpContent pageHelp() { return {QStringLiteral("NORVIK"), QStringLiteral("VT-4400"), true, false, false}; }

void hideSender(QObject* sender) { static_cast<QWidget*>(sender)->window()->hide(); }

} // namespace

class DerivedBoard : public TBoardImage
{
    Q_OBJECT
public:
    using TBoardImage::TBoardImage;
};

class SupportFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Screen::setScreenSizeProvider({}); }

    void helpTextIsAssembledFromItsPieces_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<bool>("multiPort");
        QTest::addColumn<bool>("cardList");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray title = helpHead + "NORVIK VT-4400";
        QTest::newRow("this page") << true << false << false << title + " Series" + helpBody + "}";
        QTest::newRow("no series") << false << false << false << title + helpBody + "}";
        QTest::newRow("multi port") << true << true << false << title + " Series" + helpBody + helpNote + "}";
        QTest::newRow("card list") << true << false << true << title + " Series" + helpBody + helpCardList + "}";
        QTest::newRow("multi port and card list")
            << true << true << true << title + " Series" + helpBody + helpNote + helpCardList + "}";
    }

    void helpTextIsAssembledFromItsPieces()
    {
        QFETCH(bool, series);
        QFETCH(bool, multiPort);
        QFETCH(bool, cardList);
        QFETCH(QByteArray, expected);
        QCOMPARE(helpText({QStringLiteral("NORVIK"), QStringLiteral("VT-4400"), series, multiPort, cardList}),
                 expected);
    }

    void techTextNamesTheCompanyTwiceAndHowToCall()
    {
        QCOMPARE(techText(QStringLiteral("NORVIK"), QStringLiteral("at any hour")),
                 QStringLiteral(
                     "There are several ways to get technical support. First and fastest is to skim the relevant "
                     "sections of the manual. However, some questions require personal assistance, and NORVIK "
                     "stands ready to provide that help. You can call us at any hour for any of your product "
                     "questions.\r\n\r\nIn order to provide the best and fastest support possible, we ask that you "
                     "be at your computer when you call, and have the NORVIK product manual and Software Master CD "
                     "at hand."));
    }

    void helpWindowGrowsWithTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("start");

        QTest::newRow("800x600") << QSize(800, 600) << QSize(305, 138) << QPoint(66, 105);
        QTest::newRow("smaller screen") << QSize(640, 480) << QSize(305, 138) << QPoint(66, 105);
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(390, 177) << QPoint(108, 144);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(732, 331) << QPoint(280, 298);
        QTest::newRow("1366x768") << QSize(1366, 768) << QSize(521, 236) << QPoint(174, 203);
    }

    void helpWindowGrowsWithTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, client);
        QFETCH(QPoint, start);

        QCOMPARE(scaledHelpClientSize(QSize(305, 138), screen), client);

        Screen::setScreenSizeProvider([screen] { return screen; });
        MainWindow main;
        THelpForm* form = BuildHelpForm(&main.window, pageHelp());
        QCOMPARE(form->size(), client);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->size(), client);
        // The view fills the window but for the button's strip; the button stays centred,
        // 8 pixels above the bottom edge.
        QCOMPARE(form->StartButton->geometry(), QRect(start, QSize(173, 25)));
        QCOMPARE(form->HelpRich->geometry(), QRect(0, 24, client.width(), client.height() - 65));
        QCOMPARE(form->HelpLabel->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(form->HelpLabel->width(), client.width());
    }

    void helpWindowHoldsItsControls()
    {
        MainWindow main;
        THelpForm* form = BuildHelpForm(&main.window, pageHelp());
        QCOMPARE(form->parent(), &main.window);
        QVERIFY(form->isWindow());
        QVERIFY(form->isHidden());
        QCOMPARE(form->objectName(), QStringLiteral("HelpForm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Instructions for Settings utility"));
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);

        QCOMPARE(form->HelpLabel->objectName(), QStringLiteral("HelpLabel"));
        QCOMPARE(form->HelpLabel->text(), QStringLiteral("How to use this program"));
        QCOMPARE(form->HelpLabel->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(form->HelpLabel->font().pointSize(), 12);
        QVERIFY(form->HelpLabel->font().bold());
        QVERIFY(form->HelpLabel->alignment() & Qt::AlignHCenter);

        QCOMPARE(form->HelpRich->objectName(), QStringLiteral("HelpRich"));
        QVERIFY(form->HelpRich->isReadOnly());
        QCOMPARE(form->HelpRich->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form->HelpRich->palette().color(QPalette::Base), QColor(0xDD, 0xDD, 0xDD));
        QCOMPARE(form->HelpRich->document()->begin().text(), QStringLiteral("NORVIK VT-4400 Series Settings Program"));
        QCOMPARE(form->HelpRich->textCursor().position(), 0);

        QCOMPARE(form->StartButton->objectName(), QStringLiteral("StartButton"));
        QCOMPARE(form->StartButton->text(), QStringLiteral("Start"));
        QCOMPARE(form->StartButton->geometry(), QRect(66, 105, 173, 25));

        // First in the tab order, so it has the focus when the window opens.
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->focusWidget(), form->StartButton);
        QCOMPARE(form->HelpRich->verticalScrollBar()->value(), 0); // the title is in view
    }

    void windowsOpenOverTheMainWindowAndKeepTheirPlace_data()
    {
        QTest::addColumn<bool>("help");
        QTest::newRow("help") << true;
        // Left to the window manager it would cover the main window's menu bar.
        QTest::newRow("technical support") << false;
    }

    void windowsOpenOverTheMainWindowAndKeepTheirPlace()
    {
        QFETCH(bool, help);
        Screen::setScreenSizeProvider([] { return QSize(800, 600); });
        MainWindow main;
        TSupportForm* form = help ? static_cast<TSupportForm*>(BuildHelpForm(&main.window, pageHelp()))
                                  : BuildTechForm(&main.window, QStringLiteral("NORVIK"), QStringLiteral("now"), hideSender);
        form->showInFront();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // Centred to within the frame, which the window system adds as it shows the window.
        const QPoint offset = form->frameGeometry().center() - main.window.frameGeometry().center();
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        form->move(20, 30);
        form->hide();
        form->showInFront();
        QCOMPARE(form->pos(), QPoint(20, 30));
    }

    void techWindowLayout()
    {
        MainWindow main;
        TTechForm* form = BuildTechForm(&main.window, QStringLiteral("NORVIK"), QStringLiteral("now"), hideSender);
        QCOMPARE(form->parent(), &main.window);
        QVERIFY(form->isHidden());
        QCOMPARE(form->objectName(), QStringLiteral("TechForm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Technical Support"));
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form->size(), QSize(305, 122));
        QCOMPARE(form->TechMemo->objectName(), QStringLiteral("TechMemo"));
        QCOMPARE(form->TechMemo->geometry(), QRect(0, 0, 305, 89));
        QVERIFY(form->TechMemo->isReadOnly());
        QCOMPARE(form->TechMemo->toPlainText(),
                 techText(QStringLiteral("NORVIK"), QStringLiteral("now")).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(form->CloseButton->objectName(), QStringLiteral("CloseButton"));
        QCOMPARE(form->CloseButton->text(), QStringLiteral("Close"));
        QCOMPARE(form->CloseButton->geometry(), QRect(116, 97, 73, 25));

        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->focusWidget(), form->CloseButton);

        // Sizeable: the memo grows, the button keeps centred and 8 pixels above the bottom.
        form->resize(405, 222);
        QTRY_COMPARE(form->TechMemo->geometry(), QRect(0, 0, 405, 189));
        QCOMPARE(form->CloseButton->geometry(), QRect(166, 197, 73, 25));
    }

    void cardListWindowLayout()
    {
        MainWindow main;
        TPCIForm* form = BuildPCIForm(&main.window, QStringLiteral("VT-4400"), hideSender);
        QCOMPARE(form->parent(), &main.window);
        QVERIFY(form->isVisible());
        QCOMPARE(form->objectName(), QStringLiteral("PCIForm"));
        QCOMPARE(form->windowTitle(), QStringLiteral("VT-4400 Cards installed"));
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form->size(), QSize(305, 122));
        QCOMPARE(form->PCIMemo->objectName(), QStringLiteral("PCIMemo"));
        QCOMPARE(form->PCIMemo->geometry(), QRect(0, 0, 305, 89));
        QVERIFY(form->PCIMemo->isReadOnly());
        QCOMPARE(form->PCIMemo->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(form->PCIMemo->font().pointSize(), 10);
        QVERIFY(form->PCIMemo->font().bold());
        QCOMPARE(form->CloseButton->geometry(), QRect(115, 97, 73, 25));
    }

    void escapeAndEnterInTheSupportWindows_data()
    {
        QTest::addColumn<bool>("cardList");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("hides");

        QTest::newRow("tech, Escape") << false << int(Qt::Key_Escape) << true;
        QTest::newRow("tech, Enter in the memo") << false << int(Qt::Key_Return) << false;
        QTest::newRow("card list, Escape") << true << int(Qt::Key_Escape) << true;
        QTest::newRow("card list, Enter in the memo") << true << int(Qt::Key_Enter) << false;
    }

    void escapeAndEnterInTheSupportWindows()
    {
        QFETCH(bool, cardList);
        QFETCH(int, key);
        QFETCH(bool, hides);

        MainWindow main;
        TSupportForm* form = nullptr;
        QPlainTextEdit* memo = nullptr;
        if (cardList) {
            auto* pci = BuildPCIForm(&main.window, QStringLiteral("VT-4400"), hideSender);
            form = pci;
            memo = pci->PCIMemo;
        } else {
            auto* tech = BuildTechForm(&main.window, QStringLiteral("NORVIK"), QStringLiteral("now"), hideSender);
            form = tech;
            memo = tech->TechMemo;
        }
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key(key));
        QCOMPARE(form->isHidden(), hides);
    }

    void enterOnAFocusedCloseButtonPressesIt()
    {
        MainWindow main;
        TTechForm* form = BuildTechForm(&main.window, QStringLiteral("NORVIK"), QStringLiteral("now"), hideSender);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->CloseButton->setFocus();
        QTest::keyClick(form->CloseButton, Qt::Key_Return);
        QVERIFY(form->isHidden());
    }

    void startHidesTheHelpAndStartsTheTourOnTheFirstBoard_data()
    {
        QTest::addColumn<int>("key"); // 0: a click on the button
        QTest::newRow("click") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void startHidesTheHelpAndStartsTheTourOnTheFirstBoard()
    {
        QFETCH(int, key);

        MainWindow main;
        new QWidget(main.area());
        auto* first = new DerivedBoard(main.area()); // a derived class counts too
        auto* second = new TBoardImage(main.area());
        TourCounter firstTours(first), secondTours(second);
        THelpForm* form = BuildHelpForm(&main.window, pageHelp());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        if (key) {
            form->HelpRich->setFocus();
            QTest::keyClick(form->HelpRich, Qt::Key(key));
        } else {
            QTest::mouseClick(form->StartButton, Qt::LeftButton);
        }
        QVERIFY(form->isHidden());
        QCOMPARE(firstTours.tours, 1);
        QVERIFY(firstTours.parametersZero);
        QCOMPARE(secondTours.tours, 0);
    }

    void startFindsABoardPlacedOnTheMainWindowItself()
    {
        QWidget main;
        auto* board = new TBoardImage(&main);
        TourCounter tours(board);
        THelpForm* form = BuildHelpForm(&main, pageHelp());
        form->StartButtonClick(form->StartButton);
        QCOMPARE(tours.tours, 1);
    }

    void startWithoutABoardOnlyHides()
    {
        MainWindow main;
        THelpForm* form = BuildHelpForm(&main.window, pageHelp());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->StartButtonClick(form->StartButton);
        QVERIFY(form->isHidden());
    }

    void fittingMovesTheShownControlsToTheOrigin()
    {
        QWidget window;
        auto* a = new QWidget(&window);
        a->setGeometry(20, 30, 10, 10);
        auto* b = new QWidget(&window);
        b->setGeometry(50, 15, 5, 40);
        auto* hidden = new QWidget(&window);
        hidden->setGeometry(0, 0, 500, 500);
        hidden->hide();
        fitToControls(&window);
        QCOMPARE(window.size(), QSize(35, 40));
        QCOMPARE(a->pos(), QPoint(0, 15));
        QCOMPARE(b->pos(), QPoint(30, 0));
        QCOMPARE(hidden->pos(), QPoint(0, 0));
    }
};

QTEST_MAIN(SupportFormsTest)
#include "tst_supportforms.moc"
