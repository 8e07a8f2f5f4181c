// The panel's session against the link: which mixers the panel lays out,
// when the mixers count as out of reach, and when the link-count watch asks
// its question.

#include "panel/panelsession.h"

#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "tests/support/testmain.h"

#include <QtTest>

#include <memory>

namespace {

struct SessionRig
{
    std::unique_ptr<PanelState> panel = std::make_unique<PanelState>();
    MixerState mixers;
    LinkState link;
    PanelSession session{*panel, mixers, link};

    SessionRig(LinkKind kind, int linked, int held)
    {
        link.linkKind = kind;
        mixers.MixerCount = qint16(linked);
        mixers.FileMixerCount = qint16(held);
    }
    void button(int mixer) { panel->buttons[size_t(mixer)][0].IconEnable = true; }
};

} // namespace

class TestPanelSession : public QObject
{
    Q_OBJECT

private slots:
    // Offline the mixers are never out of reach; linked, a lost connection or
    // no mixer answering is. Only operated buttons are greyed for it.
    void outOfReach()
    {
        SessionRig offline(LinkKind::Offline, 0, 0);
        offline.link.health = LinkHealth::Lost;
        QVERIFY(!offline.session.outOfReach());

        SessionRig linked(LinkKind::Ethernet, 2, 2);
        QVERIFY(!linked.session.outOfReach());
        linked.link.health = LinkHealth::Reconnecting;
        QVERIFY(linked.session.outOfReach());
        QVERIFY(linked.session.greyed(true));
        QVERIFY(!linked.session.greyed(false));
        linked.link.health = LinkHealth::Up;
        linked.mixers.MixerCount = 0;
        QVERIFY(linked.session.outOfReach());
    }

    // The question comes only while the panel is open, no other watch is
    // under way and the mixers answer; a locked panel offers no save.
    void linkCountWatch()
    {
        SessionRig rig(LinkKind::Rs232c, 1, 2);
        QCOMPARE(rig.session.linkCountChange(), std::optional(LinkCountChange::Fell));
        {
            const PanelSession::Watching busy(rig.session);
            QVERIFY(!rig.session.watchDue());
            QCOMPARE(rig.session.linkCountChange(), std::nullopt);
        }
        rig.mixers.MixerCount = 3;
        QCOMPARE(rig.session.linkCountChange(), std::optional(LinkCountChange::Rose));
        rig.mixers.MixerCount = 2;
        QCOMPARE(rig.session.linkCountChange(), std::optional(LinkCountChange::Same));
        rig.link.health = LinkHealth::Lost;
        rig.mixers.MixerCount = 1;
        QCOMPARE(rig.session.linkCountChange(), std::nullopt);
        rig.link.health = LinkHealth::Up;
        QVERIFY(rig.session.leave());
        QVERIFY(!rig.session.leave());
        QCOMPARE(rig.session.linkCountChange(), std::nullopt);
        QVERIFY(PanelSession::offerSaveOnFall(false));
        QVERIFY(!PanelSession::offerSaveOnFall(true));
    }

    // Offline the panel lays out every mixer with a button, and a button on
    // a further mixer takes that mixer into the counts; linked the file's
    // count holds and nothing is taken in.
    void mixersLaidOut()
    {
        SessionRig offline(LinkKind::Offline, 1, 1);
        offline.button(2);
        QCOMPARE(offline.session.panelMixers(), 3);
        offline.session.adoptMixer(-1);
        offline.session.adoptMixer(0);
        QCOMPARE(offline.mixers.MixerCount, 1);
        offline.session.adoptMixer(4);
        QCOMPARE(offline.mixers.MixerCount, 5);
        QCOMPARE(offline.mixers.FileMixerCount, 5);
        offline.session.offlineCountsFollowButtons(); // never falls
        QCOMPARE(offline.mixers.FileMixerCount, 5);

        SessionRig grow(LinkKind::Offline, 1, 1);
        grow.button(2);
        grow.session.offlineCountsFollowButtons();
        QCOMPARE(grow.mixers.FileMixerCount, 3);

        SessionRig linked(LinkKind::Usb, 1, 1);
        linked.button(2);
        QCOMPARE(linked.session.panelMixers(), 1);
        linked.session.adoptMixer(4);
        linked.session.offlineCountsFollowButtons();
        QCOMPARE(linked.mixers.FileMixerCount, 1);
        QCOMPARE(linked.session.context().mixerCount, 1);
        QCOMPARE(linked.session.context().linkKind, LinkKind::Usb);
    }
};

ZK_TEST_GUILESS_MAIN(TestPanelSession)
#include "tst_panelsession.moc"
