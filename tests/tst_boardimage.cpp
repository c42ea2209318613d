#include "HighlightFixture.h"
#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "toolkit/Jpeg.h"

#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryFile>
#include <QTest>

#include <stdexcept>

namespace {

// Every pixel tells where it came from, so drawn positions can be checked exactly.
QImage coordinatePicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return image;
}

QImage plainPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(30, 120, 60));
    return image;
}

// A board sized as on the page, with AutoSize off so the picture does not size it.
void placeAsOnPage(TBoardImage& board)
{
    board.setAutoSize(false);
    board.setCenterOnForm(false);
    board.setGeometry(195, 53, 400, 399);
}

} // namespace

class TestBoardImage : public QObject
{
    Q_OBJECT

private slots:
    void startsWithItsClassDefaults();
    void pictureBoundsFollowStretchAndCenter_data();
    void pictureBoundsFollowStretchAndCenter();
    void aspectComesFromTheLastPicture();
    void opaqueOnlyWhenThePictureCoversTheControl_data();
    void opaqueOnlyWhenThePictureCoversTheControl();
    void settersRefreshOnlyOnChange();
    void autoSizeTakesThePictureSizeWithinConstraints();
    void paintsPictureStretchedOrClippedAtNegativeOffsets();
    void paintsTheSamePixelsForTheRingsAsOnScreen();
    void picturePropertyDecodesAResource();
    void picturePropertyRefusesMissingOrDamagedFiles();
    void centredPositionTruncatesTowardZero_data();
    void centredPositionTruncatesTowardZero();
    void recordsLayoutPlaceOnceAndCentresInMainWindow();
    void firstFrameAlreadyShowsThePictureCentred();
    void startTourWithoutFirstDoesNothing();
    void startTourOpensAndHoldsFirstsPopup();
};

void TestBoardImage::startsWithItsClassDefaults()
{
    TBoardImage board;
    QCOMPARE(board.size(), QSize(105, 105));
    QVERIFY(board.AutoSize());
    QVERIFY(board.Scale());
    QVERIFY(board.CenterOnForm());
    QVERIFY(!board.Stretch());
    QVERIFY(!board.Center());
    QVERIFY(!board.Transparent());
    QVERIFY(!board.First());
    QVERIFY(!board.Menu());
    QVERIFY(board.picture().isNull());
    QCOMPARE(board.aspect(), 1.0);
    QVERIFY(!board.designRecorded());
    QCOMPARE(board.designLeft(), 0);
    QCOMPARE(board.designTop(), 0);
    QVERIFY(!board.opaque());
    // The highlights are the only children: other parts walk the child list.
    QVERIFY(board.children().isEmpty());
}

void TestBoardImage::pictureBoundsFollowStretchAndCenter_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("bounds");

    QTest::newRow("stretched to the control") << true << true << QSize(600, 598) << QRect(0, 0, 400, 399);
    QTest::newRow("centred, smaller") << false << true << QSize(300, 200) << QRect(50, 99, 300, 200);
    // (400 - 601) / 2 truncates to -100, (399 - 598) / 2 to -99.
    QTest::newRow("centred, larger") << false << true << QSize(601, 598) << QRect(-100, -99, 601, 598);
    QTest::newRow("top-left corner") << false << false << QSize(300, 200) << QRect(0, 0, 300, 200);
    QTest::newRow("empty picture centred") << false << true << QSize() << QRect(200, 199, 0, 0);
}

void TestBoardImage::pictureBoundsFollowStretchAndCenter()
{
    QFETCH(bool, stretch);
    QFETCH(bool, center);
    QFETCH(QSize, picture);
    QFETCH(QRect, bounds);

    TBoardImage board;
    placeAsOnPage(board);
    board.setStretch(stretch);
    board.setCenter(center);
    if (picture.isValid())
        board.setPicture(plainPicture(picture.width(), picture.height()));
    QCOMPARE(board.PictureBounds(), bounds);
}

void TestBoardImage::aspectComesFromTheLastPicture()
{
    TBoardImage board;
    placeAsOnPage(board);
    board.setPicture(QImage());
    QCOMPARE(board.aspect(), 1.0); // never a graphic
    board.setPicture(plainPicture(600, 598));
    QCOMPARE(board.aspect(), 598.0 / 600.0);
    board.setPicture(QImage());
    QCOMPARE(board.aspect(), 598.0 / 600.0); // an empty picture keeps the last ratio
    board.setPicture(plainPicture(300, 200));
    QCOMPARE(board.aspect(), 200.0 / 300.0);
}

void TestBoardImage::opaqueOnlyWhenThePictureCoversTheControl_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("opaque");

    QTest::newRow("stretched photograph") << true << false << QSize(600, 598) << true;
    QTest::newRow("stretched small graphic") << true << false << QSize(30, 20) << true;
    QTest::newRow("600x598 unstretched in 400x399") << false << false << QSize(600, 598) << true;
    QTest::newRow("300x200 unstretched in 400x399") << false << false << QSize(300, 200) << false;
    QTest::newRow("wide but not tall enough") << false << false << QSize(600, 398) << false;
    QTest::newRow("transparent stretched") << true << true << QSize(600, 598) << false;
    QTest::newRow("empty picture") << true << false << QSize() << false;
}

void TestBoardImage::opaqueOnlyWhenThePictureCoversTheControl()
{
    QFETCH(bool, stretch);
    QFETCH(bool, transparent);
    QFETCH(QSize, picture);
    QFETCH(bool, opaque);

    TBoardImage board;
    placeAsOnPage(board);
    board.setPicture(plainPicture(600, 598)); // starts opaque when stretched
    board.setStretch(stretch);
    board.setTransparent(transparent);
    board.setPicture(picture.isValid() ? plainPicture(picture.width(), picture.height()) : QImage());
    QCOMPARE(board.opaque(), opaque);
}

void TestBoardImage::settersRefreshOnlyOnChange()
{
    TBoardImage board;
    placeAsOnPage(board);
    board.setPicture(plainPicture(300, 200));
    QVERIFY(!board.opaque());
    // Shrinking the control refreshes nothing by itself, so the mark is stale...
    board.resize(200, 100);
    QVERIFY(!board.opaque());
    // ...an equal value runs nothing...
    board.setStretch(false);
    board.setCenter(false);
    board.setTransparent(false);
    board.setScale(true);
    QVERIFY(!board.opaque());
    // ...and a changed one refreshes.
    board.setScale(false);
    QVERIFY(board.opaque());
}

void TestBoardImage::autoSizeTakesThePictureSizeWithinConstraints()
{
    // Shown, so that resizes reach the control at once.
    QWidget holder;
    holder.resize(800, 800);
    TBoardImage& board = *new TBoardImage(&holder);
    board.setCenterOnForm(false);
    holder.show();
    board.setPicture(QImage());
    QCOMPARE(board.size(), QSize(105, 105)); // no picture, no size to take
    board.resize(120, 90);
    QCOMPARE(board.size(), QSize(120, 90));

    board.setPicture(plainPicture(300, 200));
    QCOMPARE(board.size(), QSize(300, 200));
    board.resize(50, 50); // AutoSize holds the picture's size
    QCOMPARE(board.size(), QSize(300, 200));

    board.setMaximumSize(400, 400);
    board.setPicture(plainPicture(600, 598));
    QCOMPARE(board.size(), QSize(400, 400));

    board.setAutoSize(false);
    board.resize(400, 399);
    QCOMPARE(board.size(), QSize(400, 399));
    board.setPicture(plainPicture(300, 200));
    QCOMPARE(board.size(), QSize(400, 399));
    board.setAutoSize(true);
    QCOMPARE(board.size(), QSize(300, 200));
}

void TestBoardImage::paintsPictureStretchedOrClippedAtNegativeOffsets()
{
    TBoardImage board;
    placeAsOnPage(board);
    const QImage picture = coordinatePicture(600, 598);
    board.setPicture(picture);
    board.setCenter(true);
    QImage shown = board.grab().toImage();
    QCOMPARE(shown.pixel(0, 0), picture.pixel(100, 99));
    QCOMPARE(shown.pixel(399, 398), picture.pixel(499, 497));

    board.setStretch(true);
    shown = board.grab().toImage();
    QCOMPARE(shown.size(), QSize(400, 399));
    const QImage expected = picture.scaled(400, 399, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (const QPoint p : {QPoint(0, 0), QPoint(200, 200), QPoint(399, 398)})
        QCOMPARE(shown.pixel(p), expected.pixel(p));
}

void TestBoardImage::paintsTheSamePixelsForTheRingsAsOnScreen()
{
    TBoardImage board;
    placeAsOnPage(board);
    board.setStretch(true);
    board.setPicture(coordinatePicture(600, 598));
    const QImage shown = board.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRect area(314, 77, 36, 54); // the base address ring's place
    QImage beneath(board.size(), QImage::Format_RGB32);
    beneath.fill(Qt::black);
    {
        QPainter painter(&beneath);
        board.paintPictureInto(painter, area);
    }
    QCOMPARE(beneath.copy(area), shown.copy(area));
    QCOMPARE(beneath.pixel(area.left() - 1, area.top()), qRgb(0, 0, 0)); // nothing outside
    QCOMPARE(beneath.pixel(area.right() + 1, area.bottom()), qRgb(0, 0, 0));
}

void TestBoardImage::picturePropertyDecodesAResource()
{
    TBoardImage board;
    placeAsOnPage(board);
    QVERIFY(board.setProperty("Picture", QStringLiteral(":/board.jpg")));
    QCOMPARE(board.pictureSource(), QStringLiteral(":/board.jpg"));
    QCOMPARE(board.picture().size(), QSize(600, 598));
    QCOMPARE(board.aspect(), 598.0 / 600.0);

    board.setPictureSource(QString());
    QVERIFY(board.picture().isNull());
    QVERIFY(board.pictureSource().isEmpty());
}

void TestBoardImage::picturePropertyRefusesMissingOrDamagedFiles()
{
    TBoardImage board;
    placeAsOnPage(board);
    board.setPictureSource(QStringLiteral(":/board.jpg"));
    const QImage before = board.picture();

    try {
        board.setPictureSource(QStringLiteral(":/no-such-board.jpg"));
        QFAIL("a missing picture was accepted");
    } catch (const std::runtime_error& e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral(":/no-such-board.jpg")), e.what());
    }

    QFile original(QStringLiteral(":/board.jpg"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QTemporaryFile truncated;
    QVERIFY(truncated.open());
    truncated.write(original.readAll().left(40000));
    truncated.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, board.setPictureSource(truncated.fileName()));

    QCOMPARE(board.picture(), before);
    QCOMPARE(board.pictureSource(), QStringLiteral(":/board.jpg"));
}

void TestBoardImage::centredPositionTruncatesTowardZero_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QSize>("own");
    QTest::addColumn<QPoint>("place");

    QTest::newRow("page main window") << QSize(1032, 776) << QSize(400, 399) << QPoint(316, 188);
    QTest::newRow("one pixel too small gives 0") << QSize(399, 398) << QSize(400, 399) << QPoint(0, 0);
    QTest::newRow("smaller still goes negative") << QSize(397, 300) << QSize(400, 399) << QPoint(-1, -49);
    QTest::newRow("exact fit") << QSize(400, 399) << QSize(400, 399) << QPoint(0, 0);
}

void TestBoardImage::centredPositionTruncatesTowardZero()
{
    QFETCH(QSize, outer);
    QFETCH(QSize, own);
    QFETCH(QPoint, place);
    QCOMPARE(centredPosition(outer, own), place);
}

void TestBoardImage::recordsLayoutPlaceOnceAndCentresInMainWindow()
{
    QMainWindow window;
    window.setMenuBar(new QMenuBar(&window));
    window.menuBar()->addMenu(QStringLiteral("&File"));
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    auto* board = new TBoardImage(client);
    board->setAutoSize(false);
    board->setGeometry(195, 53, 400, 399);
    board->setStretch(true);
    board->setPicture(plainPicture(600, 598));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Make the outer size, frame and caption included, 1032 x 776.
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(QSize(1032, 776) - frame);
    QTRY_COMPARE(window.frameGeometry().size(), QSize(1032, 776));

    QTRY_COMPARE(board->pos(), QPoint(316, 188));
    QVERIFY(board->designRecorded());
    QCOMPARE(board->designLeft(), 195);
    QCOMPARE(board->designTop(), 53);

    // Later moves and resizes re-centre, but the recorded place stays.
    window.resize(QSize(900, 700) - frame);
    QTRY_COMPARE(board->pos(), QPoint((900 - 400) / 2, (700 - 399) / 2));
    QCOMPARE(board->designLeft(), 195);
    QCOMPARE(board->designTop(), 53);

    board->setCenterOnForm(false);
    board->move(10, 20);
    board->repaint();
    QCOMPARE(board->pos(), QPoint(10, 20));
}

// Showing a window sends its pending resizes before its first paint: the picture must be
// in the middle by then, not jump there in a second frame.
void TestBoardImage::firstFrameAlreadyShowsThePictureCentred()
{
    QMainWindow window;
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    auto* board = new TBoardImage(client);
    board->setAutoSize(false);
    board->setGeometry(195, 53, 400, 399);
    window.resize(1000, 800);
    // Counts paints that find the picture anywhere but in the middle of the window.
    struct PaintSpy : QObject
    {
        QMainWindow* window;
        TBoardImage* board;
        int offCentre = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint && board->pos() != centredPosition(window->frameGeometry().size(), board->size()))
                ++offCentre;
            return false;
        }
    } spy;
    spy.window = &window;
    spy.board = board;
    window.installEventFilter(&spy);
    client->installEventFilter(&spy);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(spy.offCentre, 0);
    QCOMPARE(board->pos(), centredPosition(window.frameGeometry().size(), board->size()));
    QCOMPARE(board->designLeft(), 195);
    QCOMPARE(board->designTop(), 53);
}

void TestBoardImage::startTourWithoutFirstDoesNothing()
{
    TBoardImage board;
    auto* ring = new TBoardHighlight(&board);
    ring->setCreatePopup(false);
    QCOMPARE(sendWindowMessage(&board, WM_STARTTOUR), qintptr(0));
    QVERIFY(!ring->lit());

    // A First that has gone away counts as none.
    board.setFirst(ring);
    delete ring;
    QVERIFY(!board.First());
    QCOMPARE(sendWindowMessage(&board, WM_STARTTOUR), qintptr(0));
}

void TestBoardImage::startTourOpensAndHoldsFirstsPopup()
{
    HighlightFixture f;
    f.board->setFirst(f.base);
    bool litAtClick = false;
    f.base->setOnClick([&](QObject*) { litAtClick = f.base->lit(); });

    QCOMPARE(sendWindowMessage(f.board, WM_STARTTOUR), qintptr(0));
    QVERIFY(litAtClick); // the enter came before the click
    // The leave, with the pointer away from the popup, keeps the held popup open.
    QVERIFY(f.base->lit());
    QVERIFY(f.base->popupHeld());
    const QList<QWidget*> popups = HighlightFixture::windowsTitled(QStringLiteral("Base Address"));
    QCOMPARE(popups.size(), 1);
    QVERIFY(popups.front()->isVisible());
    for (const TBoardHighlight* other : f.irqRings())
        QVERIFY(!other->lit());
}

QTEST_MAIN(TestBoardImage)
#include "tst_boardimage.moc"
