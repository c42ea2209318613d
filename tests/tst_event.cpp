// Event references: assignment, copies and calling an empty one.

#include "toolkit/Event.h"

#include <QTest>

class TestEvent : public QObject
{
    Q_OBJECT

private slots:
    void anEmptyEventDoesNothingAndYieldsADefault()
    {
        TNotifyEvent notify;
        QVERIFY(!notify.assigned());
        notify(this);
        TEvent<QString(int)> describe;
        QCOMPARE(describe(3), QString());
    }

    void aCopyCallsTheSameHandlerOnce()
    {
        int calls = 0;
        QObject* seen = nullptr;
        TNotifyEvent original = [&](QObject* sender) { ++calls; seen = sender; };
        TNotifyEvent copy = original; // a non-const source once re-wrapped itself endlessly
        TNotifyEvent assigned;
        assigned = copy;
        assigned(this);
        QCOMPARE(calls, 1);
        QCOMPARE(seen, this);
        TNotifyEvent empty;
        TNotifyEvent emptyCopy = empty;
        QVERIFY(!emptyCopy.assigned());
    }
};

QTEST_APPLESS_MAIN(TestEvent)
#include "tst_event.moc"
