// Binding the card driver library. Each situation needs its own process with its own library
// search path: CTest runs this program once per situation (tests/driver/CMakeLists.txt) and
// KVDRV_STANDIN names it; the plain run has no library at all. A test of another situation
// is skipped.

#include "driver/CardDriver.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <dlfcn.h>
#include <limits>
#include <stdexcept>

namespace {

QByteArray situation() { return qgetenv("KVDRV_STANDIN"); }

// The loaded library whose file is `path`, or nullptr when it is not loaded.
void* loadedLibrary(const QString& path)
{
    return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
}

void* loadedStandIn() { return dlopen(kCardDriverLibrary, RTLD_NOW | RTLD_NOLOAD); }

void setNumCards(int count)
{
    auto set = reinterpret_cast<void (*)(int)>(dlsym(loadedStandIn(), "StandInSetNumCards"));
    QVERIFY(set);
    set(count);
}

int filledSlots()
{
    int filled = 0;
    for (int i = 0; i < int(kCardDriverEntryNames.size()); ++i)
        filled += CardDriverEntry(i) != nullptr;
    return filled;
}

} // namespace

#define REQUIRE_SITUATION(name, test)                                                              \
    if (situation() != name)                                                                       \
        QSKIP("runs as " test);

class CardDriverTest : public QObject
{
    Q_OBJECT

private slots:
    void withoutALibraryNothingIsBoundAndBindingMayBeRepeated()
    {
        REQUIRE_SITUATION("", "tst_carddriver");
        BindCardDriver();
        BindCardDriver();
        QVERIFY(!CardDriverAvailable());
        QCOMPARE(filledSlots(), 0);
        QVERIFY(!GetNumCardsBound());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, GetNumCards());
        QVERIFY(!CardDriverEntry(-1));
        QVERIFY(!CardDriverEntry(int(kCardDriverEntryNames.size())));
    }

    void aCompleteLibraryFillsEverySlotWithItsOwnEntryPoint()
    {
        REQUIRE_SITUATION("complete", "tst_carddriver_complete");
        QVERIFY(!CardDriverAvailable());
        BindCardDriver();
        QVERIFY(CardDriverAvailable());
        void* library = loadedStandIn();
        QVERIFY(library);
        for (int i = 0; i < int(kCardDriverEntryNames.size()); ++i)
            QCOMPARE(CardDriverEntry(i), dlsym(library, kCardDriverEntryNames[i]));
        BindCardDriver(); // bound already: nothing changes
        QCOMPARE(CardDriverEntry(0), dlsym(library, "GetNumCards"));
    }

    void getNumCardsAnswersTheLibrarysCount_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("none") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("negative") << -1;
        QTest::newRow("largest") << std::numeric_limits<int>::max();
    }

    void getNumCardsAnswersTheLibrarysCount()
    {
        REQUIRE_SITUATION("complete", "tst_carddriver_complete");
        QFETCH(int, count);
        BindCardDriver();
        QVERIFY(GetNumCardsBound());
        setNumCards(count);
        QCOMPARE(GetNumCards(), count);
    }

    void aLibraryLackingAnEntryPointIsNotAvailableButStaysLoaded()
    {
        REQUIRE_SITUATION("lacking", "tst_carddriver_lacking");
        BindCardDriver();
        QVERIFY(!CardDriverAvailable());
        QVERIFY(!GetNumCardsBound());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, GetNumCards());
        // Every other name was still looked up.
        QCOMPARE(filledSlots(), int(kCardDriverEntryNames.size()) - 1);
        QVERIFY(loadedStandIn());
        BindCardDriver();
        QVERIFY(!CardDriverAvailable());
        QCOMPARE(filledSlots(), int(kCardDriverEntryNames.size()) - 1);
    }

    void aFailedBindingIsTriedAgainAtTheNextCall()
    {
        REQUIRE_SITUATION("late", "tst_carddriver_late");
        const QString folder = QString::fromLocal8Bit(qgetenv("LD_LIBRARY_PATH"));
        const QString target = QDir(folder).filePath(QString::fromLatin1(kCardDriverLibrary));
        QFile::remove(target);
        BindCardDriver();
        QVERIFY(!CardDriverAvailable());
        QCOMPARE(filledSlots(), 0);

        QVERIFY(QFile::copy(QString::fromLocal8Bit(qgetenv("KVDRV_COMPLETE")), target));
        BindCardDriver();
        const bool available = CardDriverAvailable();
        QFile::remove(target); // the next run starts without it again
        QVERIFY(available);
        QCOMPARE(filledSlots(), int(kCardDriverEntryNames.size()));
    }

    void aLibraryFoundRelativeToTheWorkingDirectoryIsNeverLoaded()
    {
        REQUIRE_SITUATION("relative", "tst_carddriver_relative");
        // The first relative or empty entry of the search path holds the library.
        QString entry;
        for (const QString& e : QString::fromLocal8Bit(qgetenv("LD_LIBRARY_PATH")).split(u':'))
            if (!e.startsWith(u'/')) {
                entry = e.isEmpty() ? QStringLiteral(".") : e;
                break;
            }
        const QString reachable =
            QDir::current().absoluteFilePath(entry + u'/' + QString::fromLatin1(kCardDriverLibrary));
        QVERIFY2(QFile::exists(reachable), qPrintable(reachable)); // the loader would take it
        BindCardDriver();
        QVERIFY(!CardDriverAvailable());
        QCOMPARE(filledSlots(), 0);
        QVERIFY(!loadedLibrary(reachable));
    }
};

QTEST_GUILESS_MAIN(CardDriverTest)
#include "tst_carddriver.moc"
