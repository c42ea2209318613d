// Random user actions on the whole program, with the page's invariants checked after each.
// SOAK_SEED picks one seed (otherwise a few fixed ones run), SOAK_ACTIONS the number of
// actions per seed, and SOAK_LOG lists every action. A failure names the seed and the
// action's number: run again with that seed and at least that many actions to replay it.

#include "soak/SoakDriver.h"

#include "IdleLoop.h"
#include "SetupCtrls/SetupSupporter.h"
#include "template/MainForm.h"
#include "toolkit/Application.h"
#include "toolkit/MessageBox.h"

#include <QElapsedTimer>
#include <QTest>
#include <deque>
#include <memory>

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void randomUserActionsKeepThePageConsistent_data();
    void randomUserActionsKeepThePageConsistent();

private:
    std::unique_ptr<TMainForm> m_form;
};

namespace {

QtMessageHandler g_testHandler = nullptr;
QStringList g_warnings;

// The offscreen platform says so each time it is asked to raise a window or grab the
// keyboard; any other warning is a finding.
void collectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings << message;
    g_testHandler(type, context, message);
}

int actionsPerSeed()
{
    return qEnvironmentVariableIsSet("SOAK_ACTIONS") ? qEnvironmentVariableIntValue("SOAK_ACTIONS") : 1000;
}

} // namespace

void TestSoak::initTestCase() { g_testHandler = qInstallMessageHandler(collectWarnings); }

void TestSoak::cleanupTestCase() { qInstallMessageHandler(g_testHandler); }

void TestSoak::cleanup()
{
    m_form.reset();
    MessageBox::setHandler({});
}

void TestSoak::randomUserActionsKeepThePageConsistent_data()
{
    QTest::addColumn<quint64>("seed");
    if (qEnvironmentVariableIsSet("SOAK_SEED")) {
        const quint64 seed = qgetenv("SOAK_SEED").toULongLong();
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
        return;
    }
    for (quint64 seed : {1u, 2u, 3u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestSoak::randomUserActionsKeepThePageConsistent()
{
    QFETCH(quint64, seed);
    QStringList boxes;
    MessageBox::setHandler([&](const QString& text, const QString&, unsigned) {
        boxes << text;
        return int(MessageBox::IDOK);
    });
    g_warnings.clear();
    m_form = std::make_unique<TMainForm>();
    m_form->loadLayout();
    PageOracle oracle(*m_form);
    SoakDriver driver(*m_form, oracle, seed); // sees the windows shown from here on
    m_form->showAsDesigned();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(runLoopUntil([this] {
        const QWidget* help = m_form->setupSupporter()->helpForm();
        return help && help->isVisible();
    }));
    QCOMPARE(oracle.check(), QString());

    std::deque<QString> recent;
    const int actions = actionsPerSeed();
    const bool log = qEnvironmentVariableIsSet("SOAK_LOG");
    QElapsedTimer clock;
    clock.start();
    for (int index = 1; index <= actions; ++index) {
        recent.push_back(driver.step());
        if (recent.size() > 8)
            recent.pop_front();
        if (log)
            qInfo("%d: %s", index, qPrintable(recent.back()));
        QStringList faults;
        if (const QString broken = oracle.check(); !broken.isEmpty())
            faults << broken;
        if (!boxes.isEmpty())
            faults << QStringLiteral("message box: ") + boxes.join(QStringLiteral(" | "));
        if (!g_warnings.isEmpty())
            faults << QStringLiteral("warning: ") + g_warnings.join(QStringLiteral(" | "));
        if (!faults.isEmpty()) {
            const QStringList before(recent.begin(), recent.end());
            QFAIL(qPrintable(QStringLiteral("seed %1, action %2 (%3):\n%4\nlast actions:\n  %5")
                                 .arg(seed)
                                 .arg(index)
                                 .arg(recent.back(), faults.join(u'\n'), before.join(QStringLiteral("\n  ")))));
        }
    }
    const qint64 ms = qMax<qint64>(1, clock.elapsed());
    qInfo("seed %llu: %d actions in %lld ms, %.0f actions/s", seed, actions, ms, actions * 1000.0 / ms);

    driver.exitProgram();
    QTRY_VERIFY(!m_form->isVisible());
}

// The page's first idle moment builds the help window: the application object must be the
// program's own.
int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Settings"));
    TestSoak test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_soak.moc"
