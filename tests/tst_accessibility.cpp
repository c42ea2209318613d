// What assistive technologies read from the page, asked through Qt's accessibility: every
// jumper's name and state, the press that makes a click step, the rings' titles and kinds,
// and the names inside a popup. The pairing of jumpers with captions is checked on its own too.

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/JumperCaptions.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/PopupForm.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/Screen.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace Setup;

namespace {

QAccessibleInterface* accessibleOf(QObject* object)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

void press(QObject* object)
{
    QAccessibleInterface* iface = accessibleOf(object);
    QVERIFY(iface->actionInterface());
    QCOMPARE(iface->actionInterface()->actionNames().value(0), QAccessibleActionInterface::pressAction());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

TPanelItem item(const char* name, QRect bounds, const QString& text = {}) { return {QString::fromLatin1(name), text, bounds}; }

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyJumperTellsItsFieldCaptionAndState_data();
    void everyJumperTellsItsFieldCaptionAndState();
    void aNameGivenToAJumperComesFirst();
    void pressingATwoPinJumperClicksIt();
    void pressingAThreePinJumperStepsItsCap();
    void aDisabledJumperIgnoresPresses();

    void ringsAreButtonsNamedByTitleAndKind_data();
    void ringsAreButtonsNamedByTitleAndKind();
    void pressingARingOpensAndHoldsItsPopup();

    void captionsPairWithJumpers_data();
    void captionsPairWithJumpers();
    void jumperNamesJoinFieldAndCaption_data();
    void jumperNamesJoinFieldAndCaption();

private:
    template <typename T>
    T* get(const QString& name) const
    {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("no component %s", qPrintable(name));
        return found;
    }

    std::unique_ptr<TMainForm> m_form;
};

void TestAccessibility::initTestCase()
{
    // Far from every window, so a ring left by the pointer never finds it inside a popup.
    Screen::setCursorPosProvider([] { return QPoint(-500, -500); });
}

void TestAccessibility::init()
{
    m_form = std::make_unique<TMainForm>();
    m_form->loadLayout();
}

void TestAccessibility::cleanup() { m_form.reset(); }

void TestAccessibility::everyJumperTellsItsFieldCaptionAndState_data()
{
    QTest::addColumn<QString>("jumper");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");

    const auto row = [](const char* jumper, const QString& name, const char* state) {
        QTest::newRow(jumper) << QString::fromLatin1(jumper) << name << QString::fromLatin1(state);
    };
    // The inversion jumpers take the check box of their bit, named like them.
    row("InvertJumper6", u"Mode 1 Digital Inversion Bit 6"_s, "left");
    row("InvertJumper2", u"Mode 1 Digital Inversion Bit 2"_s, "left");
    row("InvertJumper1", u"Mode 1 Digital Inversion Bit 1"_s, "left");
    row("InvertJumper5", u"Mode 1 Digital Inversion Bit 5"_s, "left");
    row("BaseJumper5", u"Base Address A5"_s, "closed");
    row("BaseJumper6", u"Base Address A6"_s, "closed");
    row("BaseJumper7", u"Base Address A7"_s, "closed");
    row("BaseJumper8", u"Base Address A8"_s, "open");
    row("BaseJumper9", u"Base Address A9"_s, "open");
    // Both share the one label above them.
    row("X12JumperTop", u"±12V Source JP20 top"_s, "left");
    row("X12JumperBot", u"±12V Source JP20 bottom"_s, "left");
    // The bare "UNIPOLAR" and "BIPOLAR" are read with the DAC pair of their column.
    row("RangeJumperBD5", u"DAC Range DAC B/D 5V"_s, "closed");
    row("RangeJumperBDU", u"DAC Range DAC B/D UNIPOLAR"_s, "open");
    row("RangeJumperBDB", u"DAC Range DAC B/D BIPOLAR"_s, "closed");
    row("RangeJumperAC5", u"DAC Range DAC A/C 5V"_s, "closed");
    row("RangeJumperACU", u"DAC Range DAC A/C UNIPOLAR"_s, "open");
    row("RangeJumperACB", u"DAC Range DAC A/C BIPOLAR"_s, "closed");
    // "IRQ" is not said twice.
    for (int irq : {3, 4, 5, 6, 7, 15, 14, 12, 11, 10, 9}) {
        const QByteArray jumper = "IRQJumper" + QByteArray::number(irq);
        row(jumper.constData(), u"IRQ"_s + QString::number(irq), irq == 5 ? "closed" : "open");
    }
}

void TestAccessibility::everyJumperTellsItsFieldCaptionAndState()
{
    QFETCH(QString, jumper);
    QFETCH(QString, name);
    QFETCH(QString, state);

    QWidget* widget = get<QWidget>(jumper);
    QAccessibleInterface* iface = accessibleOf(widget);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), state);
    if (qobject_cast<TTwoJumper*>(widget)) {
        QCOMPARE(iface->role(), QAccessible::CheckBox);
        QVERIFY(iface->state().checkable);
        QCOMPARE(bool(iface->state().checked), state == u"closed");
    } else {
        QCOMPARE(iface->role(), QAccessible::Button);
        QVERIFY(!iface->state().checkable);
    }
    QVERIFY(iface->actionInterface());
}

void TestAccessibility::aNameGivenToAJumperComesFirst()
{
    auto* jumper = get<TTwoJumper>(u"BaseJumper5"_s);
    jumper->setAccessibleName(u"Address line 5"_s);
    QCOMPARE(accessibleOf(jumper)->text(QAccessible::Name), u"Address line 5"_s);
}

// The press runs the page's rules as a click does: IRQ 10 is picked and IRQ 5 opens.
void TestAccessibility::pressingATwoPinJumperClicksIt()
{
    auto* irq10 = get<TTwoJumper>(u"IRQJumper10"_s);
    auto* irq5 = get<TTwoJumper>(u"IRQJumper5"_s);
    press(irq10);
    QVERIFY(irq10->closed());
    QVERIFY(!irq5->closed());
    QCOMPARE(get<QComboBox>(u"IRQCombo"_s)->currentText(), u"IRQ 10"_s);
    QVERIFY(accessibleOf(irq10)->state().checked);
    QCOMPARE(accessibleOf(irq5)->text(QAccessible::Value), u"open"_s);
}

void TestAccessibility::pressingAThreePinJumperStepsItsCap()
{
    auto* jumper = get<TThreeJumper>(u"InvertJumper5"_s);
    press(jumper);
    QCOMPARE(jumper->jumperState(), jsRight);
    QCOMPARE(accessibleOf(jumper)->text(QAccessible::Value), u"right"_s);
    QVERIFY(get<QCheckBox>(u"InvertCheck5"_s)->isChecked());

    // The open state is not allowed here: the cap goes back to the left.
    press(jumper);
    QCOMPARE(accessibleOf(jumper)->text(QAccessible::Value), u"left"_s);
}

void TestAccessibility::aDisabledJumperIgnoresPresses()
{
    auto* jumper = get<TTwoJumper>(u"BaseJumper8"_s);
    jumper->setEnabled(false);
    press(jumper);
    QVERIFY(!jumper->closed());
    QVERIFY(accessibleOf(jumper)->state().disabled);
}

void TestAccessibility::ringsAreButtonsNamedByTitleAndKind_data()
{
    QTest::addColumn<QString>("ring");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");

    const auto row = [](const char* ring, const QString& name, const char* kind) {
        QTest::newRow(ring) << QString::fromLatin1(ring) << name << QString::fromLatin1(kind);
    };
    row("BaseHighlight", u"Base Address"_s, "settings");
    row("IRQHighlightLo", u"IRQ"_s, "settings");
    row("IRQHighlightHi", u"IRQ"_s, "settings");
    row("RangeHighlightA", u"DAC Range"_s, "settings");
    row("RangeHighlightB", u"DAC Range"_s, "settings");
    row("RangeHighlightC", u"DAC Range"_s, "settings");
    row("RangeHighlightD", u"DAC Range"_s, "settings");
    row("InvertHighlight0", u"Mode 1 Digital Inversion"_s, "settings");
    row("InvertHighlight1", u"Mode 1 Digital Inversion"_s, "settings");
    row("X12Highlight", u"±12V Source"_s, "settings");
    row("DIOHighlight", u"Digital I/O"_s, "information");
    row("DACHighlight", u"Analog Output"_s, "information");
    row("ADCTRHighlight", u"Analog Input And Counter/Timer"_s, "information");
    row("PowerHighlight", u"External ±12V"_s, "information");
    row("IRQHighlight9", u"IRQ"_s, "settings");
}

void TestAccessibility::ringsAreButtonsNamedByTitleAndKind()
{
    QFETCH(QString, ring);
    QFETCH(QString, name);
    QFETCH(QString, kind);

    QAccessibleInterface* iface = accessibleOf(get<TBoardHighlight>(ring));
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Description), kind);
}

void TestAccessibility::pressingARingOpensAndHoldsItsPopup()
{
    auto* ring = get<TBoardHighlight>(u"IRQHighlightHi"_s);
    QAccessibleInterface* calibration = accessibleOf(ring);
    ring->setHighlightType(htCalibration);
    QCOMPARE(calibration->text(QAccessible::Description), u"calibration"_s);
    ring->setHighlightType(htSettings);

    press(ring);
    TPopupForm* popup = ring->popup();
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    QVERIFY(ring->popupHeld());
    QCOMPARE(accessibleOf(popup)->text(QAccessible::Name), u"IRQ"_s);

    // The panel now sits in the popup; its jumpers keep their names.
    QCOMPARE(accessibleOf(get<QWidget>(u"IRQJumper10"_s))->text(QAccessible::Name), u"IRQ10"_s);

    QCOMPARE(accessibleOf(popup->statusMemo())->text(QAccessible::Name), u"Description"_s);
    QCOMPARE(accessibleOf(popup->PopupStatus())->text(QAccessible::Name), u"Status"_s);
    for (const QString& button : {u"Previous"_s, u"Next"_s, u"Done"_s}) {
        auto* widget = popup->findChild<QPushButton*>(button + u"Button"_s);
        QVERIFY(widget);
        QCOMPARE(accessibleOf(widget)->text(QAccessible::Name), button);
    }
}

void TestAccessibility::captionsPairWithJumpers_data()
{
    QTest::addColumn<QList<TPanelItem>>("jumpers");
    QTest::addColumn<QList<TPanelItem>>("captions");
    QTest::addColumn<QStringList>("names");

    const QRect beside(50, 0, 40, 17), below(0, 40, 34, 17);
    QTest::newRow("a caption named after the jumper wins over a nearer one")
        << QList{item("FooJumper2", {0, 0, 34, 18})}
        << QList{item("FooLabelX", beside, u"near"_s), item("FooCheck2", {200, 200, 60, 17}, u"Bit 2"_s)}
        << QStringList{u"Bit 2"_s};
    QTest::newRow("the nearest caption beside, across either axis")
        << QList{item("A", {0, 0, 34, 18})}
        << QList{item("far", {0, 60, 34, 17}, u"far"_s), item("near", below, u"near"_s)}
        << QStringList{u"near"_s};
    QTest::newRow("a caption off a corner or without letters names nothing")
        << QList{item("A", {0, 0, 34, 18})}
        << QList{item("corner", {40, 20, 30, 17}, u"corner"_s), item("mark", beside, u"/"_s)}
        << QStringList{QString()};
    QTest::newRow("two jumpers side by side share a caption")
        << QList{item("R", {40, 0, 18, 43}), item("L", {0, 0, 18, 43})}
        << QList{item("JP", {0, 50, 60, 17}, u"JP7"_s)}
        << QStringList{u"JP7 right"_s, u"JP7 left"_s};
    QTest::newRow("three jumpers sharing a caption are counted in reading order")
        << QList{item("B", {40, 20, 34, 18}), item("C", {0, 40, 34, 18}), item("A", {0, 20, 34, 18})}
        << QList{item("JP", {0, 0, 80, 17}, u"JP9"_s)}
        << QStringList{u"JP9 2"_s, u"JP9 3"_s, u"JP9 1"_s};
    QTest::newRow("a column with two headings gives no group")
        << QList{item("A", {0, 20, 34, 18})}
        << QList{item("h1", {40, 0, 80, 17}, u"DAC A 5V"_s), item("v", {40, 20, 80, 17}, u"UNIPOLAR"_s),
                 item("h2", {40, 40, 80, 17}, u"DAC B 5V"_s)}
        << QStringList{u"UNIPOLAR"_s};
    QTest::newRow("a heading set apart from the caption is no group")
        << QList{item("A", {0, 40, 34, 18})}
        << QList{item("h", {40, 0, 80, 17}, u"DAC A 5V"_s), item("v", {40, 40, 80, 17}, u"BIPOLAR"_s)}
        << QStringList{u"BIPOLAR"_s};
}

void TestAccessibility::captionsPairWithJumpers()
{
    QFETCH(QList<TPanelItem>, jumpers);
    QFETCH(QList<TPanelItem>, captions);
    QFETCH(QStringList, names);
    QCOMPARE(jumperCaptions(jumpers, captions), names);
}

void TestAccessibility::jumperNamesJoinFieldAndCaption_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("field and caption") << u"Base Address"_s << u"A5"_s << u"Base Address A5"_s;
    QTest::newRow("a caption that starts with the field") << u"IRQ"_s << u"IRQ10"_s << u"IRQ10"_s;
    QTest::newRow("no field") << QString() << u"JP20"_s << u"JP20"_s;
    QTest::newRow("no caption") << u"IRQ"_s << QString() << u"IRQ"_s;
}

void TestAccessibility::jumperNamesJoinFieldAndCaption()
{
    QFETCH(QString, field);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QCOMPARE(jumperName(field, caption), name);
}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
