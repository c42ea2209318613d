// The rings' entries in the main menu: where and under which names they are made, the
// check mark that follows a held popup, choosing an entry, and Previous / Next.

#include "HighlightFixture.h"

#include <QPushButton>
#include <QTest>

using namespace Setup;

namespace {

TMenuItem* addTopLevel(HighlightFixture& f, const QString& caption, const QString& name)
{
    auto* item = new TMenuItem(&f.window);
    item->setCaption(caption);
    item->setObjectName(name);
    f.menu->add(item);
    return item;
}

QStringList captions(const TMainMenu* menu)
{
    QStringList result;
    for (int i = 0; i < menu->count(); ++i)
        result << menu->item(i)->caption();
    return result;
}

QStringList captions(const TMenuItem* item)
{
    QStringList result;
    for (int i = 0; i < item->count(); ++i)
        result << item->item(i)->caption();
    return result;
}

QStringList names(const TMainMenu* menu)
{
    QStringList result;
    for (int i = 0; i < menu->count(); ++i)
        result << menu->item(i)->objectName();
    return result;
}

TMenuItem* topLevel(const TMainMenu* menu, const QString& caption)
{
    for (int i = 0; i < menu->count(); ++i)
        if (menu->item(i)->caption() == caption)
            return menu->item(i);
    return nullptr;
}

TMenuItem* subItem(const TMainMenu* menu, const QString& top, const QString& caption)
{
    const TMenuItem* parent = topLevel(menu, top);
    for (int i = 0; parent && i < parent->count(); ++i)
        if (parent->item(i)->caption() == caption)
            return parent->item(i);
    return nullptr;
}

// The board's first paint paints every ring in child order: each lists itself.
void paintBoard(HighlightFixture& f, bool withMenu = true)
{
    f.board->setCenterOnForm(false);
    f.board->setMenu(withMenu ? f.menu : nullptr);
    f.board->grab();
}

} // namespace

class TestHighlightMenu : public QObject
{
    Q_OBJECT

private slots:
    void ringsListThemselvesAtTheirFirstPaint();
    void newTopLevelItemGoesBeforeItsStopCaption_data();
    void newTopLevelItemGoesBeforeItsStopCaption();
    void namesSkipComponentsTakenInAnyCase();
    void emptyTitleMakesOnlyTheTopLevelItem();
    void choosingAnItemOpensAndHoldsThenCloses();
    void checkedItemClosesATwinsPopup();
    void previousAndNextWrapAround_data();
    void previousAndNextWrapAround();
    void singleItemReopensItsOwnPopup();
    void withoutMenuNothingIsListedOrNavigated();
};

void TestHighlightMenu::ringsListThemselvesAtTheirFirstPaint()
{
    HighlightFixture f;
    addTopLevel(f, "&File", "File1");
    addTopLevel(f, "&Help", "Help1");
    f.addHighlight("dio", "Digital I/O", QRect(0, 80, 20, 20), nullptr)->setHighlightType(htOptions);
    f.addHighlight("cal", "Calibrate", QRect(30, 80, 20, 20), nullptr)->setHighlightType(htCalibration);
    f.addHighlight("irqOptions", "IRQ", QRect(60, 80, 20, 20), nullptr)->setHighlightType(htOptions);
    paintBoard(f);

    QCOMPARE(captions(f.menu), (QStringList{"&File", "&Settings", "&Calibration", "&Options", "&Help"}));
    QCOMPARE(names(f.menu), (QStringList{"File1", "Settings1", "Calibration1", "Options1", "Help1"}));
    // Linked twins share one item; the same title under another type has its own.
    QCOMPARE(captions(topLevel(f.menu, "&Settings")), (QStringList{"IRQ", "Base Address"}));
    QCOMPARE(captions(topLevel(f.menu, "&Options")), (QStringList{"Digital I/O", "IRQ"}));
    QCOMPARE(subItem(f.menu, "&Settings", "IRQ")->objectName(), QString("IRQ1"));
    QCOMPARE(subItem(f.menu, "&Options", "IRQ")->objectName(), QString("IRQ2"));
    QCOMPARE(subItem(f.menu, "&Settings", "Base Address")->objectName(), QString("BaseAddress1"));
    QCOMPARE(subItem(f.menu, "&Options", "Digital I/O")->objectName(), QString("DigitalIO1"));
    QCOMPARE(subItem(f.menu, "&Settings", "IRQ")->parent(), &f.window);
    QCOMPARE(f.irqHi->menu(), f.menu);

    // The shared item belongs to the twin that listed it first.
    subItem(f.menu, "&Settings", "IRQ")->click();
    QVERIFY(f.irqLo->popup());

    // Only the first paint lists.
    f.board->grab();
    QCOMPARE(captions(topLevel(f.menu, "&Settings")), (QStringList{"IRQ", "Base Address"}));
}

void TestHighlightMenu::newTopLevelItemGoesBeforeItsStopCaption_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<THighlightType>("type");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no stop caption: at the end") << QStringList{"&File"} << htSettings
                                                 << QStringList{"&File", "&Settings"};
    QTest::newRow("settings before options") << QStringList{"&File", "&Options", "&Help"} << htSettings
                                             << QStringList{"&File", "&Settings", "&Options", "&Help"};
    QTest::newRow("calibration before help") << QStringList{"&File", "&Help"} << htCalibration
                                             << QStringList{"&File", "&Calibration", "&Help"};
    QTest::newRow("options after calibration") << QStringList{"&Calibration", "&Help"} << htOptions
                                               << QStringList{"&Calibration", "&Options", "&Help"};
    QTest::newRow("first stop caption wins") << QStringList{"&Help", "&Calibration"} << htSettings
                                             << QStringList{"&Settings", "&Help", "&Calibration"};
    QTest::newRow("captions are exact") << QStringList{"&help", "Help"} << htOptions
                                        << QStringList{"&help", "Help", "&Options"};
    QTest::newRow("hand-made entry is used") << QStringList{"&File", "&Settings", "&Help"} << htSettings
                                             << QStringList{"&File", "&Settings", "&Help"};
}

void TestHighlightMenu::newTopLevelItemGoesBeforeItsStopCaption()
{
    QFETCH(QStringList, existing);
    QFETCH(THighlightType, type);
    QFETCH(QStringList, expected);
    HighlightFixture f;
    for (const QString& caption : existing)
        addTopLevel(f, caption, "Hand" + QString::number(f.menu->count()));
    auto* image = new TBoardImage(&f.window);
    auto* ring = new TBoardHighlight(image);
    ring->setTitle("Ring");
    ring->setHighlightType(type);
    image->setCenterOnForm(false);
    image->setMenu(f.menu);
    image->grab();
    QCOMPARE(captions(f.menu), expected);
    const QString typeCaption = type == htSettings ? "&Settings" : type == htOptions ? "&Options" : "&Calibration";
    QCOMPARE(captions(topLevel(f.menu, typeCaption)), QStringList{"Ring"});
}

void TestHighlightMenu::namesSkipComponentsTakenInAnyCase()
{
    HighlightFixture f;
    QObject taken1(&f.window), taken2(&f.window), taken3(&f.window);
    taken1.setObjectName("settings1");
    taken2.setObjectName("SETTINGS2");
    taken3.setObjectName("irq1");
    paintBoard(f);
    QCOMPARE(names(f.menu), QStringList{"Settings3"});
    QCOMPARE(subItem(f.menu, "&Settings", "IRQ")->objectName(), QString("IRQ2"));
}

void TestHighlightMenu::emptyTitleMakesOnlyTheTopLevelItem()
{
    HighlightFixture f;
    auto* image = new TBoardImage(&f.window);
    auto* ring = new TBoardHighlight(image);
    ring->setHighlightType(htCalibration);
    image->setCenterOnForm(false);
    image->setMenu(f.menu);
    image->grab();
    QCOMPARE(captions(f.menu), QStringList{"&Calibration"});
    QCOMPARE(topLevel(f.menu, "&Calibration")->count(), 0);

    // Its popup cannot navigate: it has no item.
    ring->CMMouseEnter(0);
    ring->NextButtonClick(nullptr);
    QVERIFY(ring->popup()->isVisible());
}

void TestHighlightMenu::choosingAnItemOpensAndHoldsThenCloses()
{
    HighlightFixture f;
    paintBoard(f);
    TMenuItem* item = subItem(f.menu, "&Settings", "Base Address");
    item->click();
    TPopupForm* popup = f.base->popup();
    QVERIFY(popup && popup->isVisible());
    QVERIFY(f.base->popupHeld());
    QVERIFY(item->checkMark());
    QVERIFY(f.base->lit());

    item->click();
    QVERIFY(popup->isHidden());
    QVERIFY(!item->checkMark());
    QVERIFY(!f.base->lit());

    // Closing by other routes clears the mark too.
    item->click();
    QVERIFY(item->checkMark());
    popup->close();
    QVERIFY(!item->checkMark());
}

void TestHighlightMenu::checkedItemClosesATwinsPopup()
{
    HighlightFixture f;
    paintBoard(f);
    TMenuItem* item = subItem(f.menu, "&Settings", "IRQ"); // bound to irqLo
    f.irqHi->CMMouseEnter(0);
    f.irqHi->Click();
    TPopupForm* popup = f.irqHi->popup();
    QVERIFY(popup && !f.irqLo->popup());
    QVERIFY(item->checkMark());

    item->click();
    QVERIFY(popup->isHidden());
    QVERIFY(!item->checkMark());
    for (TBoardHighlight* h : f.irqRings())
        QVERIFY(!h->lit());
}

void TestHighlightMenu::previousAndNextWrapAround_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("next");
    QTest::addColumn<QString>("to");
    QTest::newRow("next in the middle") << "base" << true << "range";
    QTest::newRow("next from the last wraps") << "range" << true << "irqLo";
    QTest::newRow("previous from the first wraps") << "irqLo" << false << "range";
    QTest::newRow("previous in the middle") << "range" << false << "base";
}

void TestHighlightMenu::previousAndNextWrapAround()
{
    QFETCH(QString, from);
    QFETCH(bool, next);
    QFETCH(QString, to);
    HighlightFixture f;
    f.addHighlight("range", "DAC Range", QRect(0, 80, 20, 20), nullptr);
    paintBoard(f);
    auto* source = f.board->findChild<TBoardHighlight*>(from);
    auto* target = f.board->findChild<TBoardHighlight*>(to);
    source->CMMouseEnter(0);
    source->Click();
    TMenuItem* sourceItem = subItem(f.menu, "&Settings", source->Title());
    QVERIFY(sourceItem->checkMark());

    const char* button = next ? "NextButton" : "PreviousButton";
    QTest::mouseClick(source->popup()->findChild<QPushButton*>(button), Qt::LeftButton);

    QVERIFY(source->popup()->isHidden());
    QVERIFY(!sourceItem->checkMark());
    QVERIFY(target->popup() && target->popup()->isVisible());
    QVERIFY(target->popupHeld());
    QVERIFY(subItem(f.menu, "&Settings", target->Title())->checkMark());
}

void TestHighlightMenu::singleItemReopensItsOwnPopup()
{
    HighlightFixture f;
    TBoardHighlight* cal = f.addHighlight("cal", "Calibrate", QRect(0, 80, 20, 20), nullptr);
    cal->setHighlightType(htCalibration);
    paintBoard(f);
    cal->CMMouseEnter(0);
    TPopupForm* popup = cal->popup();
    QVERIFY(!cal->popupHeld());
    QTest::mouseClick(popup->findChild<QPushButton*>("PreviousButton"), Qt::LeftButton);
    QVERIFY(popup->isVisible());
    QVERIFY(cal->popupHeld());
    QVERIFY(subItem(f.menu, "&Calibration", "Calibrate")->checkMark());
}

void TestHighlightMenu::withoutMenuNothingIsListedOrNavigated()
{
    HighlightFixture f;
    addTopLevel(f, "&Settings", "Settings1");
    paintBoard(f, false);
    QVERIFY(!f.irqLo->menu());
    QCOMPARE(topLevel(f.menu, "&Settings")->count(), 0);

    f.irqLo->CMMouseEnter(0);
    f.irqLo->Click(); // sets no check mark anywhere
    QTest::mouseClick(f.irqLo->popup()->findChild<QPushButton*>("NextButton"), Qt::LeftButton);
    QVERIFY(f.irqLo->popup()->isVisible());
}

QTEST_MAIN(TestHighlightMenu)
#include "tst_highlightmenu.moc"
