// The panel's figures without widgets: drawing with the pointer, the
// direction lines and arcs keep, the stacking order, handles and dragging,
// and the property dialog's width rule.

#include "panel/figures.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {

constexpr double Tpp96 = 15.0;   // twips per pixel at 96 dots per inch

struct Drawn
{
    FigureKind kind;
    QPoint from;
    QPoint to;
};

// Arms `kind`, drags from `from` to `to` and lets the redraw disarm.
FigureRef draw(FigureEditor &e, PanelState &p, FigureKind kind, QPoint from, QPoint to)
{
    e.toggleArmed(kind);
    e.press(from, Qt::LeftButton, Tpp96);
    e.move((from + to) / 2);
    e.release(to);
    e.disarmAfterRedraw();
    return {kind, p.count(kind) - 1};
}

std::vector<qint16> orders(PanelState &p, const std::vector<FigureRef> &refs)
{
    std::vector<qint16> out;
    for (const FigureRef &r : refs)
        out.push_back(p.list(r.kind)[size_t(r.index)].Order);
    return out;
}

} // namespace

class TstPanelFigures : public QObject
{
    Q_OBJECT

private slots:
    void drawingNormalisesAndKeepsTheDirection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("stored");      // StartX, StartY, EndX, EndY as a rect's corners
        QTest::addColumn<int>("direction");
        QTest::newRow("rectangle bottom-right to top-left")
            << int(FigureKind::Rect) << QPoint(5000, 4000) << QPoint(1000, 2000)
            << QRect(QPoint(1000, 2000), QPoint(5000, 4000)) << 0;
        QTest::newRow("line right and up") << int(FigureKind::Line) << QPoint(1000, 2000) << QPoint(3000, 1000)
                                           << QRect(QPoint(1000, 1000), QPoint(3000, 2000)) << 2;
        QTest::newRow("line left and down") << int(FigureKind::Line) << QPoint(3000, 1000) << QPoint(1000, 2000)
                                            << QRect(QPoint(1000, 1000), QPoint(3000, 2000)) << 1;
        QTest::newRow("line left and up") << int(FigureKind::Line) << QPoint(3000, 2000) << QPoint(1000, 1000)
                                          << QRect(QPoint(1000, 1000), QPoint(3000, 2000)) << 0;
        QTest::newRow("arc right and down") << int(FigureKind::Arc) << QPoint(1000, 1000) << QPoint(3000, 2000)
                                            << QRect(QPoint(1000, 1000), QPoint(3000, 2000)) << 0;
        QTest::newRow("arc left and up") << int(FigureKind::Arc) << QPoint(3000, 2000) << QPoint(1000, 1000)
                                         << QRect(QPoint(1000, 1000), QPoint(3000, 2000)) << 3;
    }
    void drawingNormalisesAndKeepsTheDirection()
    {
        QFETCH(int, kind);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QRect, stored);
        QFETCH(int, direction);
        PanelState p;
        FigureEditor e(p);
        const FigureRef r = draw(e, p, FigureKind(kind), from, to);
        const Figure &f = p.list(r.kind)[size_t(r.index)];
        QCOMPARE(QRect(QPoint(f.StartX, f.StartY), QPoint(f.EndX, f.EndY)), stored);
        QCOMPARE(int(f.Direction), direction);
        QCOMPARE(f.Order, qint16(1));
        QCOMPARE(f.Width, qint16(2));
        QVERIFY(!e.armed(FigureKind(kind)));
        if (FigureKind(kind) == FigureKind::Line) {
            // The segment joins the two points the pointer went between.
            const auto [a, b] = lineEnds(f);
            QVERIFY((a == from && b == to) || (a == to && b == from));
        }
    }

    void arcsAreQuartersOfTheirEllipse()
    {
        // Dragged right and down: centred bottom-left, rising from the
        // bottom-right corner to the top-left one.
        Figure f{1000, 1000, 3000, 2000, 0, 2, 0, 0, 1};
        ArcGeometry a = arcGeometry(f);
        QCOMPARE(a.centre, QPoint(1000, 2000));
        QCOMPARE(QPoint(a.radiusX, a.radiusY), QPoint(2000, 1000));
        QCOMPARE(a.from, QPoint(3000, 2000));
        QCOMPARE(a.to, QPoint(1000, 1000));
        QCOMPARE(a.spanAngle, 90);
        // The same box dragged left and up: centred top-right, running from
        // the top-left corner down to the bottom-right one.
        f.Direction = 3;
        a = arcGeometry(f);
        QCOMPARE(a.centre, QPoint(3000, 1000));
        QCOMPARE(a.from, QPoint(1000, 1000));
        QCOMPARE(a.to, QPoint(3000, 2000));
    }

    void armingReservesAnEntryAndTheLimitIsTen()
    {
        PanelState p;
        FigureEditor e(p);
        QVERIFY(e.toggleArmed(FigureKind::Circle));
        QCOMPARE(p.count(FigureKind::Circle), qint16(1));
        QVERIFY(!e.toggleArmed(FigureKind::Circle));   // disarmed: the entry goes back
        QCOMPARE(p.count(FigureKind::Circle), qint16(0));

        // A redraw for another reason (the grid, a resize) disarms without
        // leaving an empty figure behind.
        e.toggleArmed(FigureKind::Line);
        QVERIFY(e.disarmAfterRedraw());
        QCOMPARE(p.count(FigureKind::Line), qint16(0));
        QCOMPARE(p.FigureNum, qint16(0));

        // Two kinds armed together each get the drawn figure.
        e.toggleArmed(FigureKind::Circle);
        e.toggleArmed(FigureKind::Rect);
        e.press({100, 100}, Qt::LeftButton, Tpp96);
        QVERIFY(!e.disarmAfterRedraw());   // not while the pointer is held
        e.release({900, 700});
        e.disarmAfterRedraw();
        QCOMPARE(p.count(FigureKind::Circle), qint16(1));
        QCOMPARE(p.count(FigureKind::Rect), qint16(1));
        QCOMPARE(p.FigureNum, qint16(2));

        for (int i = 1; i < 10; ++i)
            draw(e, p, FigureKind::Rect, {i * 100, 0}, {i * 100 + 500, 500});
        QCOMPARE(p.count(FigureKind::Rect), qint16(10));
        QVERIFY(!figureCommandEnabled(p, FigureKind::Rect));
        QVERIFY(!e.toggleArmed(FigureKind::Rect));
        QCOMPARE(p.count(FigureKind::Rect), qint16(10));
        e.press({600, 250}, Qt::LeftButton, Tpp96);
        e.deleteSelected();
        QVERIFY(figureCommandEnabled(p, FigureKind::Rect));
        // An armed ninth-plus-one entry keeps its command so it can be disarmed.
        QVERIFY(e.toggleArmed(FigureKind::Rect));
        QVERIFY(figureCommandEnabled(p, FigureKind::Rect));
    }

    void orderDecidesSelectionAndFollowsDeletes()
    {
        PanelState p;
        FigureEditor e(p);
        const FigureRef back = draw(e, p, FigureKind::Rect, {0, 0}, {4000, 4000});
        const FigureRef mid = draw(e, p, FigureKind::Circle, {1000, 1000}, {5000, 5000});
        const FigureRef front = draw(e, p, FigureKind::Rect, {2000, 2000}, {6000, 6000});
        QCOMPARE(orders(p, {back, mid, front}), (std::vector<qint16>{1, 2, 3}));

        // Where all three overlap the front-most is taken; sent to the back,
        // the one that was in the middle is taken there.
        QCOMPARE(e.press({3000, 3000}, Qt::LeftButton, Tpp96), FigureEditor::Press::Moving);
        QCOMPARE(*e.selected(), front);
        e.release({3000, 3000});
        e.sendToBack();
        QVERIFY(!e.selected());
        QCOMPARE(orders(p, {back, mid, front}), (std::vector<qint16>{2, 3, 1}));
        QCOMPARE(e.press({3000, 3000}, Qt::RightButton, Tpp96), FigureEditor::Press::Menu);
        QCOMPARE(*e.selected(), mid);
        e.bringToFront();   // already in front: nothing moves
        QCOMPARE(orders(p, {back, mid, front}), (std::vector<qint16>{2, 3, 1}));

        // Deleting Order 2 of three leaves Orders 1 and 2 and FigureNum 2;
        // the rectangle list closes up.
        e.press({500, 500}, Qt::RightButton, Tpp96);
        QCOMPARE(*e.selected(), back);
        e.deleteSelected();
        QCOMPARE(p.FigureNum, qint16(2));
        QCOMPARE(p.count(FigureKind::Rect), qint16(1));
        QCOMPARE(orders(p, {{FigureKind::Circle, 0}, {FigureKind::Rect, 0}}), (std::vector<qint16>{2, 1}));
        QCOMPARE(p.list(FigureKind::Rect)[0].StartX, 2000);
        QCOMPARE(p.list(FigureKind::Rect)[1].Width, qint16(2));   // the freed entry is clear
        QCOMPARE(e.press({9000, 9000}, Qt::LeftButton, Tpp96), FigureEditor::Press::Missed);

        e.clearAll();
        QCOMPARE(p.FigureNum, qint16(0));
        QCOMPARE(p.count(FigureKind::Circle), qint16(0));
    }

    void handlesFollowTheBoxSize()
    {
        auto handles = [](const Figure &f) {
            QList<int> out;
            for (const HandleSquare &h : figureHandles(f))
                out << int(h.handle);
            return out;
        };
        // 300 twips tall: no handles in the middle of the left and right edges.
        QCOMPARE(handles(Figure{0, 0, 1000, 300}), (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(handles(Figure{0, 0, 400, 1000}), (QList<int>{1, 2, 3, 4, 7, 8}));
        QCOMPARE(handles(Figure{1000, 1000, 0, 0}), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        // A pen 10 pixels wide reaches 75 twips beyond the box at 15 twips a pixel.
        PanelState p;
        p.count(FigureKind::Line) = 1;
        p.list(FigureKind::Line)[0] = Figure{1000, 1000, 2000, 1000, 0, 10, 0, 0, 1};
        FigureEditor e(p);
        QVERIFY(e.hit({1500, 1075}, Tpp96));
        QVERIFY(!e.hit({1500, 1080}, Tpp96));
    }

    void draggingAHandleMovesItsSide_data()
    {
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("grab");
        QTest::addColumn<QRect>("after");   // the box after a drag by (+100, +200)
        QTest::addColumn<int>("cursor");
        QTest::newRow("top-left") << 1 << QPoint(1000, 1000) << QRect(QPoint(1100, 1200), QPoint(3000, 2000)) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << 2 << QPoint(3000, 1000) << QRect(QPoint(1000, 1200), QPoint(3100, 2000)) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left") << 3 << QPoint(1000, 2000) << QRect(QPoint(1100, 1000), QPoint(3000, 2200)) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-right") << 4 << QPoint(3000, 2000) << QRect(QPoint(1000, 1000), QPoint(3100, 2200)) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top") << 5 << QPoint(2000, 1000) << QRect(QPoint(1000, 1200), QPoint(3000, 2000)) << int(Qt::SizeVerCursor);
        QTest::newRow("bottom") << 6 << QPoint(2000, 2000) << QRect(QPoint(1000, 1000), QPoint(3000, 2200)) << int(Qt::SizeVerCursor);
        QTest::newRow("left") << 7 << QPoint(1000, 1500) << QRect(QPoint(1100, 1000), QPoint(3000, 2000)) << int(Qt::SizeHorCursor);
        QTest::newRow("right") << 8 << QPoint(3000, 1500) << QRect(QPoint(1000, 1000), QPoint(3100, 2000)) << int(Qt::SizeHorCursor);
        QTest::newRow("move") << 10 << QPoint(1500, 1500) << QRect(QPoint(1100, 1200), QPoint(3100, 2200)) << int(Qt::SizeAllCursor);
    }
    void draggingAHandleMovesItsSide()
    {
        QFETCH(int, handle);
        QFETCH(QPoint, grab);
        QFETCH(QRect, after);
        QFETCH(int, cursor);
        // The same box stored normalised and flipped (Start beyond End, as a
        // drag past the opposite side leaves it): the handle moves the side
        // it stands on either way.
        for (const Figure &start : {Figure{1000, 1000, 3000, 2000}, Figure{3000, 2000, 1000, 1000}}) {
            PanelState p;
            p.count(FigureKind::Rect) = 1;
            p.FigureNum = 1;
            p.list(FigureKind::Rect)[0] = start;
            p.list(FigureKind::Rect)[0].Order = 1;
            FigureEditor e(p);
            e.press({1500, 1500}, Qt::LeftButton, Tpp96);
            e.release({1500, 1500});
            QCOMPARE(int(e.cursorAt(grab)), handle == 10 ? int(Qt::ArrowCursor) : cursor);
            e.press(grab, Qt::LeftButton, Tpp96);
            e.move(grab + QPoint(60, 120));
            QCOMPARE(int(e.cursorAt(grab)), cursor);
            e.release(grab + QPoint(100, 200));
            const TwipBox b = figureBox(p.list(FigureKind::Rect)[0]);
            QCOMPARE(QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom)), after);
        }
    }

    void aMovedFigureStaysOnThePanel()
    {
        PanelState p;
        FigureEditor e(p);
        draw(e, p, FigureKind::Circle, {300, 200}, {1300, 1200});
        e.press({800, 700}, Qt::LeftButton, Tpp96);
        e.release({-2000, -2000});
        const TwipBox b = figureBox(p.list(FigureKind::Circle)[0]);
        QCOMPARE(QPoint(b.left, b.top), QPoint(0, 0));
        QCOMPARE(QPoint(b.right, b.bottom), QPoint(1000, 1000));
    }

    void penWidthRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("width");   // 0: refused
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("999") << " 999 " << 999;
        QTest::newRow("1000") << "1000" << 0;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("fraction") << "2.5" << 0;
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void penWidthRule()
    {
        QFETCH(QString, typed);
        QFETCH(int, width);
        QCOMPARE(int(figureWidthFromText(typed).value_or(0)), width);
        // Wider pens take the solid style.
        QCOMPARE(styleForWidth(5, qint16(PenStyle::Dash)), qint16(PenStyle::Solid));
        QCOMPARE(styleForWidth(1, qint16(PenStyle::Dot)), qint16(PenStyle::Dot));
        QCOMPARE(figurePenStyle(qint16(PenStyle::DashDot), 1), Qt::DashDotLine);
        QCOMPARE(figurePenStyle(qint16(PenStyle::DashDot), 2), Qt::SolidLine);
        QCOMPARE(figurePenStyle(7, 1), Qt::SolidLine);
    }
};

ZK_TEST_GUILESS_MAIN(TstPanelFigures)
#include "tst_panelfigures.moc"
