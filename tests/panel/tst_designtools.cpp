// The designer's tools without widgets: every kind of design change undone
// and redone gives back the panel and the file bytes it had, arrow-key runs
// fold into one step, the saved state is found again by undo; the rubber
// band, snapping, aligning and spreading in twips; paste taking free
// channels and refusing where there are none.

#include "panel/designhistory.h"
#include "panel/designtools.h"
#include "settings/panelsections.h"
#include "settings/settingsfile.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {

PanelState panelWithRects(std::initializer_list<std::pair<ButtonRef, QRect>> buttons)
{
    PanelState p;
    qint16 fileMixers = 0;
    ResetPanel(p, fileMixers, PanelContext{});
    for (const auto &[b, r] : buttons) {
        ButtonSlot &s = p.slot(b.mixer, b.slot);
        s.IconEnable = true;
        s.IconLeft = r.left();
        s.IconTop = r.top();
        s.IconWidth = r.width();
        s.IconHeight = r.height();
        s.IconText = QStringLiteral("ch%1").arg(b.slot + 1);
    }
    p.IconNum = qint16(buttons.size());
    return p;
}

PanelContext linked(int mixers)
{
    PanelContext c;
    c.linkKind = LinkKind::Usb;
    c.mixerCount = qint16(mixers);
    return c;
}

QByteArray fileBytes(PanelState &p, int mixers = 2)
{
    SettingsTable t;
    resetFileTable(t);
    StorePanel(p, t, mixers);
    return settingsBytes(t, SetDataKeyTable::build(), mixers).value_or(QByteArray());
}

ButtonBox box(const PanelState &p, ButtonRef b)
{
    return ButtonBox::of(p.slot(b.mixer, b.slot));
}

void addFigure(PanelState &p, FigureKind kind, QRect r)
{
    Figure &f = p.list(kind)[size_t(p.count(kind))];
    f.StartX = r.left();
    f.StartY = r.top();
    f.EndX = r.left() + r.width();
    f.EndY = r.top() + r.height();
    f.Order = ++p.FigureNum;
    ++p.count(kind);
}

const ButtonRef A{0, 0}, B{0, 1}, C{0, 2}, Out{0, 8};

} // namespace

class TstDesignTools : public QObject
{
    Q_OBJECT

private slots:
    void everyKindOfChangeUndoesToTheSameBytes_data()
    {
        QTest::addColumn<int>("change");
        const char *names[] = {"move", "resize", "delete", "restyle", "place", "figure drawn", "figure moved",
                               "restack", "pen", "clear figures", "grid", "grid colour and interval",
                               "window colour", "image", "caption"};
        for (int i = 0; i < int(std::size(names)); ++i)
            QTest::newRow(names[i]) << i;
    }
    void everyKindOfChangeUndoesToTheSameBytes()
    {
        QFETCH(int, change);
        PanelState p = panelWithRects({{A, {1000, 1000, 1500, 1000}}, {B, {3000, 1000, 1500, 1000}}});
        addFigure(p, FigureKind::Rect, {500, 500, 4000, 2000});
        addFigure(p, FigureKind::Circle, {800, 800, 1000, 1000});
        DesignHistory history(p);
        const QByteArray before = fileBytes(p);
        switch (change) {
        case 0: p.slot(0, 0).IconLeft += 333; break;
        case 1: p.slot(0, 0).IconWidth = 2017.5; break;
        case 2: p.slot(0, 1) = resetSlot(p.defaults, 1); --p.IconNum; break;
        case 3: p.slot(0, 0).IconFontBold = true; p.slot(0, 0).IconColorDef = 0x123456; break;
        case 4: p.slot(1, 8).IconEnable = true; p.slot(1, 8).IconText = QStringLiteral("x"); ++p.IconNum; break;
        case 5: addFigure(p, FigureKind::Arc, {0, 0, 100, 300}); break;
        case 6: p.list(FigureKind::Rect)[0].StartX += 50; p.list(FigureKind::Rect)[0].EndX += 50; break;
        case 7: p.list(FigureKind::Rect)[0].Order = 2; p.list(FigureKind::Circle)[0].Order = 1; break;
        case 8: p.list(FigureKind::Circle)[0].Width = 7; p.list(FigureKind::Circle)[0].Style = 2; break;
        case 9:
            removeFigures(p, {{FigureKind::Rect, 0}, {FigureKind::Circle, 0}});
            break;
        case 10: p.GridOnOff = true; break;
        case 11: p.GridInterval = 250; p.GridColor = 0x0000FF; break;
        case 12: p.GUIWindowColor = 0x00FF00; break;
        case 13: p.image.ImageVisible = true; p.image.ImageFileName = QStringLiteral("/tmp/x.png"); break;
        case 14: p.slot(0, 1).IconText = QStringLiteral("A\r\nB"); break;
        }
        const QByteArray after = fileBytes(p);
        QVERIFY(after != before);
        QVERIFY(history.commit(DesignStep::Properties));
        QVERIFY(!history.atSavedState());

        history.stack().undo();
        QCOMPARE(fileBytes(p), before);
        QVERIFY(history.atSavedState());
        history.stack().redo();
        QCOMPARE(fileBytes(p), after);
        history.stack().undo();
        QCOMPARE(fileBytes(p), before);
    }

    void undoReportsWhatChangedAndKeepsTheSelection()
    {
        PanelState p = panelWithRects({{A, {0, 0, 1500, 1000}}, {B, {3000, 0, 1500, 1000}}});
        p.slot(0, 0).selected = true;
        DesignHistory history(p);
        std::vector<DesignChange> seen;
        history.restored = [&](const DesignChange &c) { seen.push_back(c); };

        p.slot(0, 0).IconLeft = 700;
        p.slot(0, 2) = p.slot(0, 1);
        ++p.IconNum;
        history.commit(DesignStep::Paste);
        history.stack().undo();
        QCOMPARE(seen.size(), size_t(1));
        QCOMPARE(seen[0].changed, std::vector<ButtonRef>{A});
        QCOMPARE(seen[0].disappeared, std::vector<ButtonRef>{C});
        QVERIFY(!seen[0].surface);
        QCOMPARE(p.slot(0, 0).IconLeft, 0);
        QVERIFY(p.slot(0, 0).selected);
        QCOMPARE(history.stack().undoText(), QString());
        QCOMPARE(history.stack().redoText(), designStepName(DesignStep::Paste));
    }

    void arrowRunsFoldIntoOneStep()
    {
        PanelState p = panelWithRects({{A, {0, 0, 1500, 1000}}, {B, {3000, 0, 1500, 1000}}});
        DesignHistory history(p);
        for (int i = 0; i < 5; ++i) {
            p.slot(0, 0).IconLeft += 100;
            history.commit(DesignStep::KeyMove, 1);
        }
        QCOMPARE(history.stack().count(), 1);
        // Another selection starts a run of its own.
        p.slot(0, 1).IconTop += 100;
        history.commit(DesignStep::KeyMove, 2);
        QCOMPARE(history.stack().count(), 2);
        // Another command in between ends the run.
        p.GridOnOff = true;
        history.commit(DesignStep::Grid);
        p.slot(0, 1).IconTop += 100;
        history.commit(DesignStep::KeyMove, 2);
        QCOMPARE(history.stack().count(), 4);
        // So does an undo.
        history.stack().undo();
        p.slot(0, 1).IconTop += 100;
        history.commit(DesignStep::KeyMove, 2);
        QCOMPARE(history.stack().count(), 4);
        history.stack().undo();
        history.stack().undo();
        history.stack().undo();
        history.stack().undo();
        QCOMPARE(p.slot(0, 0).IconLeft, 0);
        QCOMPARE(p.slot(0, 1).IconTop, 0);
        QVERIFY(!p.GridOnOff);
        // A run that comes back to where it started leaves no step.
        for (int d : {100, -100}) {
            p.slot(0, 0).IconLeft += d;
            history.commit(DesignStep::KeyMove, 1);
        }
        QCOMPARE(history.stack().count(), 0);
    }

    void savedStateFollowsSaveUndoAndUntrackedChanges()
    {
        PanelState p = panelWithRects({{A, {0, 0, 1500, 1000}}});
        DesignHistory history(p);
        QVERIFY(history.atSavedState());
        p.slot(0, 0).IconLeft = 500;
        history.commit(DesignStep::Move);
        history.markSaved();
        QVERIFY(history.atSavedState());
        p.slot(0, 0).IconLeft = 900;
        history.commit(DesignStep::Move);
        QVERIFY(!history.atSavedState());
        history.stack().undo();
        QVERIFY(history.atSavedState());
        history.stack().undo();
        QVERIFY(!history.atSavedState());
        history.stack().redo();
        // A change without a step of its own is still a change.
        p.GUIWindowColor = 1;
        QVERIFY(!history.atSavedState());
        history.reset();
        QVERIFY(history.atSavedState());
        QCOMPARE(history.stack().count(), 0);
    }

    void anArmedDrawingModeIsNotPartOfTheDesign()
    {
        PanelState p = panelWithRects({});
        DesignHistory history(p);
        FigureEditor figures(p);
        figures.toggleArmed(FigureKind::Circle);
        QVERIFY(!history.commit(DesignStep::Move));
        figures.toggleArmed(FigureKind::Circle);
        QCOMPARE(p.count(FigureKind::Circle), qint16(0));
    }

    void bandSelectsExactlyWhatLiesInside()
    {
        PanelState p = panelWithRects({{A, {1000, 1000, 1000, 1000}},
                                  {B, {2500, 1000, 1000, 1000}},
                                  {C, {1000, 2999, 1000, 1000}}});
        addFigure(p, FigureKind::Line, {1200, 2100, 500, 500});
        addFigure(p, FigureKind::Rect, {900, 900, 3000, 3000});
        FigureEditor editor(p);
        DesignTools tools(p, editor);
        // A reaches 2000, B starts at 2500: the band ends between them; C
        // reaches 3999, one twip beyond the band; the rectangle is larger.
        tools.selectBand(QRect(QPoint(999, 999), QPoint(2400, 3998)), false, 1);
        QCOMPARE(tools.selectedButtons(1), std::vector<ButtonRef>{A});
        QCOMPARE(tools.selectedFigures(), (std::vector<FigureRef>{{FigureKind::Line, 0}}));
        // Shift adds.
        tools.selectBand(QRect(QPoint(2400, 900), QPoint(3600, 2100)), true, 1);
        QCOMPARE(tools.selectedButtons(1), (std::vector<ButtonRef>{A, B}));
        QCOMPARE(tools.selectedFigures().size(), size_t(1));
        tools.selectAll(1);
        QCOMPARE(tools.selectedButtons(1).size(), size_t(3));
        QCOMPARE(tools.selectedFigures().size(), size_t(2));
        tools.clearSelection(1);
        QVERIFY(!tools.anySelected(1));
    }

    void selectionMovesTogetherAndStaysOnThePanel()
    {
        PanelState p = panelWithRects({{A, {50, 1000, 1000, 1000}}, {B, {2500, 1000, 1000, 1000}}});
        addFigure(p, FigureKind::Circle, {300, 300, 500, 500});
        FigureEditor editor(p);
        DesignTools tools(p, editor);
        tools.selectAll(1);
        tools.moveSelection({-100, 200}, 1);
        // A may go no further left than the edge: everything moves by 50.
        QCOMPARE(box(p, A).left, 0);
        QCOMPARE(box(p, B).left, 2450);
        QCOMPARE(box(p, B).top, 1200);
        QCOMPARE(p.list(FigureKind::Circle)[0].StartX, 250);
        QCOMPARE(p.list(FigureKind::Circle)[0].EndY, 1000);
    }

    void snapping()
    {
        QCOMPARE(snapToGrid(1499, 1000), 1000);
        QCOMPARE(snapToGrid(1500, 1000), 2000);
        QCOMPARE(snapToGrid(-600, 1000), -1000);
        QCOMPARE(snapToGrid(1234, 0), 1234);
        QCOMPARE(snapMoveDelta(1420, 2610, 500), QPoint(80, -110));
        // The right edge goes to the grid, the left stays.
        ButtonBox b{1000, 1000, 1620, 900};
        QCOMPARE(snapResize(b, Qt::RightEdge, 500, 240), (ButtonBox{1000, 1000, 1500, 900}));
        // A side never collapses below one interval.
        QCOMPARE(snapResize({1000, 1000, 1620, 900}, Qt::BottomEdge, 1000, 240), (ButtonBox{1000, 1000, 1620, 1000}));
        QCOMPARE(snapResize({1100, 1000, 1620, 900}, Qt::LeftEdge | Qt::TopEdge, 500, 240),
                 (ButtonBox{1000, 1000, 1720, 900}));
        Figure f;
        f.StartX = 3100;    // drawn right to left: Start is the right edge
        f.EndX = 1040;
        f.StartY = 980;
        f.EndY = 2070;
        snapFigure(f, FigureHandle::Move, 100);
        QCOMPARE(QRect(QPoint(f.EndX, f.StartY), QPoint(f.StartX, f.EndY)), QRect(QPoint(1000, 1000), QPoint(3060, 2090)));
        snapFigure(f, FigureHandle::Right, 500);
        QCOMPARE(f.StartX, 3000);
        QCOMPARE(f.EndX, 1000);
    }

    void alignDistributeAndMatchSizes()
    {
        const std::vector<ButtonBox> boxes{{1000, 500, 1000, 600}, {4000, 2000, 1500, 1000}, {2200, 900, 500, 500}};
        auto lefts = [](const std::vector<ButtonBox> &b) {
            std::vector<qint32> v;
            for (const ButtonBox &x : b)
                v.push_back(x.left);
            return v;
        };
        auto tops = [](const std::vector<ButtonBox> &b) {
            std::vector<qint32> v;
            for (const ButtonBox &x : b)
                v.push_back(x.top);
            return v;
        };
        QCOMPARE(lefts(alignBoxes(boxes, AlignEdge::Left)), (std::vector<qint32>{1000, 1000, 1000}));
        QCOMPARE(lefts(alignBoxes(boxes, AlignEdge::Right)), (std::vector<qint32>{4500, 4000, 5000}));
        QCOMPARE(tops(alignBoxes(boxes, AlignEdge::Bottom)), (std::vector<qint32>{2400, 2000, 2500}));
        // Centre of the common bounds 1000..5500 is 3250.
        QCOMPARE(lefts(alignBoxes(boxes, AlignEdge::HorizontalCentre)), (std::vector<qint32>{2750, 2500, 3000}));
        QCOMPARE(tops(alignBoxes(boxes, AlignEdge::VerticalCentre)), (std::vector<qint32>{1450, 1250, 1500}));
        // From 1000 to 5500 with 3000 of buttons: gaps of 750.
        QCOMPARE(lefts(distributeBoxes(boxes, Qt::Horizontal)), (std::vector<qint32>{1000, 4000, 2750}));
        // By top: 500..3000 with 2100 of buttons, gaps of 200.
        QCOMPARE(tops(distributeBoxes(boxes, Qt::Vertical)), (std::vector<qint32>{500, 2000, 1300}));
        const auto same = matchSizes(boxes, SizeMatch::Width, 1);
        QCOMPARE(same[0].width, 1500.0);
        QCOMPARE(same[0].height, 600.0);
        QCOMPARE(matchSizes(boxes, SizeMatch::Both, 2)[1], (ButtonBox{4000, 2000, 500, 500}));
    }

    void alignOnlySelectedButtonsAsOneChange()
    {
        PanelState p = panelWithRects({{A, {1000, 500, 1000, 600}}, {B, {4000, 2000, 1500, 1000}}, {C, {0, 0, 500, 500}}});
        p.slot(0, 0).selected = p.slot(0, 1).selected = true;
        FigureEditor editor(p);
        DesignTools tools(p, editor);
        DesignHistory history(p);
        QCOMPARE(tools.align(AlignEdge::Top, 1), std::vector<ButtonRef>{B});
        history.commit(DesignStep::Align);
        QCOMPARE(box(p, B).top, 500);
        QCOMPARE(box(p, C).top, 0);
        QCOMPARE(tools.matchSize(SizeMatch::Height, B, 1), std::vector<ButtonRef>{A});
        QCOMPARE(box(p, A).height, 1000.0);
        history.commit(DesignStep::SameSize);
        history.stack().undo();
        history.stack().undo();
        QCOMPARE(box(p, B), (ButtonBox{4000, 2000, 1500, 1000}));
        QCOMPARE(box(p, A), (ButtonBox{1000, 500, 1000, 600}));
        // One button alone is not aligned.
        p.slot(0, 1).selected = false;
        QVERIFY(tools.align(AlignEdge::Left, 1).empty());
    }

    void pasteTakesTheNextFreeChannelOfTheSameMixer()
    {
        PanelState p = panelWithRects({{A, {0, 0, 1500, 1000}}, {B, {2000, 0, 1500, 1000}}, {Out, {0, 3000, 1500, 1500}}});
        p.slot(0, 1).IconColorDef = 0x112233;
        p.slot(0, 1).IconOnOff = true;
        p.slot(0, 1).IconFontItalic = true;
        p.slot(0, 1).selected = true;
        FigureEditor editor(p);
        DesignTools tools(p, editor);
        const DesignClipboard clip = tools.copy(1);
        const PasteResult r = tools.paste(clip, QPoint(2000 + 1000, 1000), linked(1), 1);
        QCOMPARE(r.buttons, std::vector<ButtonRef>{C});
        const ButtonSlot &s = p.slot(0, 2);
        // A copy on another channel says so, naming the channel it switches.
        QCOMPARE(s.IconText, QStringLiteral("ch2 (ch 3)"));
        QCOMPARE(s.IconColorDef, 0x112233);
        QVERIFY(s.IconFontItalic);
        QVERIFY(!s.IconOnOff);
        QCOMPARE(QPoint(s.IconLeft, s.IconTop), QPoint(3000, 1000));
        QCOMPARE(p.IconNum, qint16(4));
        // What was pasted is the selection now.
        QCOMPARE(tools.selectedButtons(1), std::vector<ButtonRef>{C});

        // The channels after the copied one come first, then those before.
        for (int slot : {3, 4, 5, 6, 7})
            p.slot(0, slot).IconEnable = true;
        p.slot(0, 0).IconEnable = false;
        QCOMPARE(tools.paste(clip, {}, linked(1), 1).buttons, std::vector<ButtonRef>{A});
        // Now every channel is taken: refused, and counted once each.
        const PasteResult full = tools.paste(clip, {}, linked(1), 1);
        QVERIFY(full.buttons.empty());
        QCOMPARE(full.buttonsRefused, 1);
        // The output button has only its own slot.
        tools.clearSelection(1);
        p.slot(0, 8).selected = true;
        QCOMPARE(tools.paste(tools.copy(1), {}, linked(2), 1).buttonsRefused, 1);

        // A copy of a copy names its own channel only, on the last line of
        // two; a button put back on its own free channel keeps its caption.
        QCOMPARE(copiedCaption(QStringLiteral("議長 (ch 3)"), {1, 3}), QStringLiteral("議長 (ch 12)"));
        QCOMPARE(copiedCaption(QStringLiteral("議長\r\n席 (ch 12)"), A), QStringLiteral("議長\r\n席 (ch 1)"));
        QCOMPARE(copiedCaption(QStringLiteral("(ch 1) 議長"), Out), QStringLiteral("(ch 1) 議長 (出力設定)"));
        QCOMPARE(copiedCaption(QString(), B), QStringLiteral("(ch 2)"));
        tools.clearSelection(1);
        p.slot(0, 3).selected = true;
        p.slot(0, 3).IconText = QStringLiteral("ch4");
        const DesignClipboard own = tools.copy(1);
        tools.removeSelection(1);
        QCOMPARE(tools.paste(own, {}, linked(1), 1).buttons, (std::vector<ButtonRef>{{0, 3}}));
        QCOMPARE(p.slot(0, 3).IconText, QStringLiteral("ch4"));
    }

    void pasteRespectsLinkedMixersAndFigureLimits()
    {
        PanelState p = panelWithRects({{{1, 0}, {0, 0, 1500, 1000}}});
        p.slot(1, 0).selected = true;
        for (int i = 0; i < 10; ++i)
            addFigure(p, FigureKind::Line, {i * 100, 0, 50, 50});
        addFigure(p, FigureKind::Arc, {0, 0, 400, 400});
        FigureEditor editor(p);
        DesignTools tools(p, editor);
        tools.selectBand(QRect(0, 0, 1000, 1000), true, 2);
        const DesignClipboard clip = tools.copy(2);
        QCOMPARE(clip.figures.size(), size_t(11));
        // Mixer 1 is no longer linked: its button cannot come back.
        const PasteResult r = tools.paste(clip, {500, 500}, linked(1), 2);
        QCOMPARE(r.buttonsRefused, 1);
        QCOMPARE(r.figuresRefused, 10);
        QCOMPARE(r.figures, (std::vector<FigureRef>{{FigureKind::Arc, 1}}));
        QCOMPARE(p.list(FigureKind::Arc)[1].Order, qint16(12));
        QCOMPARE(p.list(FigureKind::Arc)[1].StartX, 500);
        QCOMPARE(p.FigureNum, qint16(12));
    }

    void cutRemovesButtonsAndFiguresClosingTheOrder()
    {
        PanelState p = panelWithRects({{A, {0, 0, 1500, 1000}}, {B, {2000, 0, 1500, 1000}}});
        addFigure(p, FigureKind::Rect, {0, 0, 100, 100});
        addFigure(p, FigureKind::Rect, {0, 0, 200, 200});
        addFigure(p, FigureKind::Circle, {0, 0, 300, 300});
        p.slot(0, 0).selected = true;
        FigureEditor editor(p);
        DesignTools tools(p, editor);
        tools.selectBand(QRect(-1, -1, 150, 150), true, 1);
        QCOMPARE(tools.removeSelection(1), std::vector<ButtonRef>{A});
        QVERIFY(!p.slot(0, 0).IconEnable);
        QCOMPARE(p.IconNum, qint16(1));
        QCOMPARE(p.count(FigureKind::Rect), qint16(1));
        QCOMPARE(p.list(FigureKind::Rect)[0].EndX, 200);
        QCOMPARE(p.list(FigureKind::Rect)[0].Order, qint16(1));
        QCOMPARE(p.list(FigureKind::Circle)[0].Order, qint16(2));
        QCOMPARE(p.FigureNum, qint16(2));
    }
};

ZK_TEST_GUILESS_MAIN(TstDesignTools)
#include "tst_designtools.moc"
