// The seating list without widgets: the encodings a file may come in, the
// header row, every refusal with its row and reason, the 128-seat limit,
// seats placed or updated, and an export that reads back as it was written.

#include "panel/seatlist.h"
#include "tests/support/testmain.h"

#include <QStringEncoder>
#include <QTest>

namespace {

const QString Header = QStringLiteral("caption,mixer,channel,role,left,top,width,height\n");

PanelState emptyPanel()
{
    PanelState p;
    qint16 fileMixers = 0;
    ResetPanel(p, fileMixers, PanelContext{});
    return p;
}

} // namespace

class TestSeatList : public QObject
{
    Q_OBJECT

private slots:
    void encodingsAndSeparators();
    void refusals_data();
    void refusals();
    void theLimitIs128Seats();
    void updatesKeepTheLookAndPlacesGetTheDefault();
    void exportReadsBackAsWritten();
};

void TestSeatList::encodingsAndSeparators()
{
    const QString caption = QStringLiteral("議長席");
    const QString csv = Header + caption + QStringLiteral(",1,2,chair,100,200,900,600\r\n");
    QCOMPARE(seatListText(QByteArrayLiteral("\xEF\xBB\xBF") + csv.toUtf8()), csv);
    QCOMPARE(seatListText(csv.toUtf8()), csv);
    QStringEncoder cp932("CP932");
    const QByteArray cpBytes = cp932.encode(csv);
    QVERIFY(cpBytes != csv.toUtf8());
    QCOMPARE(seatListText(cpBytes), csv);

    // Pasted from a spreadsheet: tabs, a caption of two lines in quotes.
    const SeatTable pasted = readSeatTable(
        QStringLiteral("表示名\tミキサー\tチャンネル\t役割\t左\t上\t幅\t高さ\n"
                       "\"A, 1\nB\"\t2\t8\tdelegate\t0\t15\t240\t240\n"), 2);
    QVERIFY(pasted.ok());
    QCOMPARE(pasted.seats.size(), size_t(1));
    const SeatRow &s = pasted.seats.front();
    QCOMPARE(s.caption, QStringLiteral("A, 1\r\nB"));
    QCOMPARE(s.seat, (ButtonRef{1, 7}));
    QVERIFY(!s.chair);
    QCOMPARE((std::array{s.left, s.top, s.width, s.height}), (std::array<qint32, 4>{0, 15, 240, 240}));
}

void TestSeatList::refusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("reason");
    const QString ok = Header + QStringLiteral("a,1,1,delegate,0,0,900,900\n");
    QTest::newRow("channel twice") << ok + "b,1,2,,0,0,900,900\n\nc,1,1,chair,0,0,900,900\n" << 5
                                   << QStringLiteral("ミキサー 1 のチャンネル 1 は 2 行目にもあります。");
    QTest::newRow("mixer not in file") << ok + "b,3,1,,0,0,900,900\n" << 3
                                       << QStringLiteral("ミキサー 3 はこのファイルにありません (ミキサーは 2 台です)。");
    QTest::newRow("channel 9") << ok + "b,1,9,,0,0,900,900\n" << 3
                               << QStringLiteral("チャンネル「9」は 1 から 8 までの数ではありません。");
    QTest::newRow("too small") << ok + "b,1,2,,0,0,239,900\n" << 3
                               << QStringLiteral("幅「239」は 240 から 491505 までの数ではありません。");
    QTest::newRow("negative place") << ok + "b,1,2,,-1,0,900,900\n" << 3
                                    << QStringLiteral("左「-1」は 0 から 491505 までの数ではありません。");
    QTest::newRow("role") << ok + "b,1,2,speaker,0,0,900,900\n" << 3
                          << QStringLiteral("役割「speaker」は chair (議長) か delegate (代表) です。");
    QTest::newRow("short row") << ok + "b,1,2,chair,0,0,900\n" << 3
                               << QStringLiteral("列が 8 つ必要です (表示名, ミキサー, チャンネル, 役割, 左, 上, 幅, 高さ)。");
    QTest::newRow("three lines") << ok + "\"x\ny\nz\",1,2,,0,0,900,900\n" << 3
                                 << QStringLiteral("表示名は 2 行までです。");
    QTest::newRow("unstorable") << ok + "😀,1,2,,0,0,900,900\n" << 3 << QStringLiteral("😀");
    // A first row that is a seat: skipping it as the header would lose it.
    const QString noHeader = QStringLiteral("見出しの行がありません。1 行目には列の名前を書いて下さい。");
    QTest::newRow("no header") << QStringLiteral("a,1,1,chair,0,0,900,900\n") << 1 << noHeader;
    QTest::newRow("blank first row") << u'\n' + ok << 1 << noHeader;
    QTest::newRow("header only") << Header << 1 << QStringLiteral("座席がありません。");
}

void TestSeatList::refusals()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QString, reason);
    const SeatTable table = readSeatTable(text, 2);
    QVERIFY(!table.ok());
    QCOMPARE(table.refusal->row, row);
    QVERIFY2(table.refusal->message().contains(reason), qPrintable(table.refusal->message()));
    QVERIFY(table.refusal->message().startsWith(QStringLiteral("%1 行目: ").arg(row)));
}

void TestSeatList::theLimitIs128Seats()
{
    QString text = Header;
    for (int m = 1; m <= 16; ++m)
        for (int c = 1; c <= 8; ++c)
            text += QStringLiteral("s,%1,%2,,0,0,300,300\n").arg(m).arg(c);
    QCOMPARE(readSeatTable(text, 16).seats.size(), size_t(128));
    const SeatTable over = readSeatTable(text + QStringLiteral("t,1,1,,0,0,300,300\n"), 16);
    QVERIFY(!over.ok());
    QCOMPARE(over.refusal->row, 130);
    QCOMPARE(over.refusal->reason, QStringLiteral("座席は 128 までです。"));
}

void TestSeatList::updatesKeepTheLookAndPlacesGetTheDefault()
{
    PanelState panel = emptyPanel();
    ButtonSlot &held = panel.slot(0, 0);
    held = resetSlot(panel.defaults, 0);
    held.IconEnable = true;
    held.IconFontBold = true;
    held.IconColorOn = 0x123456;
    panel.meeting.setChair(0, 0, true);
    panel.IconNum = 1;
    const SeatTable table = readSeatTable(
        Header + QStringLiteral("Chair,1,1,delegate,10,20,900,600\nB,1,2,chair,30,40,700,500\n"), 1);
    QVERIFY(table.ok());
    const SeatPlan plan = planSeats(panel, table.seats);
    QCOMPARE(plan.updates.size(), size_t(1));
    QCOMPARE(plan.placements.size(), size_t(1));
    QCOMPARE(plan.placements.front().seat, (ButtonRef{0, 1}));
    applySeatPlan(panel, plan);
    QVERIFY(panel.slot(0, 0).IconFontBold);
    QCOMPARE(panel.slot(0, 0).IconColorOn, 0x123456);
    QCOMPARE(panel.slot(0, 0).IconText, QStringLiteral("Chair"));
    QVERIFY(!panel.meeting.isChair(0, 0));
    QVERIFY(panel.meeting.isChair(0, 1));
    QCOMPARE(panel.slot(0, 1).IconColorOn, panel.defaults.channelOnColor);
    QCOMPARE(panel.slot(0, 1).IconLeft, 30);
    QCOMPARE(panel.slot(0, 1).IconHeight, 500.0);
    QCOMPARE(panel.IconNum, qint16(2));
}

void TestSeatList::exportReadsBackAsWritten()
{
    PanelState panel = emptyPanel();
    const SeatTable table = readSeatTable(
        Header + QStringLiteral("'=SUM(A1),1,3,chair,15,30,900,600\n\"a,\"\"b\"\"\",2,8,,45,60,240,300\n"), 2);
    QVERIFY(table.ok());
    QCOMPARE(table.seats.front().caption, QStringLiteral("=SUM(A1)"));
    applySeatPlan(panel, planSeats(panel, table.seats));
    panel.slot(2, 0).IconEnable = true;   // a third mixer's seat is not written for two
    const QByteArray csv = seatListCsv(panel, 2);
    QVERIFY(csv.startsWith("\xEF\xBB\xBF" "caption,mixer,"));
    QVERIFY(csv.contains("'=SUM(A1),1,3,chair,15,30,900,600\r\n"));
    const SeatTable back = readSeatTable(seatListText(csv), 2);
    QVERIFY(back.ok());
    QCOMPARE(back.seats.size(), size_t(2));
    for (size_t i = 0; i < 2; ++i) {
        const SeatRow &a = table.seats[i], &b = back.seats[i];
        QCOMPARE(b.caption, a.caption);
        QCOMPARE(b.seat, a.seat);
        QCOMPARE(b.chair, a.chair);
        QCOMPARE((std::array{b.left, b.top, b.width, b.height}), (std::array{a.left, a.top, a.width, a.height}));
    }
}

ZK_TEST_GUILESS_MAIN(TestSeatList)
#include "tst_seatlist.moc"
