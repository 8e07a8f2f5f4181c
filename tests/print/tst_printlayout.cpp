// The page arithmetic of printing a window: fitted with its shape kept,
// centred, never larger than the page; and the move that brings a window
// completely on screen before it is captured.

#include "print/printlayout.h"
#include "tests/support/testmain.h"

#include <QTest>

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void fitAndCentre_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("printable");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QRect>("placed");
        // A4 at 600 dpi less 1/6 inch each side: 4760 x 6816.
        const QSize portrait(4760, 6816);
        QTest::newRow("landscape window on portrait paper: by width, centred top to bottom")
            << QSize(1000, 600) << portrait << 47600 << QRect(0, (6816 - 2856) / 2, 4760, 2856);
        QTest::newRow("tall window: by height, centred left to right")
            << QSize(300, 1200) << portrait << 56800 << QRect((4760 - 1704) / 2, 0, 1704, 6816);
        QTest::newRow("scale kept to four places, sizes to whole pixels")
            << QSize(3, 7) << QSize(10, 100) << 33333 << QRect(0, 38, 9, 23);
        QTest::newRow("window larger than the page shrinks")
            << QSize(2000, 1000) << QSize(500, 500) << 2500 << QRect(0, 125, 500, 250);
        QTest::newRow("odd leftover: the extra pixel goes after the picture")
            << QSize(100, 100) << QSize(201, 100) << 10000 << QRect(50, 0, 100, 100);
        QTest::newRow("empty window: nothing to print") << QSize(0, 600) << portrait << 0 << QRect();
        QTest::newRow("no printable area") << QSize(800, 600) << QSize(0, 0) << 0 << QRect();
    }
    void fitAndCentre()
    {
        QFETCH(QSize, window);
        QFETCH(QSize, printable);
        QFETCH(int, scale);
        QFETCH(QRect, placed);
        QCOMPARE(fitScale(window, printable), scale);
        QCOMPARE(pagePlacement(window, printable), placed);
    }

    void printableAreaLeavesTheMarginOnBothSides()
    {
        const QSize a4(4960, 7016);
        QCOMPARE(printableSize(a4, QRect(100, 100, 4760, 6816)), QSize(4760, 6816));
        // Wider margins on the right and at the bottom (set in the dialog): the
        // picture stays inside them.
        QCOMPARE(printableSize(a4, QRect(100, 100, 4000, 6000)), QSize(4000, 6000));
        // Wider on the left and at the top: as wide as the paper allows
        // centred, so the picture is centred on the paper.
        QCOMPARE(printableSize(a4, QRect(400, 300, 4460, 6616)), QSize(4160, 6416));
    }

    void onScreen_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QPoint>("expected");
        const QRect topLeftMain(0, 0, 300, 80);
        QTest::newRow("on screen: stays") << QRect(500, 300, 900, 600) << topLeftMain << QPoint(500, 300);
        QTest::newRow("off the right edge: right of the main window")
            << QRect(1500, 300, 900, 600) << topLeftMain << QPoint(300, 0);
        QTest::newRow("off the left edge: above the main window")
            << QRect(-200, 100, 900, 600) << QRect(1000, 700, 300, 80) << QPoint(1000, 100);
        QTest::newRow("above the main window, pulled in from the screen's right edge")
            << QRect(-200, 100, 900, 600) << QRect(1500, 700, 300, 80) << QPoint(1020, 100);
        QTest::newRow("no room above: left of the main window")
            << QRect(100, -50, 500, 300) << QRect(1000, 100, 300, 80) << QPoint(500, 100);
        QTest::newRow("no room beside it: below the main window")
            << QRect(100, -50, 1800, 900) << QRect(60, 100, 300, 80) << QPoint(60, 180);
        QTest::newRow("nowhere beside it: nearest place on screen")
            << QRect(300, -40, 1800, 900) << QRect(100, 500, 300, 80) << QPoint(120, 0);
        QTest::newRow("larger than the screen: top-left corner on screen")
            << QRect(-50, -60, 2000, 1200) << topLeftMain << QPoint(0, 0);
        QTest::newRow("no main window: nearest place on screen")
            << QRect(1500, 900, 900, 600) << QRect() << QPoint(1020, 480);
    }
    void onScreen()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, main);
        QFETCH(QPoint, expected);
        const QRect screen(0, 0, 1920, 1080);
        const QPoint p = onScreenPosition(window, screen, main);
        QCOMPARE(p, expected);
        if (window.width() <= screen.width() && window.height() <= screen.height())
            QVERIFY(screen.contains(QRect(p, window.size())));
    }
};

ZK_TEST_APPLESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
