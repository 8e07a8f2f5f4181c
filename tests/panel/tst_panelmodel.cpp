#include "settings/panelmodel.h"
#include "tests/support/testmain.h"

#include <QTest>

class TstPanelModel : public QObject
{
    Q_OBJECT

private:
    static PanelContext context(LinkKind kind, qint16 mixers)
    {
        PanelContext ctx;
        ctx.linkKind = kind;
        ctx.mixerCount = mixers;
        ctx.screenWidth = 19200;
        ctx.screenHeight = 14400;
        return ctx;
    }

private slots:
    void resetOfflineLeavesNoButton()
    {
        PanelState panel;
        panel.slot(3, 2).IconEnable = true;
        panel.figureCounts = {3, 0, 1, 0};
        panel.FigureNum = 4;
        qint16 fileMixers = 9;
        ResetPanel(panel, fileMixers, context(LinkKind::Offline, 0));
        QCOMPARE(panel.IconNum, qint16(0));
        QCOMPARE(countEnabledButtons(panel), 0);
        QCOMPARE(fileMixers, qint16(0));
        QCOMPARE(panel.FigureNum, qint16(0));
        QCOMPARE(panel.count(FigureKind::Circle), qint16(0));
        for (const FigureList &list : panel.figures)
            for (const Figure &f : list)
                QCOMPARE(f.Width, qint16(2));
    }

    void resetOnlinePlacesMasterOutputButton()
    {
        PanelState panel;
        qint16 fileMixers = 0;
        ResetPanel(panel, fileMixers, context(LinkKind::Usb, 3));
        QCOMPARE(fileMixers, qint16(3));
        QCOMPARE(panel.IconNum, qint16(1));
        QCOMPARE(countEnabledButtons(panel), 1);
        const ButtonSlot &b = panel.slot(0, Panel::OutputSlot);
        QVERIFY(b.IconEnable);
        QCOMPARE(b.IconLeft, 19200 - 1560);
        QCOMPARE(b.IconTop, 0);
        QCOMPARE(b.IconWidth, 1500.0);
        QCOMPARE(b.IconHeight, 1500.0);
        QCOMPARE(b.IconText, QStringLiteral("マスター"));
        QCOMPARE(b.IconFontName, QStringLiteral("ＭＳ ゴシック"));
        QCOMPARE(b.IconFontSize, qint16(12));
        // The table window sits at the bottom-right corner of the screen.
        QCOMPARE(panel.table.TableLeft, 19200 - 5000);
        QCOMPARE(panel.table.TableTop, 14400 - 5025);
        QCOMPARE(panel.table.rowHeights[144], 225);
        QCOMPARE(panel.table.cellWidths[0], 2010);
    }

    void slotColoursDependOnKind()
    {
        PanelState panel;
        panel.defaults = PanelDefaults::fromStrings();
        qint16 fileMixers = 0;
        ResetPanel(panel, fileMixers, context(LinkKind::Offline, 0));
        QCOMPARE(panel.slot(5, 0).IconColorDef, 0xC0FFC0);
        QCOMPARE(panel.slot(5, 7).IconColorOn, 0x0080FF);
        QCOMPARE(panel.slot(5, 8).IconColorDef, 0x80FFFF);
        QCOMPARE(panel.GUIWindowColor, 0xB5FFFF);
        QCOMPARE(panel.GridColor, 0xBFBFBF);
        QCOMPARE(panel.GridInterval, 1000);
        QVERIFY(!panel.GridOnOff);
        QCOMPARE(panel.image.ImageXScale, 100);
        QCOMPARE(panel.image.ImageYScale, 100);
    }

    // A panel that was never reset (offline, no status poll yet) is stored
    // as it stands by a save: it must not hold a black window or columns no
    // one can see.
    void panelBeforeAnyResetLooksAsAfterOne()
    {
        const PanelState fresh;
        PanelState reset;
        qint16 fileMixers = 0;
        ResetPanel(reset, fileMixers, context(LinkKind::Offline, 0));
        QCOMPARE(fresh.GUIWindowColor, reset.GUIWindowColor);
        QCOMPARE(fresh.GridColor, reset.GridColor);
        QCOMPARE(fresh.GridInterval, reset.GridInterval);
        QCOMPARE(fresh.table.cellWidths, reset.table.cellWidths);
        QCOMPARE(fresh.table.rowHeights, reset.table.rowHeights);
        QCOMPARE(fresh.table.TableWidth, reset.table.TableWidth);
    }

    void buttonLimitFollowsLinkCount()
    {
        PanelState panel;
        const PanelContext three = context(LinkKind::Rs232c, 3);
        QCOMPARE(buttonLimit(three), 27);
        panel.IconNum = 26;
        QVERIFY(canCreateButton(panel, three));
        panel.IconNum = 27;
        QVERIFY(!canCreateButton(panel, three));   // the 28th button is refused

        const PanelContext offline = context(LinkKind::Offline, 0);
        panel.IconNum = 143;
        QVERIFY(canCreateButton(panel, offline));
        panel.IconNum = 144;
        QVERIFY(!canCreateButton(panel, offline));

        panel.IconNum = 0;
        panel.runtime.executing = true;
        QVERIFY(!newButtonEnabled(panel, offline));
        panel.runtime.executing = false;
        QVERIFY(newButtonEnabled(panel, offline));

        panel.count(FigureKind::Arc) = 10;
        QVERIFY(!figureCommandEnabled(panel, FigureKind::Arc));
        QVERIFY(figureCommandEnabled(panel, FigureKind::Line));
    }

    void hexConstants_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint32>("value");
        QTest::newRow("plain") << "&HB5FFFF" << true << 0xB5FFFF;
        QTest::newRow("long marker") << "&H80FF&" << true << 0x0080FF;
        QTest::newRow("lower case") << "&hc0ffc0" << true << 0xC0FFC0;
        QTest::newRow("system colour") << "&H8000000F" << true << qint32(0x8000000F);
        QTest::newRow("no prefix") << "B5FFFF" << false << 0;
        QTest::newRow("empty digits") << "&H&" << false << 0;
        QTest::newRow("not hex") << "&HXYZ" << false << 0;
        QTest::newRow("too long") << "&H123456789" << false << 0;
    }

    void hexConstants()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint32, value);
        const auto v = parseHexConstant(text);
        QCOMPARE(v.has_value(), valid);
        if (valid)
            QCOMPARE(*v, value);
    }

    void captionKeepsTwoLines()
    {
        QCOMPARE(limitCaptionLines(QStringLiteral("A\r\nB\r\nC")), QStringLiteral("A\r\nB"));
        QCOMPARE(limitCaptionLines(QStringLiteral("A\r\nB")), QStringLiteral("A\r\nB"));
        QCOMPARE(limitCaptionLines(QStringLiteral("A")), QStringLiteral("A"));
    }

    void fallingLinkCountDropsButtons()
    {
        PanelState panel;
        qint16 fm = 0;
        ResetPanel(panel, fm, context(LinkKind::Usb, 3));
        QCOMPARE(mixersWithButtons(panel), 1);
        panel.slot(2, 4).IconEnable = true;
        panel.slot(2, 8).IconEnable = true;
        panel.slot(1, 0).IconEnable = true;
        panel.IconNum = 4;
        QCOMPARE(mixersWithButtons(panel), 3);

        const auto gone = dropMixers(panel, 2, 3);
        QCOMPARE(gone, (std::vector<std::pair<int, int>>{{2, 4}, {2, 8}}));
        QCOMPARE(panel.IconNum, qint16(2));
        QCOMPARE(mixersWithButtons(panel), 2);
        QVERIFY(newButtonEnabled(panel, context(LinkKind::Usb, 2)));
    }

    void channelNumbers()
    {
        QCOMPARE(panelChannelNumber(0, 0), 1);
        QCOMPARE(panelChannelNumber(1, 0), 9);
        QCOMPARE(panelChannelNumber(15, 7), 128);
    }
};

ZK_TEST_GUILESS_MAIN(TstPanelModel)
#include "tst_panelmodel.moc"
