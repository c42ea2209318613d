// The setup supporter: its build at the first idle moment, the card list, the timer that
// opens the help window once, and calibration polling with its two message boxes.

#include "SetupCtrls/SetupSupporter.h"
#include "toolkit/Application.h"
#include "toolkit/Menu.h"
#include "toolkit/MessageBox.h"
#include "toolkit/Screen.h"

#include <QAbstractEventDispatcher>
#include <QComboBox>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <stdexcept>

// A page's main window: controls in the central area, the menu bar reached through `Menu`.
class FakePage : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(TMainMenu* Menu READ menu)

public:
    enum MenuKind { WithFile, WithoutFile, NoMenu };

    explicit FakePage(MenuKind kind = WithFile)
    {
        setCentralWidget(new QWidget);
        resize(800, 600);
        if (kind == NoMenu)
            return;
        m_menu = new TMainMenu(this);
        file = new TMenuItem(this);
        file->setCaption(kind == WithFile ? QStringLiteral("&File") : QStringLiteral("File"));
        auto* exit = new TMenuItem(file);
        exit->setCaption(QStringLiteral("&Exit"));
        file->add(exit);
        auto* help = new TMenuItem(this);
        help->setCaption(QStringLiteral("&Help"));
        m_menu->add(help);
        m_menu->insert(0, file);
    }

    TMainMenu* menu() const { return m_menu; }
    TMenuItem* file = nullptr;

private:
    TMainMenu* m_menu = nullptr;
};

namespace {

struct Box
{
    QString text, caption;
    unsigned flags;
};

// Answers every message box with the next of the given answers (Cancel when they run out)
// and records what each box said and in what state the supporter was.
struct BoxRecorder
{
    explicit BoxRecorder(QList<int> answers = {}) : answers(std::move(answers))
    {
        MessageBox::setHandler([this](const QString& text, const QString& caption, unsigned flags) {
            boxes.append({text, caption, flags});
            if (supporter)
                quietWhileShown = quietWhileShown && !supporter->polling() && !supporter->timerRunning();
            return this->answers.isEmpty() ? int(MessageBox::IDCANCEL) : this->answers.takeFirst();
        });
    }
    ~BoxRecorder() { MessageBox::setHandler({}); }

    QList<int> answers;
    QList<Box> boxes;
    TSetupSupporter* supporter = nullptr;
    bool quietWhileShown = true;
};

// One calibration display: a list of eight lines, a button and a control hidden while polling.
struct CalibDisplay
{
    explicit CalibDisplay(QWidget* parent, int items = 8)
        : list(new QListWidget(parent)), button(new QPushButton(QStringLiteral("Stop"), parent)),
          hidden(new QWidget(parent))
    {
        for (int i = 0; i < items; ++i)
            list->addItem(QStringLiteral("empty"));
    }
    TChannelControls controls()
    {
        return {[this] { return list; }, [this] { return button; }, [this] { return hidden; }};
    }
    QStringList lines() const
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    QListWidget* list;
    QPushButton* button;
    QWidget* hidden;
};

void useCardCount(int count)
{
    TSetupSupporter::setCardCounter([count] { return count; });
}

QStringList expectedLines(const QString& prefix, int channels)
{
    QStringList lines;
    for (int channel = 0; channel < channels; ++channel)
        lines << QStringLiteral("Channel ") + QString::number(channel) + u'\t' + prefix + QString::number(channel);
    return lines;
}

const QString failureText = QStringLiteral(
    "Total A/D failure. The card may not be installed, or it may be installed at a different base address.");

} // namespace

class SetupSupporterTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Screen::setScreenSizeProvider([] { return QSize(800, 600); }); }

    void cleanup()
    {
        TSetupSupporter::setTimerStarter({});
        TSetupSupporter::setCardCounter({});
        Screen::setScreenSizeProvider({});
    }

    void startsWithItsInitialValues()
    {
        TSetupSupporter supporter;
        QCOMPARE(supporter.property("CompanyName").toString(), QString());
        QCOMPARE(supporter.property("CardNameA").toString(), QString());
        QCOMPARE(supporter.property("CardNameB").toString(), QString());
        QCOMPARE(supporter.property("CallHow").toString(), QString());
        QCOMPARE(supporter.property("UseCardNameB").toBool(), false);
        QCOMPARE(supporter.property("MultiPort").toBool(), false);
        QCOMPARE(supporter.property("Channels").toInt(), 8);
        QCOMPARE(supporter.property("ChangeButtons").toBool(), true);
        QCOMPARE(supporter.property("bSeries").toBool(), true);
        QVERIFY(!supporter.onBeginCalib().assigned());
        QVERIFY(!supporter.onGetCardString().assigned());
        QVERIFY(!supporter.onGetCalibString().assigned());
        QVERIFY(!supporter.onStopButtonClick().assigned());
        QVERIFY(!supporter.onStartButtonClick().assigned());
        QVERIFY(!supporter.polling());
        QVERIFY(!supporter.helpShowPending());
        QVERIFY(!supporter.timerRunning());
        QVERIFY(!supporter.helpForm());
        QVERIFY(!supporter.techForm());
        QVERIFY(!supporter.pciForm());
        QVERIFY(!supporter.headerLabel());
        supporter.showHelp(); // nothing to show before the build
        supporter.showTech();
    }

    void idleHandlerEmptiesTheSlotAndBuildsOnce()
    {
        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        TApplication* application = TApplication::instance();
        application->setOnIdle([supporter](QObject* sender, bool& done) { supporter->ApplicationIdle(sender, done); });
        bool done = false;
        application->onIdle()(application, done);
        QVERIFY(!done); // left as it came
        QVERIFY(!application->onIdle().assigned());
        QVERIFY(supporter->helpForm());
        QCOMPARE(page.findChildren<THelpForm*>().size(), 1);
        supporter->BuildSupport(); // built already
        QCOMPARE(page.findChildren<THelpForm*>().size(), 1);
    }

    void buildMakesTheHeaderAndTheHiddenWindows()
    {
        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        supporter->setCompanyName(QStringLiteral("NORVIK"));
        supporter->setCardNameA(QStringLiteral("VT-4400"));
        supporter->setCallHow(QStringLiteral("at noon"));
        supporter->BuildSupport();

        QLabel* header = supporter->headerLabel();
        QVERIFY(header);
        QCOMPARE(header->objectName(), QStringLiteral("HeaderLabel"));
        QCOMPARE(header->parentWidget(), page.centralWidget());
        QCOMPARE(header->text(), QStringLiteral("VT-4400 Series Settings Program"));
        QCOMPARE(header->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(header->font().pointSize(), 18);
        QVERIFY(header->font().bold());
        QCOMPARE(header->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(header->alignment() & Qt::AlignHCenter);
        QCOMPARE(header->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(header->width(), page.centralWidget()->width());

        QCOMPARE(supporter->helpForm()->parent(), &page);
        QVERIFY(supporter->helpForm()->isHidden());
        QCOMPARE(supporter->techForm()->parent(), &page);
        QVERIFY(supporter->techForm()->isHidden());
        QVERIFY(supporter->techForm()->TechMemo->toPlainText().contains(QStringLiteral("You can call us at noon for")));
        QVERIFY(!supporter->pciForm());
        QCOMPARE(page.file->count(), 1); // no card-list item
        QVERIFY(supporter->helpShowPending());
        QVERIFY(supporter->timerRunning());
    }

    void headerAndHelpTitleNameTheCard_data()
    {
        QTest::addColumn<bool>("series");
        QTest::addColumn<bool>("useB");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("helpTitle");

        QTest::newRow("series") << true << false << "VT-4400 Series Settings Program"
                                << "NORVIK VT-4400 Series Settings Program";
        QTest::newRow("no series") << false << false << "VT-4400 Settings Program"
                                   << "NORVIK VT-4400 Settings Program";
        QTest::newRow("card name B") << true << true << "VT-4400DX Series Settings Program"
                                     << "NORVIK VT-4400DX Series Settings Program";
    }

    void headerAndHelpTitleNameTheCard()
    {
        QFETCH(bool, series);
        QFETCH(bool, useB);
        QFETCH(QString, header);
        QFETCH(QString, helpTitle);

        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        supporter->setCompanyName(QStringLiteral("NORVIK"));
        supporter->setCardNameA(QStringLiteral("VT-4400"));
        supporter->setCardNameB(QStringLiteral("VT-4400DX"));
        supporter->setSeries(series);
        supporter->setUseCardNameB(useB);
        supporter->BuildSupport();
        QCOMPARE(supporter->headerLabel()->text(), header);
        QCOMPARE(supporter->helpForm()->HelpRich->document()->begin().text(), helpTitle);
    }

    void cardList_data()
    {
        QTest::addColumn<int>("count"); // -1000: the real card driver binding
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<int>("menuKind");
        QTest::addColumn<bool>("series");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("header");

        const QString found = QStringLiteral("VT-4400 Series Settings Program");
        const QString notFound = QStringLiteral("No VT-4400 Series Card Found");
        const QString noCard = QStringLiteral("No Card Found");
        QTest::newRow("no card") << 0 << QStringList() << int(FakePage::WithFile) << true << noCard << notFound;
        QTest::newRow("no card, no series") << 0 << QStringList() << int(FakePage::WithFile) << false << noCard
                                            << "No VT-4400 Found";
        QTest::newRow("negative count") << -3 << QStringList() << int(FakePage::WithFile) << true << noCard
                                        << notFound;
        QTest::newRow("three cards, one undescribed")
            << 3 << QStringList{"A", "", "C"} << int(FakePage::WithFile) << true << "A\nC" << found;
        QTest::newRow("all undescribed") << 3 << QStringList{"", "", ""} << int(FakePage::WithFile) << true
                                         << noCard << notFound;
        QTest::newRow("no menu") << 1 << QStringList{"A"} << int(FakePage::NoMenu) << true << "A" << found;
        QTest::newRow("no &File") << 1 << QStringList{"A"} << int(FakePage::WithoutFile) << true << "A" << found;
        QTest::newRow("library missing") << -1000 << QStringList() << int(FakePage::WithFile) << true << noCard
                                         << notFound;
    }

    void cardList()
    {
        QFETCH(int, count);
        QFETCH(QStringList, descriptions);
        QFETCH(int, menuKind);
        QFETCH(bool, series);
        QFETCH(QString, memo);
        QFETCH(QString, header);

        if (count != -1000)
            useCardCount(count);
        FakePage page{FakePage::MenuKind(menuKind)};
        auto* supporter = new TSetupSupporter(&page);
        supporter->setCardNameA(QStringLiteral("VT-4400"));
        supporter->setSeries(series);
        QList<int> asked;
        supporter->setOnGetCardString([&](QObject* sender, int index) {
            if (sender == supporter)
                asked << index;
            return descriptions.value(index);
        });
        supporter->BuildSupport();

        QList<int> everyCard;
        for (int i = 0; i < count; ++i)
            everyCard << i;
        QCOMPARE(asked, everyCard);
        TPCIForm* form = supporter->pciForm();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->PCIMemo->toPlainText(), memo);
        QCOMPARE(supporter->headerLabel()->text(), header);
        QVERIFY(supporter->helpForm()->HelpRich->toPlainText().contains(
            QStringLiteral("To see a list of VT-4400 cards installed, click \"Display VT-4400 Cards Installed\"")));

        if (menuKind == FakePage::WithFile) {
            QCOMPARE(page.file->count(), 2);
            TMenuItem* item = page.file->item(0);
            QCOMPARE(item->objectName(), QStringLiteral("DisplayPCI"));
            QCOMPARE(item->caption(), QStringLiteral("Display VT-4400 Cards Installed"));
            QCOMPARE(item->parent(), page.file);
            form->hide();
            item->click();
            QVERIFY(form->isVisible());
        } else if (page.file) {
            QCOMPARE(page.file->count(), 1);
        }
    }

    void closeButtonsHideTheirWindows()
    {
        useCardCount(0);
        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        supporter->setOnGetCardString([](QObject*, int) { return QString(); });
        supporter->BuildSupport();
        supporter->showTech();
        QVERIFY(supporter->techForm()->isVisible());
        supporter->techForm()->CloseButton->click();
        QVERIFY(supporter->techForm()->isHidden());
        supporter->pciForm()->CloseButton->click();
        QVERIFY(supporter->pciForm()->isHidden());
        QVERIFY(page.isHidden()); // only the clicked button's window
    }

    void helpOpensOnceAtTheFirstTickThenTheTimerStops()
    {
        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        supporter->BuildSupport();
        QVERIFY(supporter->helpForm()->isHidden());
        QTRY_VERIFY(supporter->helpForm()->isVisible());
        QVERIFY(!supporter->helpShowPending());
        QVERIFY(!supporter->timerRunning());
        supporter->helpForm()->hide();
        supporter->showHelp();
        QVERIFY(supporter->helpForm()->isVisible());
    }

    void pollingWritesEveryChannelIntoEveryDisplay_data()
    {
        QTest::addColumn<bool>("combo");
        QTest::newRow("list views") << false;
        QTest::newRow("combo box") << true;
    }

    void pollingWritesEveryChannelIntoEveryDisplay()
    {
        QFETCH(bool, combo);

        QWidget page;
        TSetupSupporter supporter(&page);
        CalibDisplay first(&page), second(&page);
        supporter.addChannelControls(first.controls());
        supporter.addChannelControls(second.controls());
        auto* comboList = new QComboBox(&page);
        for (int i = 0; i < 8; ++i)
            comboList->addItem(QString());
        if (combo)
            supporter.addChannelControls({[comboList] { return comboList; }, {}, {}});
        QStringList calls;
        supporter.setOnBeginCalib([&](QObject* sender) { calls << (sender == &supporter ? "begin" : "?"); });
        supporter.setOnGetCalibString([&](QObject* sender, quint8 channel, bool& itsAllBad) {
            calls << QStringLiteral("%1%2").arg(sender == &supporter ? "read" : "?").arg(channel);
            if (channel == 5)
                itsAllBad = false;
            return QStringLiteral("v%1").arg(channel);
        });
        BoxRecorder boxes;
        supporter.SetPolling(true);
        QVERIFY(supporter.timerRunning());
        supporter.TimerTick();

        QCOMPARE(calls, QStringList({"begin", "read0", "read1", "read2", "read3", "read4", "read5", "read6", "read7"}));
        QCOMPARE(first.lines(), expectedLines("v", 8));
        QCOMPARE(second.lines(), expectedLines("v", 8));
        if (combo)
            QCOMPARE(comboList->itemText(7), QStringLiteral("Channel 7\tv7"));
        QVERIFY(first.hidden->isHidden());
        QVERIFY(second.hidden->isHidden());
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(supporter.polling());
        QVERIFY(supporter.timerRunning());
    }

    void pollingGoesOnTickAfterTick()
    {
        TSetupSupporter supporter;
        int reads = 0;
        supporter.setChannels(1);
        supporter.setOnGetCalibString([&](QObject*, quint8, bool& itsAllBad) {
            ++reads;
            itsAllBad = false;
            return QString();
        });
        supporter.SetPolling(true);
        QTRY_VERIFY(reads >= 3);
        supporter.SetPolling(false);
        QVERIFY(!supporter.timerRunning());
    }

    void failedChannelsAskToRetry_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("changeButtons");
        QTest::newRow("eight channels, all failing") << 8 << true;
        QTest::newRow("no channels") << 0 << true;
        QTest::newRow("buttons left alone") << 8 << false;
    }

    void failedChannelsAskToRetry()
    {
        QFETCH(int, channels);
        QFETCH(bool, changeButtons);

        QWidget page;
        TSetupSupporter supporter(&page);
        supporter.setChannels(quint8(channels));
        supporter.setChangeButtons(changeButtons);
        CalibDisplay display(&page);
        supporter.addChannelControls(display.controls());
        QList<QObject*> started;
        setButtonClickHandler(display.button, [&](QObject*) { started << nullptr; });
        supporter.setOnStartButtonClick([&](QObject* sender) { started << sender; });
        int reads = 0;
        supporter.setOnGetCalibString([&](QObject*, quint8, bool&) {
            ++reads;
            return QStringLiteral("bad");
        });
        BoxRecorder boxes({MessageBox::IDRETRY, MessageBox::IDCANCEL});
        boxes.supporter = &supporter;
        supporter.SetPolling(true);

        supporter.TimerTick(); // Retry: polling goes on
        QCOMPARE(reads, channels);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, failureText);
        QCOMPARE(boxes.boxes[0].caption, QStringLiteral("Total A/D failure"));
        QCOMPARE(boxes.boxes[0].flags, 0x50135u);
        QVERIFY(supporter.polling());
        QVERIFY(supporter.timerRunning());
        QCOMPARE(display.button->text(), QStringLiteral("Stop"));

        supporter.TimerTick(); // Cancel: polling stops
        QCOMPARE(boxes.boxes.size(), 2);
        QVERIFY(boxes.quietWhileShown);
        QVERIFY(!supporter.polling());
        QVERIFY(!supporter.timerRunning());
        display.button->click();
        if (changeButtons) {
            QCOMPARE(display.button->text(), QStringLiteral("Start"));
            QCOMPARE(started, QList<QObject*>{display.button});
        } else {
            QCOMPARE(display.button->text(), QStringLiteral("Stop"));
            QCOMPARE(started, QList<QObject*>{nullptr});
        }
    }

    void pollingWithoutAReadHandlerStops()
    {
        QWidget page;
        TSetupSupporter supporter(&page);
        CalibDisplay display(&page);
        supporter.addChannelControls(display.controls());
        BoxRecorder boxes;
        boxes.supporter = &supporter;
        supporter.SetPolling(true);
        supporter.TimerTick();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."));
        QCOMPARE(boxes.boxes[0].caption, QStringLiteral("OnGetCalibString Not Assigned"));
        QCOMPARE(boxes.boxes[0].flags, 0x50030u);
        QVERIFY(boxes.quietWhileShown);
        QVERIFY(!supporter.polling());
        QVERIFY(!supporter.timerRunning());
        QCOMPARE(display.button->text(), QStringLiteral("Start"));
        QVERIFY(!display.hidden->isHidden()); // no channel was shown
    }

    void missingListItemsAreLeftAlone()
    {
        QWidget page;
        TSetupSupporter supporter(&page);
        CalibDisplay shortList(&page, 3);
        supporter.addChannelControls(shortList.controls());
        supporter.addChannelControls({[] { return nullptr; }, {}, {}}); // the page has no list yet
        supporter.ShowChannelString(1, QStringLiteral("x"));
        supporter.ShowChannelString(7, QStringLiteral("y"));
        QCOMPARE(shortList.lines(), QStringList({"empty", "Channel 1\tx", "empty"}));
    }

    void anErrorInATickIsShownAndPollingGoesOn()
    {
        TSetupSupporter supporter;
        int calls = 0;
        supporter.setOnGetCalibString([&](QObject*, quint8, bool&) -> QString {
            ++calls;
            throw std::runtime_error("the card stopped answering");
        });
        BoxRecorder boxes;
        supporter.SetPolling(true);
        QTRY_VERIFY(boxes.boxes.size() >= 2);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("the card stopped answering"));
        QCOMPARE(boxes.boxes[0].flags, unsigned(MessageBox::MB_OK | MessageBox::MB_ICONERROR));
        QVERIFY(supporter.polling());
        QVERIFY(calls >= 2);
    }

    void aRefusedTimerFails()
    {
        TSetupSupporter::setTimerStarter([](QObject*, int) { return 0; });
        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, supporter->SetPolling(true));
        try {
            supporter->BuildSupport();
            QFAIL("the build should fail");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Not enough timers available"));
        }
        QVERIFY(supporter->helpForm()); // built up to the timer
        QVERIFY(!supporter->timerRunning());
    }

    void beginCalibSetterUpdatesTheTimer()
    {
        TSetupSupporter supporter;
        int periods = 0;
        TSetupSupporter::setTimerStarter([&](QObject* receiver, int milliseconds) {
            periods += milliseconds == 100;
            return receiver->startTimer(milliseconds);
        });
        supporter.setOnBeginCalib([](QObject*) {});
        QVERIFY(!supporter.timerRunning());
        QCOMPARE(periods, 0);
        supporter.SetPolling(true);
        supporter.setOnBeginCalib({});
        QVERIFY(supporter.timerRunning());
        QCOMPARE(periods, 2);
        supporter.SetPolling(true); // unchanged: nothing happens
        QCOMPARE(periods, 2);
    }

    void destroyingTheSupporterLeavesNoTimer_data()
    {
        QTest::addColumn<bool>("refuseLater");
        QTest::newRow("help pending") << false;
        QTest::newRow("help pending, timers refused by then") << true;
    }

    void destroyingTheSupporterLeavesNoTimer()
    {
        QFETCH(bool, refuseLater);

        QPointer<QObject> receiver;
        TSetupSupporter::setTimerStarter([&](QObject* object, int milliseconds) {
            receiver = object;
            return object->startTimer(milliseconds);
        });
        FakePage page;
        auto* supporter = new TSetupSupporter(&page);
        supporter->SetPolling(true);
        supporter->BuildSupport();
        QVERIFY(receiver);
        QCOMPARE(QAbstractEventDispatcher::instance()->registeredTimers(receiver).size(), 1);
        if (refuseLater)
            TSetupSupporter::setTimerStarter([](QObject*, int) { return 0; });
        delete supporter;
        QVERIFY(!receiver);
    }
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TApplication application(argc, argv);
    SetupSupporterTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_setupsupporter.moc"
