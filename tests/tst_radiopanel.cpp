// Radio panel: its values at creation, the radio rule, the final anchors, the copied
// lines, its background and the entry notice.

#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "toolkit/Anchors.h"
#include "toolkit/MessageBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <stdexcept>

using namespace Setup;

class TDerivedTwoJumper : public TTwoJumper
{
    Q_OBJECT
public:
    using TTwoJumper::TTwoJumper;
};

namespace {

// A panel with two-pin jumpers A, B and C, and beside them what the rule must pass over:
// a three-pin jumper T, a derived two-pin D (closed) and a two-pin N (closed) inside a
// container within the panel. Every event is logged in order.
struct RadioGroup
{
    RadioGroup()
    {
        for (const char* name : {"A", "B", "C"})
            add(new TTwoJumper(&panel), name);
        add(new TThreeJumper(&panel), "T");
        add(new TDerivedTwoJumper(&panel), "D");
        add(new TTwoJumper(new QWidget(&panel)), "N");
        three()->setJumperState(jsLeft);
        two("D")->setClosed(true);
        two("N")->setClosed(true);
        panel.setOnRadioChange([this](QObject* sender) { log << "change " + sender->objectName(); });
    }

    void add(QWidget* jumper, const char* name)
    {
        jumper->setObjectName(name);
        jumper->setProperty("OnClick", QVariant::fromValue(TNotifyEvent(
                                           [this](QObject* sender) { log << "click " + sender->objectName(); })));
    }

    TTwoJumper* two(const QString& name) { return panel.findChild<TTwoJumper*>(name); }
    TThreeJumper* three() { return panel.findChild<TThreeJumper*>("T"); }

    QString closedABC()
    {
        QString s;
        for (const char* name : {"A", "B", "C"})
            s += two(name)->closed() ? '1' : '0';
        return s;
    }

    TRadioPanel panel;
    QStringList log;
};

} // namespace

class TestRadioPanel : public QObject
{
    Q_OBJECT

private slots:
    void newPanelHasItsValuesAtCreation();
    void radioRuleLeavesTheClickedJumperAloneClosed_data();
    void radioRuleLeavesTheClickedJumperAloneClosed();
    void finalAnchorsApplyOnlyInThePopup();
    void linesAreCopied();
    void paintsItsColourAndBevel_data();
    void paintsItsColourAndBevel();
    void entryRunsWhenFocusComesFromOutside();
    void entryErrorIsShownNotThrown();
};

void TestRadioPanel::newPanelHasItsValuesAtCreation()
{
    QWidget form;
    auto* panel = new TRadioPanel(&form);
    QCOMPARE(panel->size(), QSize(194, 100));
    QVERIFY(panel->isHidden());
    form.show();
    QVERIFY(!panel->isVisible());
    QCOMPARE(panel->bevelOuter(), TRadioPanel::bvNone);
    QCOMPARE(panel->property("MemoHeight").toInt(), 58);
    QCOMPARE(panel->property("RadioEnabled").toBool(), false);
    QCOMPARE(panel->property("Color").value<TColor>(), clBtnFace);
    QCOMPARE(panel->lines(), QStringList());
    QCOMPARE(panel->finalAnchors(), akLeft | akTop);
    QCOMPARE(anchorsOf(panel), akLeft | akTop);
    QVERIFY(!panel->inPopup());
    QCOMPARE(panel->statusMemo(), nullptr);
}

void TestRadioPanel::radioRuleLeavesTheClickedJumperAloneClosed_data()
{
    QTest::addColumn<QString>("before"); // Closed of A, B and C
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<bool>("radioEnabled");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("open jumper, another closed") << "010" << "A" << true << "100"
                                                 << QStringList{"change A", "click A"};
    QTest::newRow("open jumper, all open") << "000" << "A" << true << "100" << QStringList{"click A"};
    QTest::newRow("closed jumper, another closed") << "110" << "A" << true << "100"
                                                   << QStringList{"change A", "click A"};
    QTest::newRow("closed jumper, all others open") << "010" << "B" << true << "010"
                                                    << QStringList{"change B", "click B"};
    QTest::newRow("rule off: each flips on its own") << "010" << "A" << false << "110" << QStringList{"click A"};
    QTest::newRow("two-pin in an inner container") << "010" << "N" << true << "010" << QStringList{"click N"};
    QTest::newRow("three-pin") << "010" << "T" << true << "010" << QStringList{"click T"};
}

void TestRadioPanel::radioRuleLeavesTheClickedJumperAloneClosed()
{
    QFETCH(QString, before);
    QFETCH(QString, clicked);
    QFETCH(bool, radioEnabled);
    QFETCH(QString, after);
    QFETCH(QStringList, log);

    RadioGroup group;
    group.panel.setRadioEnabled(radioEnabled);
    for (int i = 0; i < 3; ++i)
        group.two(QString(QChar('A' + i)))->setClosed(before[i] == '1');
    QVERIFY(group.log.isEmpty());

    if (clicked == "T")
        group.three()->Click();
    else
        group.two(clicked)->Click();

    QCOMPARE(group.closedABC(), after);
    QCOMPARE(group.log, log);
    QCOMPARE(group.two("D")->closed(), true);
    QCOMPARE(group.two("N")->closed(), clicked != "N");
    QCOMPARE(group.three()->jumperState(), clicked == "T" ? jsRight : jsLeft);
}

void TestRadioPanel::finalAnchorsApplyOnlyInThePopup()
{
    QWidget form;
    form.resize(400, 300);
    auto* panel = new TRadioPanel(&form);
    panel->setGeometry(20, 30, 185, 97);
    QVERIFY(panel->setProperty("FinalAnchors", QVariant::fromValue(akLeft | akTop | akRight | akBottom)));
    QCOMPARE(anchorsOf(panel), akLeft | akTop);
    panel->show();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.resize(500, 400);
    QCOMPARE(panel->geometry(), QRect(20, 30, 185, 97));

    // The popup's part: move the panel in, show it, then tell it where it is.
    QWidget popup;
    popup.resize(185, 206);
    auto* memo = new QPlainTextEdit(&popup);
    panel->setParent(&popup);
    panel->move(0, 0);
    panel->show();
    popup.show();
    QVERIFY(QTest::qWaitForWindowExposed(&popup));
    panel->placedInPopup(memo);
    QVERIFY(panel->inPopup());
    QCOMPARE(panel->statusMemo(), memo);
    QCOMPARE(anchorsOf(panel), akLeft | akTop | akRight | akBottom);
    popup.resize(285, 246);
    QCOMPARE(panel->geometry(), QRect(0, 0, 285, 137));

    // From now on a change applies at once.
    panel->setFinalAnchors(akLeft | akTop);
    QCOMPARE(anchorsOf(panel), akLeft | akTop);
    popup.resize(185, 206);
    QCOMPARE(panel->geometry(), QRect(0, 0, 285, 137));
    QVERIFY(panel->inPopup());
}

void TestRadioPanel::linesAreCopied()
{
    TRadioPanel panel;
    QStringList source{"Jumper J5 selects", "the base address."};
    panel.setLines(source);
    source[0] = "changed";
    source.append("more");
    QCOMPARE(panel.lines(), (QStringList{"Jumper J5 selects", "the base address."}));

    QVERIFY(panel.setProperty("Lines", QStringList{"one"}));
    QCOMPARE(panel.lines(), QStringList{"one"});
}

void TestRadioPanel::paintsItsColourAndBevel_data()
{
    QTest::addColumn<int>("bevel");
    QTest::addColumn<int>("topLeft"); // palette role, -1 for the panel's colour
    QTest::addColumn<int>("bottomRight");

    QTest::newRow("none") << int(TRadioPanel::bvNone) << -1 << -1;
    QTest::newRow("raised") << int(TRadioPanel::bvRaised) << int(QPalette::Light) << int(QPalette::Dark);
    QTest::newRow("lowered") << int(TRadioPanel::bvLowered) << int(QPalette::Dark) << int(QPalette::Light);
}

void TestRadioPanel::paintsItsColourAndBevel()
{
    QFETCH(int, bevel);
    QFETCH(int, topLeft);
    QFETCH(int, bottomRight);

    constexpr TColor colour = 0x123456;
    TRadioPanel panel;
    panel.setColor(colour);
    QVERIFY(panel.setProperty("BevelOuter", TRadioPanel::staticMetaObject.enumerator(0).valueToKey(bevel)));
    const QImage image = panel.grab().toImage();
    const auto expected = [&](int role) {
        return role < 0 ? toQRgb(colour) : panel.palette().color(QPalette::ColorRole(role)).rgb();
    };
    QCOMPARE(image.pixel(0, 0), expected(topLeft));
    QCOMPARE(image.pixel(193, 99), expected(bottomRight));
    QCOMPARE(image.pixel(97, 50), toQRgb(colour));
}

void TestRadioPanel::entryRunsWhenFocusComesFromOutside()
{
    QWidget window;
    window.resize(300, 200);
    auto* outside = new QLineEdit(&window);
    auto* panel = new TRadioPanel(&window);
    panel->setGeometry(0, 40, 194, 100);
    auto* first = new QLineEdit(panel);
    auto* second = new QLineEdit(panel);
    second->move(0, 30);
    panel->show();
    QList<QObject*> entries;
    panel->setOnEnter([&](QObject* sender) { entries << sender; });
    outside->setFocus();
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), outside);

    first->setFocus();
    QCOMPARE(entries, QList<QObject*>{panel});
    second->setFocus(); // moving inside is no entry
    QCOMPARE(entries.size(), 1);
    outside->setFocus();
    panel->setFocus(); // the panel itself counts
    QCOMPARE(entries, (QList<QObject*>{panel, panel}));

    // Leaving the window and coming back is no entry.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), panel);
    QCOMPARE(entries.size(), 2);

    // Moved into another window, the first focus inside is an entry again, even though
    // the old window, left inactive, still keeps its focus inside the panel.
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QWidget popup;
    panel->setParent(&popup);
    panel->show();
    popup.show();
    popup.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&popup));
    first->setFocus();
    QCOMPARE(entries.size(), 3);
}

void TestRadioPanel::entryErrorIsShownNotThrown()
{
    QStringList shown;
    MessageBox::setHandler([&](const QString& text, const QString&, unsigned) {
        shown << text;
        return int(MessageBox::IDOK);
    });
    QWidget window;
    auto* panel = new TRadioPanel(&window);
    auto* edit = new QLineEdit(panel);
    panel->show();
    panel->setOnEnter([](QObject*) { throw std::runtime_error("entry failed"); });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    MessageBox::setHandler({});
    QCOMPARE(shown, QStringList{"entry failed"});
}

QTEST_MAIN(TestRadioPanel)
#include "tst_radiopanel.moc"
