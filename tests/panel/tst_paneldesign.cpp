// The panel's rules without widgets: geometry taken back from button windows,
// the selection kept on the panel, the channels the panel takes over and
// gives back, the property dialog's offer of slots, the place of a new
// button and its refit, the button table's rows and update, and the
// recovery file read as far as it can be.

#include "panel/buttonproperties.h"
#include "panel/buttontable.h"
#include "panel/designrecovery.h"
#include "panel/heldchannels.h"
#include "panel/paneldesign.h"
#include "panel/remotechannels.h"
#include "settings/panelsections.h"
#include "settings/panelsections_keys.h"
#include "settings/settingsfile.h"
#include "tests/editor/recordedsync.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

PanelState panelWith(std::initializer_list<ButtonRef> buttons)
{
    PanelState p;
    for (const ButtonRef &b : buttons) {
        ButtonSlot &s = p.slot(b.mixer, b.slot);
        s.IconEnable = true;
        s.IconWidth = 1500;
        s.IconHeight = 1000;
    }
    p.IconNum = qint16(buttons.size());
    return p;
}

PanelContext linkedBy(int mixers, LinkKind kind = LinkKind::Usb)
{
    PanelContext c;
    c.linkKind = kind;
    c.mixerCount = qint16(mixers);
    return c;
}

// 100 twips per character, 250 twips per line.
QSizeF fakeMeasure(const QString &text, const ButtonSlot &)
{
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    qsizetype widest = 0;
    for (const QString &l : lines)
        widest = std::max(widest, l.size());
    return QSizeF(100.0 * double(widest), 250.0 * double(lines.size()));
}

} // namespace

class TstPanelDesign : public QObject
{
    Q_OBJECT

private slots:
    void geometryTakenBackOnlyWhereTheWindowMoved()
    {
        PanelState p = panelWith({{0, 0}});
        ButtonSlot &s = p.slot(0, 0);
        s.IconLeft = 1000;     // 66.7 pixels at 15 twips a pixel
        s.IconTop = 1010;
        PanelDesign design(p);
        const TwipScale scale;  // 96 dots per inch
        const QRect shown(scale.toPixels(1000), scale.toPixels(1010), scale.toPixels(1500), scale.toPixels(1000));
        QVERIFY(!design.takeGeometry({0, 0}, shown, scale, false));
        QCOMPARE(s.IconLeft, 1000);
        QCOMPARE(s.IconTop, 1010);

        // The program's own resize does not touch the template; the user's does.
        design.takeGeometry({0, 0}, shown.adjusted(0, 0, 10, 0), scale, false);
        QCOMPARE(design.newButtonTemplate().width, 1500.0);
        QVERIFY(design.takeGeometry({0, 0}, shown.adjusted(0, 0, 20, 0), scale, true));
        QCOMPARE(s.IconWidth, 120 * 15.0);
        QCOMPARE(s.IconLeft, 1000);
        QCOMPARE(design.newButtonTemplate().width, 1800.0);
        QCOMPARE(design.newButtonTemplate().height, 1000.0);
    }

    void selectionIsKeptOnThePanel()
    {
        PanelState p = panelWith({{0, 0}, {0, 1}});
        p.slot(0, 0).IconLeft = 300;
        p.slot(0, 1).IconLeft = 1000;
        PanelDesign design(p);
        design.press({0, 0}, false);
        design.press({0, 1}, true);
        QVERIFY(design.moving());
        // Dragged 500 twips to the left, the group stops where the first
        // button meets the edge, and both keep their distance.
        design.release({-500, 40});
        QCOMPARE(p.slot(0, 0).IconLeft, 0);
        QCOMPARE(p.slot(0, 1).IconLeft, 700);
        QCOMPARE(p.slot(0, 1).IconTop, 40);
        // Arrow keys: 100 a press, never past the edge.
        QVERIFY(design.arrowKey({0, 1}, ArrowKey::Up));
        QCOMPARE(p.slot(0, 1).IconTop, 0);
        QVERIFY(!design.arrowKey({0, 1}, ArrowKey::Up));
        QVERIFY(design.arrowKey({0, 1}, ArrowKey::Down));
        QCOMPARE(p.slot(0, 1).IconTop, 100);
    }

    void channelsTakenOverAndGivenBack()
    {
        MixerState mixers;
        PanelRuntime runtime;
        RecordedSync sync(mixers);
        EditorState editor;
        RemoteChannels remote(mixers, runtime, &sync, &editor);
        // Mixer 1 reports channel 1 on; mixer 2 has channel 4 switched on but
        // not sent yet, so its wanted values are the ones to keep.
        mixers.MixerData[1].RemoteOn(1) = 1;
        mixers.MixerData[1].RemoteOff(1) = 0;
        mixers.MixerData[1].RemoteOff(5) = 1;   // already off: nothing to switch
        mixers.MixerSetData[1] = mixers.MixerData[1];
        sync.submit(2, {{channelKeyId(ChannelFamily::RemoteOn, 4), 1}, {channelKeyId(ChannelFamily::RemoteOff, 4), 0}},
                    Submit::Copy);
        mixers.clearPending();
        sync.retries = 7;

        remote.takeOver(2);
        QCOMPARE(runtime.recordedRemoteOn[0][0], quint8(1));
        QCOMPARE(runtime.recordedRemoteOn[1][3], quint8(1));
        QCOMPARE(runtime.recordedRemoteOff[1][3], quint8(0));
        for (int m : {1, 2})
            for (int c = 1; c <= 8; ++c) {
                QCOMPARE(mixers.MixerSetData[size_t(m)].RemoteOn(c), quint8(0));
                QCOMPARE(mixers.MixerSetData[size_t(m)].RemoteOff(c), quint8(1));
            }
        QVERIFY(mixers.waiting(1, channelKeyId(ChannelFamily::RemoteOn, 1)));
        QCOMPARE(sync.retries, 0); // a running write gets its passes again

        // Entering the execution state brings channels to their buttons.
        PanelState panel = panelWith({{0, 1}, {0, 2}, {0, 8}});
        panel.slot(0, 1).IconOnOff = true;
        mixers.clearPending();
        remote.applyButtonStates(panel, 1);
        QCOMPARE(mixers.MixerSetData[1].RemoteOn(2), quint8(1));
        QCOMPARE(mixers.MixerSetData[1].RemoteOff(2), quint8(0));
        QVERIFY(!mixers.waiting(1, channelKeyId(ChannelFamily::RemoteOn, 3)));
        QVERIFY(!remote.toggle(panel, {0, 8}));   // the output button never toggles

        // Mixer 3 is counted while the panel is open, with channel 2 on: not
        // the panel's to give back; channel 1, switched by the panel, goes back
        // to what the mixer held before.
        mixers.MixerData[3].RemoteOn(2) = 1;
        mixers.MixerData[3].RemoteOff(2) = 0;
        mixers.takeReported(3);
        const MixerDataRecord third = mixers.MixerData[3];
        remote.switchChannel(2, 0, true);

        mixers.clearPending();
        remote.giveBack(3);
        QCOMPARE(mixers.MixerSetData[3].channel(ChannelFamily::RemoteOn, 1), third.channel(ChannelFamily::RemoteOn, 1));
        QCOMPARE(mixers.MixerSetData[3].channel(ChannelFamily::RemoteOff, 1), third.channel(ChannelFamily::RemoteOff, 1));
        QVERIFY(!mixers.waiting(3, channelKeyId(ChannelFamily::RemoteOn, 2)));
        QCOMPARE(mixers.MixerSetData[3].RemoteOff(2), quint8(0));
        QCOMPARE(mixers.MixerSetData[1].RemoteOn(1), quint8(1));
        QCOMPARE(mixers.MixerSetData[1].RemoteOff(1), quint8(0));
        QCOMPARE(mixers.MixerSetData[2].RemoteOn(4), quint8(1));
        QCOMPARE(mixers.MixerSetData[1].RemoteOn(5), quint8(0));
        QVERIFY(mixers.waiting(1, channelKeyId(ChannelFamily::RemoteOff, 1)));
        // A channel the panel never touched is left alone.
        QVERIFY(!mixers.waiting(1, channelKeyId(ChannelFamily::RemoteOn, 5)));
        // What was given back is not to be undone by the first click an editor
        // opened next makes when it shows the mixer's older value.
        QVERIFY(editor.IgnoreRemoteOnClick[1][1] && editor.IgnoreRemoteOffClick[1][1]);
        QVERIFY(editor.IgnoreRemoteOnClick[2][4] && editor.IgnoreRemoteOffClick[2][4]);
        QVERIFY(!editor.IgnoreRemoteOnClick[1][5] && !editor.IgnoreRemoteOffClick[1][5]);
    }

    // A mixer off the link when the panel closes gets its channels back once
    // it is linked again; a panel opened before that keeps the first record,
    // since what the mixer holds then is the first panel's doing.
    void channelsOwedToAMixerOffTheLink()
    {
        MixerState mixers;
        RecordedSync sync(mixers);
        PanelRuntime runtime;
        mixers.MixerData[2].RemoteOn(3) = 1;
        mixers.MixerSetData[2] = mixers.MixerData[2];
        auto closedWhileAway = [&] {
            RemoteChannels panel(mixers, runtime, &sync);
            panel.takeOver(2);
            mixers.clearPending();
            panel.giveBack(1);
            QVERIFY(!mixers.anyPending(2));
        };
        auto bothFlagged = [&](int channel) {
            return mixers.waiting(2, channelKeyId(ChannelFamily::RemoteOn, channel))
                   && mixers.waiting(2, channelKeyId(ChannelFamily::RemoteOff, channel));
        };

        closedWhileAway();
        RemoteChannels after(mixers, runtime, &sync);
        QVERIFY(after.giveBackOwed(1));               // still away
        QVERIFY(!mixers.anyPending(2));
        QVERIFY(!after.giveBackOwed(2));              // back: every value goes back
        QCOMPARE(mixers.MixerSetData[2].RemoteOn(3), quint8(1));
        QCOMPARE(mixers.MixerSetData[2].RemoteOff(3), quint8(0));
        QCOMPARE(mixers.MixerSetData[2].RemoteOff(1), quint8(0));
        QVERIFY(bothFlagged(1) && bothFlagged(3));
        QVERIFY(!remoteValuesOwed(runtime));

        closedWhileAway();
        mixers.MixerData[2] = mixers.MixerSetData[2];  // back, holding the panel's switch
        mixers.clearPending();
        RemoteChannels next(mixers, runtime, &sync);
        next.takeOver(2);
        QCOMPARE(runtime.recordedRemoteOn[1][2], quint8(1));
        next.giveBack(2);
        QCOMPARE(mixers.MixerSetData[2].RemoteOn(3), quint8(1));
        QVERIFY(bothFlagged(1) && bothFlagged(3));
        QVERIFY(!remoteValuesOwed(runtime));
    }

    // The switches a panel took over stay on disk until they are back: a
    // section per recorded mixer, kept while its values may still be on
    // their way; read back, they are owed. A file with values no mixer takes
    // or a mixer cut short is not read, and can be set aside.
    void heldChannelsKeptOnDisk()
    {
        QTemporaryDir dir;
        HeldChannels held(dir.filePath("held-channels.ini"));
        PanelRuntime rt;
        QVERIFY(held.keep(rt));
        QVERIFY(!held.leftBehind()); // nothing taken over, nothing written
        rt.remoteRecord[0] = RemoteRecord::Held;
        rt.recordedRemoteOn[0] = {1, 0, 0, 0, 0, 0, 0, 1};
        rt.recordedRemoteOff[0] = {0, 1, 1, 1, 1, 1, 1, 0};
        rt.remoteRecord[2] = RemoteRecord::Owed;
        rt.recordedRemoteOn[2][3] = 1;
        QVERIFY(held.keep(rt));
        rt.remoteRecord[0] = RemoteRecord::None; // given back: still on its way
        rt.recordedRemoteOn[0] = {};
        QVERIFY(held.keep(rt));
        const std::optional<HeldChannels::Record> record = held.read();
        QVERIFY(record);
        QCOMPARE(record->size(), size_t(2));
        QCOMPARE(record->at(0).on, (std::array<quint8, 8>{1, 0, 0, 0, 0, 0, 0, 1}));
        QCOMPARE(record->at(0).off, (std::array<quint8, 8>{0, 1, 1, 1, 1, 1, 1, 0}));
        PanelRuntime next;
        HeldChannels::owe(*record, next);
        QCOMPARE(next.remoteRecord[0], RemoteRecord::Owed);
        QCOMPARE(next.remoteRecord[1], RemoteRecord::None);
        QCOMPARE(next.remoteRecord[2], RemoteRecord::Owed);
        QCOMPARE(next.recordedRemoteOn[2][3], quint8(1));
        held.discard();
        QVERIFY(!held.leftBehind());

        auto writeFile = [&](const QByteArray &text) {
            QFile f(held.path());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        };
        // Lines a later version may add are passed over.
        writeFile("[Mixer2]\r\nRemoteOn=0,0,0,0,0,0,0,1\r\nRoom=Hall\r\nRemoteOff=1,1,1,1,1,1,1,0\r\n"
                  "[Mixer17]\r\nRemoteOn=1,1,1,1,1,1,1,1\r\n[Note]\r\nX=1\r\n");
        QVERIFY(held.read() && held.read()->size() == 1 && held.read()->at(1).on[7] == 1);
        for (const QByteArray &bad : {QByteArray("[Mixer1]\r\nRemoteOn=2,0,0,0,0,0,0,0\r\nRemoteOff=1,1,1,1,1,1,1,1\r\n"),
                                     QByteArray("[Mixer1]\r\nRemoteOn=1,0\r\nRemoteOff=1,1,1,1,1,1,1,1\r\n"),
                                     QByteArray("[Mixer1]\r\nRemoteOn=1,0,0,0,0,0,0,0\r\n"),
                                     QByteArray("[Mixer0]\r\nRemoteOn=1,0,0,0,0,0,0,0\r\n")}) {
            writeFile(bad);
            QVERIFY2(!held.read(), bad.constData());
        }
        // A file grown past any record a panel writes is not read either.
        writeFile("[Mixer1]\r\nRemoteOn=1,0,0,0,0,0,0,0\r\nRemoteOff=1,1,1,1,1,1,1,1\r\n" + QByteArray(70 * 1024, ';'));
        QVERIFY(!held.read());
        const QString aside = held.setAside();
        QVERIFY(QFileInfo::exists(aside));
        QVERIFY(!held.leftBehind());
    }

    void propertyDialogOffersFreeSlotsUpToTheLimit()
    {
        PanelState p = panelWith({{0, 0}, {0, 1}, {0, 2}});
        NewButtonTemplate t;
        ButtonProperties one(p, linkedBy(1), t);
        QCOMPARE(one.freeSlots(0), std::vector<int>({3, 4, 5, 6, 7, 8}));
        QVERIFY(one.nextFree() == ButtonRef({0, 3}));
        QVERIFY(one.nextFree(ButtonRef{0, 8}) == ButtonRef({0, 3}));   // wraps round
        QCOMPARE(ButtonProperties(p, linkedBy(0, LinkKind::Offline), t).mixers().size(), size_t(16));

        // Three linked mixers hold 27 buttons; the 27th closes the dialog.
        ButtonProperties three(p, linkedBy(3), t);
        p.IconNum = 26;
        QCOMPARE(int(three.createButton(1, 0, {}).outcome), int(ButtonProperties::Outcome::CreatedLimitReached));
        QCOMPARE(int(three.createButton(std::nullopt, 0, {}).outcome), int(ButtonProperties::Outcome::NoMixer));
        QCOMPARE(int(three.createButton(3, 0, {}).outcome), int(ButtonProperties::Outcome::NoMixer));
        QCOMPARE(int(three.createButton(1, 0, {}).outcome), int(ButtonProperties::Outcome::NoChannel));
        three.remove({1, 0});
        QCOMPARE(p.IconNum, qint16(26));
        QVERIFY(!p.slot(1, 0).IconEnable);
    }

    // Rows from the top, each from the left, a grid step at a time; a finer
    // grid is walked in whole steps no smaller than a button can be.
    void newButtonsLandOnTheNextFreePlace()
    {
        PanelState p = panelWith({{0, 0}, {0, 1}, {0, 2}});
        p.slot(0, 1).IconLeft = 2000;
        p.slot(0, 2).IconLeft = 4000;
        QCOMPARE(freePlace(p, 1500, 1500, 1000, 6000, 16), QPoint(0, 1000));
        QCOMPARE(freePlace(p, 1500, 1500, 100, 6000, 16), QPoint(0, 1200));
        p.slot(0, 2).IconEnable = false;
        QCOMPARE(freePlace(p, 1500, 1500, 1000, 6000, 16), QPoint(4000, 0));
        // Buttons of mixers beyond those asked about do not count.
        p.slot(1, 0).IconEnable = true;
        p.slot(1, 0).IconLeft = 4000;
        p.slot(1, 0).IconWidth = p.slot(1, 0).IconHeight = 1000;
        QCOMPARE(freePlace(p, 1500, 1500, 1000, 6000, 1), QPoint(4000, 0));

        NewButtonTemplate t;
        PanelContext narrow = linkedBy(2);
        narrow.screenWidth = 6000;
        ButtonProperties props(p, narrow, t);
        QVERIFY(props.createButton(0, 3, {}).outcome == ButtonProperties::Outcome::Created);
        QCOMPARE(QPoint(p.slot(0, 3).IconLeft, p.slot(0, 3).IconTop), QPoint(0, 1000));
    }

    // A recovery file is read as far as it can be: a key of a newer program
    // passed over, a damaged line (a value of the wrong kind, bytes that are
    // not CP932, a line that is no key) counted and left out; one without
    // the panel's values gives nothing.
    void recoveryFileIsReadAsFarAsItCan()
    {
        QTemporaryDir dir;
        const DesignRecovery recovery(dir.filePath("design-recovery.ini"));
        const SetDataKeyTable keys = SetDataKeyTable::build();
        PanelState p = panelWith({{0, 0}});
        p.slot(0, 0).IconText = QStringLiteral("議長");
        SettingsTable t;
        resetFileTable(t);
        StorePanel(p, t, 1);
        t.set(SystemKey::MixerCount, SystemKey::Section, QStringLiteral("1"));
        QVERIFY(recovery.write(t, keys, 1, {}));
        {
            QFile f(recovery.path());
            QVERIFY(f.open(QIODevice::Append));
            f.write("FutureKey=1\r\nGridInterval=wide\r\n\xfd\xfe\r\nno key here\r\nGridColor=255\r\n");
        }
        SettingsTable now;
        const RecoveryRead read = recovery.restoreInto(now, keys);
        QVERIFY(read.panelTaken);
        QCOMPARE(read.damagedLines, 3);
        QCOMPARE(read.firstDamagedText, QStringLiteral("GridInterval=wide"));
        QCOMPARE(now.at(PanelKey::IconText, PanelKey::FirstSection), QStringLiteral("議長"));
        QCOMPARE(now.at(SystemKey::GridColor, SystemKey::Section), QStringLiteral("255"));

        QFile bare(recovery.path());
        QVERIFY(bare.open(QIODevice::WriteOnly));
        bare.write("[SystemData]\r\nFutureKey=1\r\n");
        bare.close();
        SettingsTable untouched;
        QVERIFY(!recovery.restoreInto(untouched, keys).panelTaken);
        QVERIFY(untouched == SettingsTable());
    }

    void refitOnlyEnlarges()
    {
        ButtonSlot b;
        b.IconText = QStringLiteral("ABCDEFGHIJKLMNOP\r\nB");
        b.IconWidth = 1000;
        b.IconHeight = 5000;
        QVERIFY(refitToCaption(b, fakeMeasure));
        QCOMPARE(b.IconWidth, 1600.0 + 200);     // the wider line plus the margin
        QCOMPARE(b.IconHeight, 5000.0);          // already tall enough
        b.IconText = QStringLiteral("A");
        b.IconHeight = 100;
        refitToCaption(b, fakeMeasure);
        QCOMPARE(b.IconHeight, 500 * 1.3);       // caption and "OFF", one line
        QVERIFY(!refitToCaption(b, fakeMeasure));
    }

    void buttonTableRowsAndUpdate()
    {
        PanelState p = panelWith({{0, 0}, {0, 8}, {1, 0}});
        p.slot(0, 0).IconText = QStringLiteral("議長\r\n席");
        p.slot(1, 0).IconText = QStringLiteral("委員");
        ButtonTable table(p);
        table.rebuild(2);
        // Two linked mixers: a header row and 18 slot rows.
        QCOMPARE(table.rowCount(), 19);
        QCOMPARE(ButtonTable::headerText(0), QStringLiteral("ミキサー番号 チャンネル"));
        QCOMPARE(ButtonTable::headerText(2), QStringLiteral("2行目"));
        QCOMPARE(ButtonTable::rowLabel(1), QStringLiteral("マスター  ch 1"));
        QCOMPARE(ButtonTable::rowLabel(9), QStringLiteral("マスター  出力設定"));
        QCOMPARE(ButtonTable::rowLabel(10), QStringLiteral("スレーブ1  ch 9"));
        QCOMPARE(table.text(1, 1), QStringLiteral("議長"));
        QCOMPARE(table.text(1, 2), QStringLiteral("席"));
        QCOMPARE(table.text(10, 1), QStringLiteral("委員"));

        // Typing into the row of a free slot is not kept; text the settings
        // file cannot store is refused.
        QCOMPARE(table.take(2, 1, QStringLiteral("x")), ButtonTable::Take::NoButton);
        QCOMPARE(table.text(2, 1), QString());
        QCOMPARE(table.take(10, 1, QStringLiteral("Café")), ButtonTable::Take::Unstorable);
        QCOMPARE(table.take(1, 1, QStringLiteral("議長")), ButtonTable::Take::Unchanged);
        QVERIFY(!table.hasChanges());

        // "A" and "B" make a two-line caption; an empty second line one line.
        QCOMPARE(table.take(10, 1, QStringLiteral("A")), ButtonTable::Take::Taken);
        QCOMPARE(table.take(10, 2, QStringLiteral("B\tC")), ButtonTable::Take::Taken);
        QCOMPARE(table.take(1, 2, QString()), ButtonTable::Take::Taken);
        QVERIFY(table.changed(10, 1) && table.hasChanges());
        // The link count changing keeps what was typed where its row stays.
        table.rebuild(3);
        QCOMPARE(table.rowCount(), 28);
        QCOMPARE(table.text(10, 1), QStringLiteral("A"));
        p.slot(1, 0).IconHeight = 10;
        const std::vector<ButtonRef> changed = table.apply(fakeMeasure);
        QCOMPARE(changed.size(), size_t(2));
        QCOMPARE(p.slot(1, 0).IconText, QStringLiteral("A\r\nB C"));
        QCOMPARE(p.slot(0, 0).IconText, QStringLiteral("議長"));
        QCOMPARE(p.slot(1, 0).IconHeight, 750 * 1.5);   // refitted to two lines and "OFF"
        QVERIFY(!table.hasChanges() && !table.changed(10, 1));
    }
};

ZK_TEST_GUILESS_MAIN(TstPanelDesign)
#include "tst_paneldesign.moc"
