// The page against bad input and faults: a broken layout or photograph refused with one
// message and nothing left built, a handler of the page that throws, and a timer refused at
// start. Each is shown by the application's exception handler and the page goes on.

#include "IdleLoop.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/SetupSupporter.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

// The page's window with one handler more, which fails.
class FailingForm : public TMainForm
{
    Q_OBJECT
public slots:
    void Explode(QObject*) { throw std::runtime_error("the handler failed"); }
};

namespace {

QString pageLayout()
{
    QFile file(QStringLiteral(":/MainForm.layout"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the page layout is not embedded");
    return QString::fromUtf8(file.readAll());
}

// Where `property` of component `name` is set in the layout text.
qsizetype placeOf(const QString& text, const QString& name, const QString& property)
{
    const qsizetype object = text.indexOf(QStringLiteral("object %1:").arg(name));
    const qsizetype start = object < 0 ? -1 : text.indexOf(property + QStringLiteral(" = "), object);
    if (start < 0)
        qFatal("the page layout has no %s of %s", qPrintable(property), qPrintable(name));
    return start;
}

int lineOf(const QString& text, const QString& name, const QString& property)
{
    return int(QStringView(text).left(placeOf(text, name, property)).count(u'\n')) + 1;
}

// The layout with `property` of component `name` set to `value` instead.
QString withProperty(QString text, const QString& name, const QString& property, const QString& value)
{
    const qsizetype start = placeOf(text, name, property);
    const qsizetype end = text.indexOf(u'\n', start);
    return text.replace(start, end - start, property + QStringLiteral(" = ") + value);
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& content)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray photograph()
{
    QFile file(QStringLiteral(":/board.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the photograph is not embedded");
    return file.readAll();
}

// The window's children that bear the name of a component of the layout.
QStringList pageComponents(const TMainForm& form, const QString& layout)
{
    QStringList names;
    static const QRegularExpression object(QStringLiteral("object (\\w+):"));
    for (const QRegularExpressionMatch& match : object.globalMatch(layout))
        names << match.captured(1);
    QStringList found;
    for (const QObject* child : form.findChildren<QObject*>())
        if (names.contains(child->objectName()))
            found << child->objectName();
    return found;
}

struct BoxRecorder
{
    QStringList texts;
    BoxRecorder()
    {
        MessageBox::setHandler([this](const QString& text, const QString&, unsigned) {
            texts << text;
            return int(MessageBox::IDOK);
        });
    }
    ~BoxRecorder() { MessageBox::setHandler({}); }
};

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

} // namespace

class TestPageFaults : public QObject
{
    Q_OBJECT

private slots:
    void aBrokenPageIsRefusedWithOneMessageAndNothingBuilt_data();
    void aBrokenPageIsRefusedWithOneMessageAndNothingBuilt();
    void aPageHandlerThatThrowsIsShownAndThePageGoesOn_data();
    void aPageHandlerThatThrowsIsShownAndThePageGoesOn();
    void aTimerRefusedAtStartIsShownAndThePageGoesOn();
    void destroyingAPanelThatHoldsTheFocusIsSafe();
};

void TestPageFaults::aBrokenPageIsRefusedWithOneMessageAndNothingBuilt_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("fault");
    static const QTemporaryDir dir; // the files live as long as the test program
    const QByteArray photo = photograph();
    const QString truncated = writeFile(dir, "truncated.jpg", photo.left(photo.size() / 3));
    QByteArray scrambled = photo;
    for (qsizetype i = 600; i < scrambled.size(); i += 97)
        scrambled[i] = char(scrambled[i] ^ 0x5A);
    const QString corrupt = writeFile(dir, "corrupt.jpg", scrambled);
    const QString notJpeg = writeFile(dir, "not-a-photo.jpg", "GIF89a");

    QTest::newRow("truncated photograph") << "BoardImage1" << "Picture" << QStringLiteral("\"%1\"").arg(truncated)
                                          << "setting 'Picture' of TBoardImage failed: ";
    QTest::newRow("corrupt photograph") << "BoardImage1" << "Picture" << QStringLiteral("\"%1\"").arg(corrupt)
                                        << "setting 'Picture' of TBoardImage failed: ";
    QTest::newRow("no photograph at all") << "BoardImage1" << "Picture" << QStringLiteral("\"%1\"").arg(notJpeg)
                                          << "setting 'Picture' of TBoardImage failed: ";
    QTest::newRow("missing photograph") << "BoardImage1" << "Picture" << "\":/no-such.jpg\""
                                        << "setting 'Picture' of TBoardImage failed: ";
    QTest::newRow("unknown handler") << "IRQJumper3" << "OnClick" << "IRQJumperClicked"
                                     << "unknown handler 'IRQJumperClicked' for 'OnClick' of TTwoJumper";
    QTest::newRow("reference to nothing") << "BoardImage1" << "First" << "NoHighlight"
                                          << "unknown component 'NoHighlight' for 'First' of TBoardImage";
    QTest::newRow("bad value") << "IRQJumper3" << "Closed" << "Maybe"
                               << "'Closed' of TTwoJumper takes True or False, not a name";
    QTest::newRow("unterminated text") << "SetSup" << "CardNameA" << "\"VT-4400"
                                       << "unterminated string";
}

// What the program does with such a page: one message, then it ends without a window. The
// window refuses the page with one error and holds none of its components afterwards.
void TestPageFaults::aBrokenPageIsRefusedWithOneMessageAndNothingBuilt()
{
    QFETCH(QString, component);
    QFETCH(QString, property);
    QFETCH(QString, value);
    QFETCH(QString, fault);
    const QString layout = pageLayout();
    const QString message = QStringLiteral("layout line %1: %2").arg(lineOf(layout, component, property)).arg(fault);
    TMainForm form;
    try {
        form.loadLayout(withProperty(layout, component, property, value));
        QFAIL("the page was accepted");
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        QVERIFY2(text.startsWith(message), qPrintable(text));
        QVERIFY2(!text.contains(u'\n'), qPrintable(text));
    }
    QCOMPARE(pageComponents(form, layout), QStringList());
    QVERIFY(!form.menu());
    QVERIFY(!form.setupSupporter());
    QVERIFY(!TApplication::instance()->onIdle().assigned());
}

void TestPageFaults::aPageHandlerThatThrowsIsShownAndThePageGoesOn_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("event");
    QTest::newRow("jumper click") << "IRQJumper3" << "OnClick";
    QTest::newRow("list pick") << "X12Combo" << "OnChange";
    QTest::newRow("box tick") << "InvertCheck1" << "OnClick";
    QTest::newRow("typed text") << "BaseEdit" << "OnChange";
}

void TestPageFaults::aPageHandlerThatThrowsIsShownAndThePageGoesOn()
{
    QFETCH(QString, component);
    QFETCH(QString, event);
    QString layout = withProperty(pageLayout(), component, event, QStringLiteral("Explode"));
    layout.replace(QStringLiteral("object MainForm: TMainForm"), QStringLiteral("object MainForm: FailingForm"));
    FailingForm form;
    form.loadLayout(layout);
    TApplication::instance()->setOnIdle({}); // the supporter's build plays no part here
    BoxRecorder boxes;

    QWidget* target = form.findChild<QWidget*>(component);
    if (auto* combo = qobject_cast<QComboBox*>(target)) {
        combo->setCurrentIndex(1);
        emit combo->activated(1);
    } else if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        QTest::keyClick(edit, Qt::Key_3);
    } else {
        click(target);
    }
    QCOMPARE(boxes.texts.value(0), QStringLiteral("the handler failed"));

    // The rules of the other controls still run.
    boxes.texts.clear();
    auto* irq4 = form.findChild<TTwoJumper*>(QStringLiteral("IRQJumper4"));
    click(irq4);
    QVERIFY(irq4->closed());
    QCOMPARE(form.findChild<QComboBox*>(QStringLiteral("IRQCombo"))->currentIndex(), 2);
    QVERIFY(!form.findChild<TTwoJumper*>(QStringLiteral("IRQJumper5"))->closed());
    QVERIFY(boxes.texts.isEmpty());
}

void TestPageFaults::aTimerRefusedAtStartIsShownAndThePageGoesOn()
{
    TSetupSupporter::setTimerStarter([](QObject*, int) { return 0; });
    BoxRecorder boxes;
    TMainForm form;
    form.loadLayout();
    form.showAsDesigned();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(runLoopUntil([&] { return !boxes.texts.isEmpty(); }));
    runLoopUntil([] { return false; }, 300); // no second message follows
    TSetupSupporter::setTimerStarter({});
    QCOMPARE(boxes.texts, QStringList{QStringLiteral("Not enough timers available")});

    // The help window was built but is not opened by itself; the Help menu still opens it.
    QWidget* help = form.setupSupporter()->helpForm();
    QVERIFY(help);
    QVERIFY(help->isHidden());
    form.Howtousethisprogram1Click(nullptr);
    QVERIFY(help->isVisible());
    auto* base9 = form.findChild<TTwoJumper*>(QStringLiteral("BaseJumper9"));
    click(base9);
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("BaseEdit"))->text(), QStringLiteral("100"));
}

// A panel hears of every focus change in the program; while it is being destroyed, the focus
// leaving its controls must no longer reach its half-destroyed self. (Only a build with the
// undefined-behaviour sanitizer, as scripts/sanitize.sh makes, reports such a call.)
void TestPageFaults::destroyingAPanelThatHoldsTheFocusIsSafe()
{
    QWidget window;
    auto* panel = new TRadioPanel(&window);
    auto* edit = new QLineEdit(panel);
    panel->show();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QCOMPARE(QApplication::focusWidget(), edit);
    delete panel;
    QCOMPARE(QApplication::focusWidget(), nullptr);
}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TestPageFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagefaults.moc"
