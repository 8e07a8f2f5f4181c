#include "base/placement.h"

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

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
