// The main window built from the page layout, and the card's rules driven through the real
// controls: typed text, user picks, ticks, jumper clicks and panel entry.

#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/Menu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Setup;

class TestMainForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theWindowIsTheLaidOutSetupWindow();
    void theMenuBarHasTheLaidOutItems();
    void noRuleRunsWhileThePageIsBuilt();

    void typedBaseAddressesSetTheJumpers_data();
    void typedBaseAddressesSetTheJumpers();
    void anInvalidAddressOnlyColoursTheEdit_data();
    void anInvalidAddressOnlyColoursTheEdit();
    void baseJumperClicksWriteTheAddress();

    void eachIrqJumperSelectsItsEntryAndOpensTheOthers();
    void pickingAnIrqEntryClosesItsJumperOnly();
    void reopeningTheClosedIrqJumperDisablesInterrupts();

    void pickingARangeSetsBothGroups_data();
    void pickingARangeSetsBothGroups();
    void rangeJumperClicksMoveBothGroups();

    void inversionBoxesAndJumpersFollowEachOther();

    void x12JumpersStandAlikeAndMatchTheList();

    void firstPanelEntrySelectsTheStartingEntry_data();
    void firstPanelEntrySelectsTheStartingEntry();
    void laterPanelEntriesKeepTheUsersPick();

private:
    template <typename T>
    T* get(const char* name) const
    {
        T* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no component %s", name);
        return found;
    }
    TTwoJumper* two(const char* name) const { return get<TTwoJumper>(name); }
    TThreeJumper* three(const char* name) const { return get<TThreeJumper>(name); }
    QString baseJumpers() const;
    QString irqJumpers() const;
    void showPanel(const char* name);
    static void pick(QComboBox* combo, int index);
    static void click(QWidget* jumper) { QTest::mouseClick(jumper, Qt::LeftButton, {}, jumper->rect().center()); }

    std::unique_ptr<TMainForm> m_form;
};

namespace {

const char* const kIrqJumpers[] = {"IRQJumper3",  "IRQJumper4",  "IRQJumper5",  "IRQJumper6",
                                   "IRQJumper7",  "IRQJumper9",  "IRQJumper10", "IRQJumper11",
                                   "IRQJumper12", "IRQJumper14", "IRQJumper15"};

QColor baseOf(const QWidget* edit) { return edit->palette().color(QPalette::Base); }

} // namespace

void TestMainForm::init()
{
    m_form = std::make_unique<TMainForm>();
    m_form->loadLayout();
}

void TestMainForm::cleanup() { m_form.reset(); }

// "1" for each base jumper A5..A9 that is closed.
QString TestMainForm::baseJumpers() const
{
    QString states;
    for (const char* name : {"BaseJumper5", "BaseJumper6", "BaseJumper7", "BaseJumper8", "BaseJumper9"})
        states += two(name)->closed() ? u'1' : u'0';
    return states;
}

QString TestMainForm::irqJumpers() const
{
    QString states;
    for (const char* name : kIrqJumpers)
        states += two(name)->closed() ? u'1' : u'0';
    return states;
}

// The panels live hidden on the main window until a popup takes them; the rules do not
// care where they are, so the tests show them in place.
void TestMainForm::showPanel(const char* name)
{
    m_form->show();
    get<TRadioPanel>(name)->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

// What a user's pick does: the entry is selected and the list reports it.
void TestMainForm::pick(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void TestMainForm::theWindowIsTheLaidOutSetupWindow()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Setup"));
    QCOMPARE(m_form->centralWidget()->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(m_form->font().pixelSize(), 11);
    const auto panels = m_form->findChildren<TRadioPanel*>();
    QCOMPARE(panels.size(), 9);
    for (const TRadioPanel* panel : panels)
        QVERIFY2(panel->isHidden(), qPrintable(panel->objectName()));
    m_form->showAsDesigned();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(m_form->isMaximized());
}

void TestMainForm::theMenuBarHasTheLaidOutItems()
{
    TMainMenu* menu = m_form->menu();
    QVERIFY(menu);
    QCOMPARE(menu->count(), 2);
    struct Expected
    {
        int top, sub;
        const char *name, *caption;
    };
    const Expected items[] = {{0, -1, "File1", "&File"},
                              {0, 0, "Exit2", "&Exit"},
                              {1, -1, "Help1", "&Help"},
                              {1, 0, "Howtousethisprogram1", "H&ow to use this program"},
                              {1, 1, "TechnicalSupport1", "&Technical Support"}};
    for (const Expected& e : items) {
        TMenuItem* item = e.sub < 0 ? menu->item(e.top) : menu->item(e.top)->item(e.sub);
        QVERIFY(item);
        QCOMPARE(item->objectName(), QString::fromLatin1(e.name));
        QCOMPARE(item->caption(), QString::fromLatin1(e.caption));
        QCOMPARE(item->onClick().assigned(), e.sub >= 0);
    }
    const auto barActions = m_form->menuBar()->actions();
    QCOMPARE(barActions.size(), 2);
    QCOMPARE(barActions[0]->text(), QStringLiteral("&File"));
}

void TestMainForm::noRuleRunsWhileThePageIsBuilt()
{
    QCOMPARE(get<QLineEdit>("BaseEdit")->text(), QStringLiteral("300"));
    QCOMPARE(get<QLabel>("BaseLabelFeedback")->text(), QString());
    QCOMPARE(baseJumpers(), QStringLiteral("11100"));
    QCOMPARE(irqJumpers(), QStringLiteral("00100000000"));
    for (const char* list : {"IRQCombo", "RangeCombo", "X12Combo"})
        QCOMPARE(get<QComboBox>(list)->currentIndex(), -1);
    QCOMPARE(two("RangeJumperAC5")->closed(), true);
    QCOMPARE(two("RangeJumperACU")->closed(), false);
    QCOMPARE(two("RangeJumperACB")->closed(), true);
    for (const char* name : {"InvertJumper1", "InvertJumper2", "InvertJumper5", "InvertJumper6",
                             "X12JumperTop", "X12JumperBot"})
        QCOMPARE(three(name)->jumperState(), jsLeft);
}

void TestMainForm::typedBaseAddressesSetTheJumpers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("feedback");
    QTest::addColumn<QString>("closed");
    QTest::newRow("301") << "301" << "300" << "11100";
    QTest::newRow("1300") << "1300" << "300" << "11100";
    QTest::newRow("FFFFFFFF") << "FFFFFFFF" << "3E0" << "00000";
    QTest::newRow("3e0") << "3e0" << "" << "00000";
    QTest::newRow("nine zeros then 300") << "000000000300" << "" << "11100";
    QTest::newRow("000") << "000" << "" << "11111";
    QTest::newRow("240") << "240" << "" << "10110";
}

void TestMainForm::typedBaseAddressesSetTheJumpers()
{
    QFETCH(QString, text);
    QFETCH(QString, feedback);
    QFETCH(QString, closed);
    auto* edit = get<QLineEdit>("BaseEdit");
    const QColor window = baseOf(edit);
    edit->setText(QStringLiteral("G")); // an invalid look first, which a valid text clears
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
    QCOMPARE(get<QLabel>("BaseLabelFeedback")->text(), feedback);
    QCOMPARE(baseJumpers(), closed);
    QCOMPARE(baseOf(edit), window);
}

void TestMainForm::anInvalidAddressOnlyColoursTheEdit_data()
{
    QTest::addColumn<QString>("text");
    for (const char* text : {"", "12 ", " 12", "$12", "0x12", "-12", "G", "100000000"})
        QTest::newRow(*text ? text : "empty") << QString::fromLatin1(text);
    QTest::newRow("non-ASCII") << QString::fromUtf8("3ü0");
}

void TestMainForm::anInvalidAddressOnlyColoursTheEdit()
{
    QFETCH(QString, text);
    auto* edit = get<QLineEdit>("BaseEdit");
    const QColor window = baseOf(edit);
    edit->setText(QStringLiteral("301"));
    edit->setText(text);
    QCOMPARE(baseOf(edit), QColor::fromRgb(toQRgb(get<TRadioPanel>("BasePanel")->color())));
    QVERIFY(baseOf(edit) != window);
    QCOMPARE(get<QLabel>("BaseLabelFeedback")->text(), QStringLiteral("300"));
    QCOMPARE(baseJumpers(), QStringLiteral("11100"));
}

void TestMainForm::baseJumperClicksWriteTheAddress()
{
    showPanel("BasePanel");
    auto* edit = get<QLineEdit>("BaseEdit");
    const QColor window = baseOf(edit);
    edit->setText(QStringLiteral("301")); // feedback 300
    edit->setText(QStringLiteral("x"));   // invalid look
    click(two("BaseJumper8"));
    QCOMPARE(edit->text(), QStringLiteral("200"));
    QCOMPARE(get<QLabel>("BaseLabelFeedback")->text(), QString());
    QCOMPARE(baseOf(edit), window);
    QCOMPARE(baseJumpers(), QStringLiteral("11110"));
    click(two("BaseJumper9"));
    QCOMPARE(edit->text(), QStringLiteral("0"));
    QCOMPARE(baseJumpers(), QStringLiteral("11111"));
    click(two("BaseJumper5"));
    QCOMPARE(edit->text(), QStringLiteral("20"));
}

void TestMainForm::eachIrqJumperSelectsItsEntryAndOpensTheOthers()
{
    showPanel("IRQPanel");
    auto* combo = get<QComboBox>("IRQCombo");
    for (int i = 0; i < 11; ++i) {
        click(two(kIrqJumpers[i]));
        QCOMPARE(combo->currentIndex(), i + 1);
        QString expected(11, u'0');
        expected[i] = u'1';
        QCOMPARE(irqJumpers(), expected);
    }
}

void TestMainForm::pickingAnIrqEntryClosesItsJumperOnly()
{
    auto* combo = get<QComboBox>("IRQCombo");
    pick(combo, 7);
    QCOMPARE(combo->currentText(), QStringLiteral("IRQ 10"));
    QCOMPARE(irqJumpers(), QStringLiteral("00000010000"));
    pick(combo, 0);
    QCOMPARE(irqJumpers(), QStringLiteral("00000000000"));
    pick(combo, 11);
    QCOMPARE(irqJumpers(), QStringLiteral("00000000001"));
}

void TestMainForm::reopeningTheClosedIrqJumperDisablesInterrupts()
{
    showPanel("IRQPanel");
    auto* combo = get<QComboBox>("IRQCombo");
    click(two("IRQJumper10"));
    QCOMPARE(combo->currentText(), QStringLiteral("IRQ 10"));
    click(two("IRQJumper10"));
    QCOMPARE(combo->currentText(), QStringLiteral("IRQs Disabled"));
    QCOMPARE(irqJumpers(), QStringLiteral("00000000000"));
}

void TestMainForm::pickingARangeSetsBothGroups_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("closed"); // 5V, UNIPOLAR, BIPOLAR
    QTest::newRow("±5V") << 0 << "101";
    QTest::newRow("0-5V") << 1 << "110";
    QTest::newRow("±10V") << 2 << "001";
    QTest::newRow("0-10V") << 3 << "010";
}

void TestMainForm::pickingARangeSetsBothGroups()
{
    QFETCH(int, entry);
    QFETCH(QString, closed);
    pick(get<QComboBox>("RangeCombo"), entry);
    for (const char* group : {"AC", "BD"}) {
        QString states;
        for (const char* kind : {"5", "U", "B"})
            states += two(qPrintable(QStringLiteral("RangeJumper%1%2").arg(group, kind)))->closed() ? u'1' : u'0';
        QCOMPARE(states, closed);
    }
}

void TestMainForm::rangeJumperClicksMoveBothGroups()
{
    showPanel("RangePanel");
    auto* combo = get<QComboBox>("RangeCombo");
    pick(combo, 3); // 0-10V
    click(two("RangeJumperBD5"));
    QCOMPARE(combo->currentText(), QStringLiteral("0-5V"));
    QVERIFY(two("RangeJumperAC5")->closed());
    click(two("RangeJumperACU")); // unipolar opened: bipolar
    QCOMPARE(combo->currentText(), QStringLiteral("±5V"));
    QVERIFY(two("RangeJumperBDB")->closed());
    QVERIFY(!two("RangeJumperBDU")->closed());
    click(two("RangeJumperBDB")); // bipolar opened: unipolar
    QCOMPARE(combo->currentText(), QStringLiteral("0-5V"));
    QVERIFY(two("RangeJumperACU")->closed());
    QVERIFY(!two("RangeJumperACB")->closed());
}

void TestMainForm::inversionBoxesAndJumpersFollowEachOther()
{
    showPanel("InvertPanel");
    auto* bit5 = get<QCheckBox>("InvertCheck5");
    QTest::mouseClick(bit5, Qt::LeftButton, {}, QPoint(5, bit5->height() / 2));
    QVERIFY(bit5->isChecked());
    QCOMPARE(three("InvertJumper5")->jumperState(), jsRight);
    for (const char* other : {"InvertJumper1", "InvertJumper2", "InvertJumper6"})
        QCOMPARE(three(other)->jumperState(), jsLeft);
    click(three("InvertJumper5"));
    QCOMPARE(three("InvertJumper5")->jumperState(), jsLeft);
    QVERIFY(!bit5->isChecked());
    click(three("InvertJumper2"));
    QVERIFY(get<QCheckBox>("InvertCheck2")->isChecked());
    QVERIFY(!get<QCheckBox>("InvertCheck1")->isChecked());
}

void TestMainForm::x12JumpersStandAlikeAndMatchTheList()
{
    showPanel("X12Panel");
    auto* combo = get<QComboBox>("X12Combo");
    click(three("X12JumperBot"));
    QCOMPARE(three("X12JumperTop")->jumperState(), jsRight);
    QCOMPARE(three("X12JumperBot")->jumperState(), jsRight);
    QCOMPARE(combo->currentText(), QStringLiteral("External ±12V"));
    click(three("X12JumperTop"));
    QCOMPARE(three("X12JumperBot")->jumperState(), jsLeft);
    QCOMPARE(combo->currentIndex(), 0);
    pick(combo, 1);
    QCOMPARE(three("X12JumperTop")->jumperState(), jsRight);
}

void TestMainForm::firstPanelEntrySelectsTheStartingEntry_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("entry");
    QTest::newRow("IRQ") << "IRQPanel" << "IRQCombo" << "IRQ 5";
    QTest::newRow("range") << "RangePanel" << "RangeCombo" << "±5V";
    QTest::newRow("±12V") << "X12Panel" << "X12Combo" << "PC-104 ±12V";
}

void TestMainForm::firstPanelEntrySelectsTheStartingEntry()
{
    QFETCH(QString, panel);
    QFETCH(QString, list);
    QFETCH(QString, entry);
    showPanel(qPrintable(panel));
    const QString jumpersBefore = irqJumpers();
    auto* combo = get<QComboBox>(qPrintable(list));
    combo->setFocus();
    QTRY_COMPARE(combo->currentText(), entry);
    QCOMPARE(irqJumpers(), jumpersBefore);
}

void TestMainForm::laterPanelEntriesKeepTheUsersPick()
{
    showPanel("IRQPanel");
    showPanel("BasePanel");
    auto* combo = get<QComboBox>("IRQCombo");
    combo->setFocus();
    QTRY_COMPARE(combo->currentText(), QStringLiteral("IRQ 5"));
    pick(combo, 7);
    get<QLineEdit>("BaseEdit")->setFocus();
    QTRY_VERIFY(get<QLineEdit>("BaseEdit")->hasFocus());
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QCOMPARE(combo->currentText(), QStringLiteral("IRQ 10"));
    QCOMPARE(irqJumpers(), QStringLiteral("00000010000"));
}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestMainForm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainform.moc"
