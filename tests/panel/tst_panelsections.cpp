#include "settings/panelsections.h"
#include "settings/settingsfile.h"
#include "tests/support/testmain.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Sys = 32;
constexpr int GuiMaster = 16;

PanelContext context(LinkKind kind, qint16 mixers)
{
    PanelContext ctx;
    ctx.linkKind = kind;
    ctx.mixerCount = mixers;
    ctx.screenWidth = 19200;
    ctx.screenHeight = 14400;
    return ctx;
}

// A panel with something other than its reset value in every stored field.
PanelState busyPanel(int mixers)
{
    PanelState p;
    qint16 fileMixers = 0;
    ResetPanel(p, fileMixers, context(LinkKind::Usb, qint16(mixers)));
    for (int m = 0; m < mixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
            ButtonSlot &b = p.slot(m, s);
            b.IconEnable = (m + s) % 2 == 0;
            b.IconLeft = 100 * m + s;
            b.IconTop = 15 * s + 1;
            b.IconWidth = 1234.5 + s;
            b.IconHeight = 700;
            b.IconText = QStringLiteral("議長 %1\r\n席 %2").arg(m).arg(s);
            b.IconFontName = QStringLiteral("IPAGothic");
            b.IconFontSize = qint16(9 + s);
            b.IconFontBold = s % 2;
            b.IconFontItalic = s % 3 == 0;
            b.IconColorDef = 0x112233 + s;
            if (s < 8) {
                b.IconColorOn = 0x445566 + m;
                b.IconOnOff = s == 2;
            }
        }
    for (int r = 0; r < Panel::TableRows; ++r)
        p.table.rowHeights[size_t(r)] = 300 + r;
    p.GUIWindowColor = 0x010203;
    p.IconNum = qint16(countEnabledButtons(p));
    p.GridOnOff = true;
    p.GridInterval = 480;
    p.GridColor = 0x0A0B0C;
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        for (int i = 0; i < Panel::FiguresPerKind; ++i) {
            Figure &f = p.figures[size_t(k)][size_t(i)];
            f = Figure{10 * i, 20 * i + k, 30 * i, 40 * i, 0x00FF00 + k, qint16(1 + i), qint16(k),
                       qint16(i % 4), qint16(k * 10 + i + 1)};
        }
        p.figureCounts[size_t(k)] = qint16(k + 1);
    }
    p.FigureNum = 10;
    p.table.cellWidths = {2100, 1400, 1300};
    p.table.CellAllWidth = 4000;
    p.table.CellAllHeight = 3000;
    p.table.TableWidth = 5100;
    p.table.TableHeight = 5200;
    p.table.TableLeft = 77;
    p.table.TableTop = 88;
    p.image = ImageSettings{true, QStringLiteral("/home/u/会議室.jpg"), 3, 640, 480, 50, 75};
    return p;
}

void compareButtons(const PanelState &a, const PanelState &b, int mixer)
{
    for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
        const ButtonSlot &x = a.slot(mixer, s);
        const ButtonSlot &y = b.slot(mixer, s);
        QCOMPARE(y.IconEnable, x.IconEnable);
        QCOMPARE(y.IconLeft, x.IconLeft);
        QCOMPARE(y.IconTop, x.IconTop);
        QCOMPARE(y.IconWidth, x.IconWidth);
        QCOMPARE(y.IconHeight, x.IconHeight);
        QCOMPARE(y.IconText, x.IconText);
        QCOMPARE(y.IconFontName, x.IconFontName);
        QCOMPARE(y.IconFontSize, x.IconFontSize);
        QCOMPARE(y.IconFontBold, x.IconFontBold);
        QCOMPARE(y.IconFontItalic, x.IconFontItalic);
        QCOMPARE(y.IconColorDef, x.IconColorDef);
        QCOMPARE(y.IconColorOn, x.IconColorOn);
        QCOMPARE(y.IconOnOff, x.IconOnOff);
    }
}

} // namespace

class TstPanelSections : public QObject
{
    Q_OBJECT

private slots:
    void captionsTravelWithOneTab()
    {
        QCOMPARE(captionToFile(QStringLiteral("A\r\nB")), QStringLiteral("A\tB"));
        QCOMPARE(captionFromFile(QStringLiteral("A\tB")), QStringLiteral("A\r\nB"));
        QCOMPARE(captionToFile(QStringLiteral("A\r\nB\r\nC")), QStringLiteral("A\tB"));
        QCOMPARE(captionFromFile(captionToFile(QStringLiteral("A\r\nB\r\nC"))), QStringLiteral("A\r\nB"));
        QCOMPARE(captionToFile(QStringLiteral("マスター")), QStringLiteral("マスター"));
        QCOMPARE(captionFromFile(QStringLiteral("A\tB\tC")), QStringLiteral("A\r\nB"));
        QCOMPARE(fileSafeText(QStringLiteral("a=b]c[d\r\n")), QStringLiteral("a=b]c[d"));
    }

    void storeThenApplyKeepsEveryStoredField()
    {
        PanelState before = busyPanel(3);
        SettingsTable table;
        resetFileTable(table);
        table.set(0, Sys, QStringLiteral("3"));
        StorePanel(before, table, 3);

        PanelState after;
        qint16 fileMixers = 0;
        ApplyPanel(after, fileMixers, table, context(LinkKind::Usb, 3));
        QCOMPARE(fileMixers, qint16(3));
        for (int m = 0; m < 3; ++m)
            compareButtons(before, after, m);
        for (int r = 0; r < 3 * 8 + 1; ++r)
            QCOMPARE(after.table.rowHeights[size_t(r)], before.table.rowHeights[size_t(r)]);
        QCOMPARE(after.table.rowHeights[26], 225);     // not stored for 3 mixers
        QCOMPARE(after.GUIWindowColor, before.GUIWindowColor);
        QCOMPARE(after.IconNum, before.IconNum);
        QCOMPARE(after.GridOnOff, true);
        QCOMPARE(after.GridInterval, 480);
        QCOMPARE(after.GridColor, before.GridColor);
        for (int k = 0; k < Panel::FigureKinds; ++k) {
            QCOMPARE(after.figureCounts[size_t(k)], before.figureCounts[size_t(k)]);
            for (int i = 0; i < Panel::FiguresPerKind; ++i) {
                const Figure &x = before.figures[size_t(k)][size_t(i)];
                const Figure &y = after.figures[size_t(k)][size_t(i)];
                QCOMPARE(y.StartX, x.StartX);
                QCOMPARE(y.StartY, x.StartY);
                QCOMPARE(y.EndX, x.EndX);
                QCOMPARE(y.EndY, x.EndY);
                QCOMPARE(y.Color, x.Color);
                QCOMPARE(y.Width, x.Width);
                QCOMPARE(y.Style, x.Style);
                // Circles and rectangles have no direction in the file.
                QCOMPARE(y.Direction, k >= 2 ? x.Direction : qint16(0));
                QCOMPARE(y.Order, x.Order);
            }
        }
        QCOMPARE(after.FigureNum, qint16(10));
        QCOMPARE(after.table.cellWidths, before.table.cellWidths);
        QCOMPARE(after.table.TableLeft, 77);
        QCOMPARE(after.table.TableTop, 88);
        QCOMPARE(after.table.CellAllHeight, 3000);
        QCOMPARE(after.image.ImageVisible, true);
        QCOMPARE(after.image.ImageFileName, before.image.ImageFileName);
        QCOMPARE(after.image.ImageStretch, qint16(3));
        QCOMPARE(after.image.ImageYScale, 75);

        // The output slot has no on colour or on/off key.
        QVERIFY(table.at(PanelKey::IconColorOn + 7, GuiMaster) != QString());
        QCOMPARE(PanelKey::IconColorOn + 8, PanelKey::IconOnOff);
    }

    void sharedTableRowIsWrittenTwice()
    {
        PanelState p = busyPanel(2);
        SettingsTable table;
        StorePanel(p, table, 2);
        QCOMPARE(table.at(PanelKey::CellHeight + 8, GuiMaster), QStringLiteral("308"));
        QCOMPARE(table.at(PanelKey::CellHeight + 0, GuiMaster + 1), QStringLiteral("308"));
        QCOMPARE(table.at(PanelKey::CellHeight + 8, GuiMaster + 1), QStringLiteral("316"));
        QCOMPARE(table.at(PanelKey::IconEnable, GuiMaster + 2), QString());   // beyond FileMixerCount
    }

    void buttonSectionsTakenFollowLinkCount()
    {
        PanelState source = busyPanel(4);
        SettingsTable table;
        resetFileTable(table);
        table.set(0, Sys, QStringLiteral("4"));
        source.IconNum = qint16(countEnabledButtons(source));
        StorePanel(source, table, 4);

        PanelState online;
        qint16 fm = 0;
        ApplyPanel(online, fm, table, context(LinkKind::Ethernet, 2));
        compareButtons(source, online, 1);
        QCOMPARE(online.slot(2, 1).IconLeft, 0);     // mixer 2's buttons dropped
        QCOMPARE(online.slot(3, 0).IconEnable, false);
        // The dropped buttons no longer count against the button limit.
        QCOMPARE(online.IconNum, qint16(countEnabledButtons(online, 2)));

        PanelState offline;
        ApplyPanel(offline, fm, table, context(LinkKind::Offline, 4));
        compareButtons(source, offline, 3);

        // A file of fewer mixers leaves the rest at their reset state.
        table.set(0, Sys, QStringLiteral("1"));
        PanelState fewer;
        ApplyPanel(fewer, fm, table, context(LinkKind::Usb, 3));
        compareButtons(source, fewer, 0);
        QCOMPARE(fewer.slot(1, 0).IconLeft, 0);
    }

    void missingOrBrokenKeysKeepResetValues()
    {
        SettingsTable table;
        resetFileTable(table);       // presets the image keys only
        table.set(0, Sys, QStringLiteral("1"));
        table.set(SystemKey::IconNum, Sys, QStringLiteral("0"));
        table.set(SystemKey::GridInterval, Sys, QStringLiteral("0"));
        table.set(SystemKey::GridColor, Sys, QStringLiteral("grey"));
        table.set(SystemKey::figureCount(0), Sys, QStringLiteral("50"));
        table.set(SystemKey::FigureNum, Sys, QStringLiteral("-3"));
        table.set(SystemKey::ImageStretch, Sys, QStringLiteral("7"));
        table.set(PanelKey::IconFontSize + 8, GuiMaster, QStringLiteral("99999"));

        PanelState p;
        qint16 fm = 0;
        ApplyPanel(p, fm, table, context(LinkKind::Rs232c, 1));
        QCOMPARE(p.IconNum, qint16(1));               // never 0 with a link
        QCOMPARE(p.GridInterval, 1000);
        QCOMPARE(p.GridColor, p.defaults.gridColor);
        QCOMPARE(p.count(FigureKind::Circle), qint16(0));
        QCOMPARE(p.FigureNum, qint16(0));
        QCOMPARE(p.image.ImageVisible, false);
        QCOMPARE(p.image.ImageStretch, qint16(0));
        QCOMPARE(p.image.ImageXScale, 100);
        QCOMPARE(p.image.ImageYScale, 100);
        const ButtonSlot &master = p.slot(0, Panel::OutputSlot);
        QVERIFY(master.IconEnable);                   // the default button stays
        QCOMPARE(master.IconFontSize, qint16(12));
        QCOMPARE(master.IconFontName, p.defaults.fontName);

        PanelState off;
        ApplyPanel(off, fm, table, context(LinkKind::Offline, 1));
        QCOMPARE(off.IconNum, qint16(0));

        // A table that was not read leaves the reset panel.
        PanelState unread = busyPanel(1);
        ApplyPanel(unread, fm, table, context(LinkKind::Usb, 1), false);
        QCOMPARE(unread.GridInterval, 1000);
    }

    // Every key the file stores is in the snapshot, so a change to any of
    // them (grid colour, image file, button table) is a change to keep.
    void snapshotHoldsEveryStoredKey()
    {
        PanelState p = busyPanel(2);
        SettingsTable file;
        resetFileTable(file);
        writePanelSnapshot(p, file, 2, 2);
        SettingsTable stored;
        resetFileTable(stored);
        StorePanel(p, stored, 2);
        stored.set(SystemKey::MixerCount, Sys, QStringLiteral("2"));
        QVERIFY(file == stored);
        QCOMPARE(file.at(SystemKey::GridColor, Sys), QString::number(0x0A0B0C));
        QCOMPARE(file.at(SystemKey::TableLeft, Sys), QStringLiteral("77"));
        QCOMPARE(file.at(SystemKey::CellWidth0 + 1, Sys), QStringLiteral("1400"));
        QCOMPARE(file.at(SystemKey::ImageFileName, Sys), p.image.ImageFileName);
    }

    // Values a panel cannot show are brought into its range, and the button
    // count is that of the slots; a count that merely disagrees with the
    // slots is no damage (files have always held such counts).
    void outOfRangeValuesAreBroughtIntoRange()
    {
        SettingsTable table;
        resetFileTable(table);
        table.set(0, Sys, QStringLiteral("1"));
        auto button = [&](int slot, const char *left, const char *width) {
            table.set(PanelKey::IconEnable + slot, GuiMaster, QStringLiteral("True"));
            table.set(PanelKey::IconLeft + slot, GuiMaster, QLatin1String(left));
            table.set(PanelKey::IconTop + slot, GuiMaster, QStringLiteral("100"));
            table.set(PanelKey::IconWidth + slot, GuiMaster, QLatin1String(width));
            table.set(PanelKey::IconHeight + slot, GuiMaster, QStringLiteral("900"));
        };
        button(0, "-2000000", "-1500");
        button(1, "2147483647", "1E+300");
        button(2, "500", "");
        button(3, "600", "1000");
        button(4, "700", "1000");
        button(5, "800", "1000");
        table.set(SystemKey::IconNum, Sys, QStringLiteral("32767"));
        table.set(SystemKey::TableHeight, Sys, QStringLiteral("2147483647"));
        table.set(SystemKey::CellWidth0, Sys, QStringLiteral("0"));
        table.set(PanelKey::IconFontSize + 3, GuiMaster, QStringLiteral("32767"));

        PanelState p;
        qint16 fm = 0;
        QCOMPARE(ApplyPanel(p, fm, table, context(LinkKind::Offline, 1)), PanelValues::BroughtIntoRange);
        QCOMPARE(p.IconNum, qint16(6));
        const ButtonSlot &a = p.slot(0, 0);
        QCOMPARE(a.IconLeft, 0);
        QCOMPARE(a.IconWidth, double(Panel::MinButtonSize));
        const ButtonSlot &b = p.slot(0, 1);
        QCOMPARE(b.IconWidth, double(Panel::MaxExtent));
        QCOMPARE(b.IconLeft, 0);
        QCOMPARE(p.slot(0, 2).IconWidth, double(Panel::MinButtonSize));
        QCOMPARE(p.slot(0, 3).IconFontSize, Panel::MaxFontSize);
        QCOMPARE(p.slot(0, 4).IconLeft, 700);
        QCOMPARE(p.table.TableHeight, Panel::MaxExtent);
        QCOMPARE(p.table.cellWidths[0], Panel::MinTableCell);

        // Nine buttons counted as one: nine, and nothing out of range.
        PanelState nine = busyPanel(1);
        for (ButtonSlot &s : nine.buttons[0])
            s.IconEnable = true;
        nine.IconNum = 1;
        SettingsTable full;
        resetFileTable(full);
        full.set(0, Sys, QStringLiteral("1"));
        StorePanel(nine, full, 1);
        PanelState q;
        QCOMPARE(ApplyPanel(q, fm, full, context(LinkKind::Usb, 1)), PanelValues::InRange);
        QCOMPARE(q.IconNum, qint16(9));
        QVERIFY(!newButtonEnabled(q, context(LinkKind::Usb, 1)));
    }

    void throughTheFile()
    {
        // Captions with Japanese text, "=" and three lines survive a real
        // save and load with at most two lines and no broken file.
        QTemporaryDir dir;
        PanelState p = busyPanel(1);
        p.slot(0, 0).IconText = QStringLiteral("議長\r\n=席]\r\n三行目");
        SettingsTable table;
        resetFileTable(table);
        table.set(0, Sys, QStringLiteral("1"));
        StorePanel(p, table, 1);
        const SetDataKeyTable keys = SetDataKeyTable::build();
        const QString path = dir.filePath(QStringLiteral("panel.ini"));
        QVERIFY(WriteSettingsFile(path, table, keys, 1));
        SettingsTable back;
        resetFileTable(back);
        QVERIFY(ReadSettingsFile(path, keys, back));
        PanelState q;
        qint16 fm = 0;
        ApplyPanel(q, fm, back, context(LinkKind::Usb, 1));
        QCOMPARE(q.slot(0, 0).IconText, QStringLiteral("議長\r\n=席]"));
        QCOMPARE(q.slot(0, 5).IconText, p.slot(0, 5).IconText);
    }

    // Chairs and the meeting's rules travel in "[Meeting]" after every other
    // section, which stay byte for byte as a file without it has them; a
    // chair on a slot without a button is not kept. A file without the
    // section reads and writes back unchanged and leaves the defaults.
    void meetingSectionRoundTrips()
    {
        const SetDataKeyTable keys = SetDataKeyTable::build();
        PanelState p = busyPanel(2);
        SettingsTable plain;
        resetFileTable(plain);
        plain.set(0, Sys, QStringLiteral("2"));
        StorePanel(p, plain, 2);
        const QByteArray without = *settingsBytes(plain, keys, 2);
        QVERIFY(!without.contains("Meeting"));

        p.meeting.setChair(0, 0, true);
        p.meeting.setChair(1, 1, true);
        p.meeting.setChair(0, 1, true); // no button there
        p.meeting.settings = {4, MicLimitMode::Fifo, 300, 45, SpeakingEnd::SwitchOff};
        SettingsTable table = plain;
        StorePanel(p, table, 2);
        const QByteArray with = *settingsBytes(table, keys, 2);
        QVERIFY(with.startsWith(without));
        QCOMPARE(with.mid(without.size()), QByteArray("[Meeting]\r\nChair=1,10\r\nMicLimit=4\r\nMicLimitMode=1\r\n"
                                                      "SpeakingLimit=300\r\nSpeakingWarning=45\r\nSpeakingEnd=1\r\n"));

        SettingsTable back;
        resetFileTable(back);
        QVERIFY(readSettingsBytes(with, keys, back).ok());
        QCOMPARE(*settingsBytes(back, keys, 2), with);
        PanelState q;
        qint16 fm = 0;
        QCOMPARE(ApplyPanel(q, fm, back, context(LinkKind::Usb, 2)), PanelValues::InRange);
        MeetingSetup expected = p.meeting;
        expected.setChair(0, 1, false);
        QVERIFY(q.meeting == expected);

        SettingsTable old;
        resetFileTable(old);
        QVERIFY(readSettingsBytes(without, keys, old).ok());
        QCOMPARE(*settingsBytes(old, keys, 2), without);
        ApplyPanel(q, fm, old, context(LinkKind::Usb, 2));
        QVERIFY(q.meeting.isDefault());

        // A later program's key is passed over; a value out of range is
        // brought into it and said to be.
        SettingsTable odd;
        resetFileTable(odd);
        QVERIFY(readSettingsBytes(without + "[Meeting]\r\nLater=1\r\nMicLimit=99\r\nSpeakingLimit=x\r\n", keys, odd).ok());
        QCOMPARE(ApplyPanel(q, fm, odd, context(LinkKind::Usb, 2)), PanelValues::BroughtIntoRange);
        QCOMPARE(q.meeting.settings.micLimit, MeetingSettings::MaxMicLimit);
    }
};

ZK_TEST_GUILESS_MAIN(TstPanelSections)
#include "tst_panelsections.moc"
