// The setting/jumper mappings of the VT-4400, without any widget.

#include "template/CardRules.h"

#include <QTest>

using namespace CardRules;

class TestCardRules : public QObject
{
    Q_OBJECT

private slots:
    void baseAddressTextsAreJudgedAndShown_data();
    void baseAddressTextsAreJudgedAndShown();
    void baseJumpersGiveTheirAddress_data();
    void baseJumpersGiveTheirAddress();
    void irqEntriesCloseOneJumper();
    void rangeEntriesSetTheThreeJumpers();
    void rangeJumperClicksPickTheEntry_data();
    void rangeJumperClicksPickTheEntry();
};

void TestCardRules::baseAddressTextsAreJudgedAndShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("feedback");
    QTest::addColumn<QString>("closed"); // A5..A9, 1 = closed

    QTest::newRow("300") << "300" << true << "" << "11100";
    QTest::newRow("301 shows what the jumpers can") << "301" << true << "300" << "11100";
    QTest::newRow("1300") << "1300" << true << "300" << "11100";
    QTest::newRow("FFFFFFFF") << "FFFFFFFF" << true << "3E0" << "00000";
    QTest::newRow("lower case") << "3e0" << true << "" << "00000";
    QTest::newRow("leading zero") << "03E0" << true << "" << "00000";
    QTest::newRow("nine zeros then 300") << "000000000300" << true << "" << "11100";
    QTest::newRow("zero") << "0" << true << "" << "11111";
    QTest::newRow("zeros") << "000" << true << "" << "11111";
    QTest::newRow("8 digits after zeros") << "0012345678" << true << "260" << "00110";
    QTest::newRow("empty") << "" << false << "" << "";
    QTest::newRow("trailing blank") << "12 " << false << "" << "";
    QTest::newRow("leading blank") << " 12" << false << "" << "";
    QTest::newRow("dollar") << "$12" << false << "" << "";
    QTest::newRow("0x prefix") << "0x12" << false << "" << "";
    QTest::newRow("sign") << "-12" << false << "" << "";
    QTest::newRow("plus sign") << "+12" << false << "" << "";
    QTest::newRow("not hex") << "G" << false << "" << "";
    QTest::newRow("nine digits") << "100000000" << false << "" << "";
    QTest::newRow("full-width digits") << QString::fromUtf8("３００") << false << "" << "";
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٣٠٠") << false << "" << "";
}

void TestCardRules::baseAddressTextsAreJudgedAndShown()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QString, feedback);
    QFETCH(QString, closed);

    const auto view = viewBaseAddress(text);
    QCOMPARE(view.has_value(), valid);
    if (!view)
        return;
    QCOMPARE(view->feedback, feedback);
    QString shown;
    for (bool c : view->closed)
        shown += c ? u'1' : u'0';
    QCOMPARE(shown, closed);
}

void TestCardRules::baseJumpersGiveTheirAddress_data()
{
    QTest::addColumn<QString>("closed");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << "11100" << "300";
    QTest::newRow("A8 closed") << "11110" << "200";
    QTest::newRow("all closed") << "11111" << "0";
    QTest::newRow("all open") << "00000" << "3E0";
}

void TestCardRules::baseJumpersGiveTheirAddress()
{
    QFETCH(QString, closed);
    QFETCH(QString, text);
    BaseJumpers jumpers;
    for (int i = 0; i < kBaseJumperCount; ++i)
        jumpers[i] = closed[i] == u'1';
    QCOMPARE(baseAddressText(jumpers), text);
    // The text the jumpers give reads back as the same jumpers, with no feedback.
    const auto view = viewBaseAddress(text);
    QVERIFY(view);
    QCOMPARE(view->feedback, QString());
    QVERIFY(view->closed == jumpers);
}

void TestCardRules::irqEntriesCloseOneJumper()
{
    QCOMPARE(closedIrqJumper(-1), -1);
    QCOMPARE(closedIrqJumper(0), -1);
    QCOMPARE(closedIrqJumper(1), 0);
    QCOMPARE(closedIrqJumper(7), 6);
    QCOMPARE(closedIrqJumper(11), 10);
    QCOMPARE(closedIrqJumper(12), -1);
    QCOMPARE(irqEntryAfterClick(7, true), 7);
    QCOMPARE(irqEntryAfterClick(7, false), 0);
}

void TestCardRules::rangeEntriesSetTheThreeJumpers()
{
    struct Row { int entry; bool five, uni, bi; };
    const Row rows[] = {{0, true, false, true}, {1, true, true, false}, {2, false, false, true}, {3, false, true, false}};
    for (const Row& row : rows) {
        const RangeJumpers j = rangeJumpers(row.entry);
        QCOMPARE(j.fiveVolt, row.five);
        QCOMPARE(j.unipolar, row.uni);
        QCOMPARE(j.bipolar, row.bi);
    }
}

void TestCardRules::rangeJumperClicksPickTheEntry_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("nowClosed");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    const int five = int(RangeJumperKind::FiveVolt), uni = int(RangeJumperKind::Unipolar),
              bi = int(RangeJumperKind::Bipolar);
    QTest::newRow("5V closed from 0-10V") << five << true << 3 << 1;
    QTest::newRow("5V opened from ±5V") << five << false << 0 << 2;
    QTest::newRow("unipolar closed from ±10V") << uni << true << 2 << 3;
    QTest::newRow("unipolar opened from 0-5V") << uni << false << 1 << 0;
    QTest::newRow("bipolar closed from 0-10V") << bi << true << 3 << 2;
    QTest::newRow("bipolar opened from ±5V") << bi << false << 0 << 1;
    QTest::newRow("no selection, 5V closed") << five << true << -1 << 1;
    QTest::newRow("no selection, 5V opened") << five << false << -1 << -1;
    QTest::newRow("no selection, bipolar closed") << bi << true << -1 << 2;
}

void TestCardRules::rangeJumperClicksPickTheEntry()
{
    QFETCH(int, kind);
    QFETCH(bool, nowClosed);
    QFETCH(int, before);
    QFETCH(int, after);
    QCOMPARE(rangeEntryAfterClick(RangeJumperKind(kind), nowClosed, before), after);
}

QTEST_APPLESS_MAIN(TestCardRules)
#include "tst_cardrules.moc"
