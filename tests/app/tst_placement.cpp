#include "app/placement.h"

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
        QTest::addColumn<QPoint>("expected");
        const QSize screen(1920, 1080);
        Q_UNUSED(screen);
        QTest::newRow("below, left-aligned") << QRect(100, 100, 400, 80) << QSize(300, 200) << -1
                                             << QPoint(100, 180);
        QTest::newRow("too wide: right-aligned with the main window")
            << QRect(1700, 100, 200, 80) << QSize(300, 200) << -1 << QPoint(1600, 180);
        QTest::newRow("too low: directly above") << QRect(100, 950, 400, 80) << QSize(300, 200)
                                                 << -1 << QPoint(100, 750);
        QTest::newRow("centred, halves truncated") << QRect(100, 100, 401, 81) << QSize(301, 51)
                                                   << 0 << QPoint(100 + 200 - 150, 100 + 40 - 25);
    }
    void placeForm()
    {
        QFETCH(QRect, main);
        QFETCH(QSize, size);
        QFETCH(int, mode);
        QFETCH(QPoint, expected);
        QCOMPARE(placeFormPosition(main, size, QSize(1920, 1080), PlaceMode(mode)), expected);
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

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
