#include "base/placement.h"
#include "tests/support/testmain.h"

#include <QTest>

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void placeForm_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1080);
        QTest::newRow("below, left-aligned") << QRect(100, 100, 400, 80) << QSize(300, 200) << -1 << screen
                                             << QPoint(100, 180);
        QTest::newRow("too wide: right-aligned with the main window")
            << QRect(1700, 100, 200, 80) << QSize(300, 200) << -1 << screen << QPoint(1600, 180);
        QTest::newRow("too low: directly above") << QRect(100, 950, 400, 80) << QSize(300, 200) << -1
                                                 << screen << QPoint(100, 750);
        QTest::newRow("centred, halves truncated") << QRect(100, 100, 401, 81) << QSize(301, 51) << 0
                                                   << screen << QPoint(100 + 200 - 150, 100 + 40 - 25);
        // A short main window at the top: a taller dialog centred on it
        // would start above the screen.
        QTest::newRow("centred on a main window at the top")
            << QRect(0, 0, 420, 60) << QSize(300, 110) << 0 << screen << QPoint(60, 0);
        QTest::newRow("centred near the right edge")
            << QRect(1700, 500, 220, 60) << QSize(400, 100) << 0 << screen << QPoint(1520, 480);
        // The main window on a second screen right of the first, whose
        // taskbar takes its top 40 pixels.
        const QRect second(1920, 40, 1280, 984);
        QTest::newRow("second screen, centred") << QRect(1920, 40, 420, 60) << QSize(300, 110) << 0 << second
                                                << QPoint(1980, 40);
        QTest::newRow("second screen, too low: above") << QRect(2000, 900, 200, 60) << QSize(300, 200) << -1
                                                       << second << QPoint(2000, 700);
        QTest::newRow("larger than the screen: its corner on it")
            << QRect(100, 100, 400, 80) << QSize(2000, 1200) << 0 << screen << QPoint(0, 0);
    }
    void placeForm()
    {
        QFETCH(QRect, main);
        QFETCH(QSize, size);
        QFETCH(int, mode);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        const QPoint at = placeFormPosition(main, size, screen, PlaceMode(mode));
        QCOMPARE(at, expected);
        if (size.width() <= screen.width() && size.height() <= screen.height())
            QVERIFY(screen.contains(QRect(at, size)));
    }

    void firstEditorGoesBesideTheMainWindow()
    {
        const QRect editor(0, 0, 300, 200);
        // Room above: only the top changes.
        QCOMPARE(editorBesideMain(QRect(400, 500, 400, 80), editor, 1920), QPoint(0, 300));
        // No room above, room on the left.
        QCOMPARE(editorBesideMain(QRect(400, 100, 400, 80), editor, 1920), QPoint(100, 0));
        // Neither: right of it.
        QCOMPARE(editorBesideMain(QRect(100, 100, 400, 80), editor, 1920), QPoint(500, 0));
        // Nothing fits: below it.
        QCOMPARE(editorBesideMain(QRect(100, 100, 1700, 80), editor, 1920), QPoint(0, 180));
    }

    void cascadeRestartsAtTheTopClearOfTheMainWindow()
    {
        const auto p = cascadePositions(4, QSize(500, 100), 300, 450);
        QCOMPARE(p[0], QPoint(0, 100));
        QCOMPARE(p[1], QPoint(18, 118));
        // 300 + 136 would still fit; the next one (154) would not, so it restarts.
        QCOMPARE(p[2], QPoint(36, 136));
        QCOMPARE(p[3], QPoint(500, 0));
    }

    void mixerNames()
    {
        QCOMPARE(MixerName(1), QStringLiteral("マスター"));
        QCOMPARE(MixerName(3), QStringLiteral("スレーブ2"));
        QCOMPARE(MixerName(16), QStringLiteral("スレーブ15"));
        QVERIFY(MixerName(0).isEmpty());
        QVERIFY(MixerName(17).isEmpty());
    }
};

ZK_TEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
