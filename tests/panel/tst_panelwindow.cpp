// The panel window offscreen: design buttons selected, moved and resized with
// the pointer and keys, the property dialog's rules, execution clicks that
// reach the virtual mixer, the right-click dialog, the link-count watch and
// what a save from the panel stores.

#include "panelrig.h"

#include "base/strings.h"
#include "link/linkwatch.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmicontable.h"
#include "panel/ui/frmmeetingsetting.h"
#include "panel/ui/frmspeakingrecord.h"
#include "panel/ui/meetingcontrol.h"
#include "panel/ui/panelsurface.h"
#include "tests/support/clipping.h"
#include "tests/support/englishtexts.h"
#include "tests/support/screenshot.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTableWidget>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int SystemSection = SystemKey::Section;

int wire(ChannelFamily f, int channel)
{
    return channelKeyId(f, channel);
}

// The mixer holds what the panel wants, and nothing waits to be sent.
bool mixerHolds(PanelRig &rig, int mixer, int channel, int on, int off)
{
    return rig.net.chain.blockByte(mixer, wire(ChannelFamily::RemoteOn, channel)) == on
           && rig.net.chain.blockByte(mixer, wire(ChannelFamily::RemoteOff, channel)) == off
           && !rig.net.mixers.anyPending(mixer);
}

bool bothFlagsSet(PanelRig &rig, int mixer, int channel)
{
    const MixerState &s = rig.net.mixers;
    return s.waiting(mixer, wire(ChannelFamily::RemoteOn, channel)) && s.waiting(mixer, wire(ChannelFamily::RemoteOff, channel));
}

// Dialogs that, like a real message box, let the panel's timer fire while a
// question is open.
class TickingDialogs final : public Dialogs
{
public:
    std::function<void()> whileAsking;
    ScriptedDialogs answers;

    MsgAnswer message(const QString &text, MsgButtons b, MsgIcon i, const QString &t) override
    {
        if (whileAsking)
            whileAsking();
        return answers.message(text, b, i, t);
    }
    QString openFileName(const QString &a, const QString &b, const QString &c) override
    {
        return answers.openFileName(a, b, c);
    }
    QString saveFileName(const QString &a, const QString &b, const QString &c) override
    {
        if (whileChoosingFile)
            whileChoosingFile();
        return answers.saveFileName(a, b, c);
    }
    std::optional<QColor> color(const QColor &c) override { return answers.color(c); }
    std::function<void()> whileChoosingFile;
    std::optional<QFont> font(const QFont &f) override { return answers.font(f); }
};

} // namespace

class TstPanelWindow : public QObject
{
    Q_OBJECT

private slots:
    void designButtonsFollowPointerKeysAndBorder()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 400, 400, "A"}, {Ch2, 4000, 400, "B"}, {Ch3, 400, 3000, "C"}}, 1);
        FrmMdi *w = rig.open();
        QCOMPARE(w->windowTitle(), QStringLiteral("(無題) - ZK-VR340a [デザイン]"));
        FrmEditIcon *a = w->designButton(Ch1);
        FrmEditIcon *b = w->designButton(Ch2);
        FrmEditIcon *c = w->designButton(Ch3);
        QVERIFY(a && b && c);
        QCOMPARE(a->geometry(), QRect(20, 20, 75, 50));

        // A press without Ctrl selects one button only; Ctrl adds another.
        const QPoint inside(30, 25);
        click(c, inside);
        click(a, inside);
        QVERIFY(rig.slot(Ch1).selected && !rig.slot(Ch3).selected);
        click(b, inside, Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(rig.slot(Ch1).selected && rig.slot(Ch2).selected);

        // Dragging one of them moves both by the same amount; each pointer
        // move is measured from where the button stands after the last tick.
        const QPoint grab = a->mapToGlobal(inside);
        mouse(a, QEvent::MouseButtonPress, inside, Qt::LeftButton);
        for (const QPoint step : {QPoint(10, 5), QPoint(25, 10), QPoint(30, 15)}) {
            mouse(a, QEvent::MouseMove, a->mapFromGlobal(grab + step), Qt::NoButton);
            w->moveTick();
        }
        mouse(a, QEvent::MouseButtonRelease, a->mapFromGlobal(grab + QPoint(30, 15)), Qt::LeftButton);
        QCOMPARE(rig.slot(Ch1).IconLeft, 400 + 600);
        QCOMPARE(rig.slot(Ch1).IconTop, 400 + 300);
        QCOMPARE(rig.slot(Ch2).IconLeft, 4000 + 600);
        QCOMPARE(rig.slot(Ch2).IconTop, 400 + 300);
        QCOMPARE(rig.slot(Ch3).IconLeft, 400);
        QCOMPARE(b->pos(), QPoint(230, 35));

        // Ctrl-pressing one of them deselects only that one, and a drag that
        // starts on it moves nothing.
        const QPoint stillB = b->pos();
        mouse(a, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::ControlModifier);
        mouse(a, QEvent::MouseMove, inside + QPoint(20, 0), Qt::NoButton);
        w->moveTick();
        mouse(a, QEvent::MouseButtonRelease, inside + QPoint(20, 0), Qt::LeftButton);
        QVERIFY(!rig.slot(Ch1).selected && rig.slot(Ch2).selected);
        QCOMPARE(b->pos(), stillB);

        // Four Right arrows: 400 twips further right in the saved file.
        QTemporaryDir dir;
        const QString path = dir.filePath("desk.ini");
        c->setFocus();
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(c, Qt::Key_Right);
        rig.dialogs().fileNames = {path};
        w->action(PanelCommand::NewSave)->trigger();
        QCOMPARE(fileValue(path, "GUI_Master", "IconLeft_3"), QStringLiteral("800"));
        QCOMPARE(w->windowTitle(), path + QStringLiteral(" - ZK-VR340a [デザイン]"));

        // A resize by the bottom-right border to 2000 x 1000 twips is kept,
        // and the next new button takes that size.
        const QPoint corner(b->width() - 2, b->height() - 2);
        const QPoint start = b->mapToGlobal(corner);
        mouse(b, QEvent::MouseButtonPress, corner, Qt::LeftButton);
        mouse(b, QEvent::MouseMove, b->mapFromGlobal(start + QPoint(25, 0)), Qt::NoButton);
        mouse(b, QEvent::MouseButtonRelease, b->mapFromGlobal(start + QPoint(25, 0)), Qt::LeftButton);
        QCOMPARE(rig.slot(Ch2).IconWidth, 2000.0);
        QCOMPARE(rig.slot(Ch2).IconHeight, 1000.0);
        QCOMPARE(rig.slot(Ch2).IconLeft, 4600);   // the left edge stayed
        w->action(PanelCommand::New)->trigger();
        FrmEditSetting *dlg = w->propertyDialog();
        QVERIFY(dlg);
        QCOMPARE(dlg->cmbChSelect()->currentText(), QStringLiteral("ch 4"));
        dlg->cmdOK()->click();
        QVERIFY(rig.slot({0, 3}).IconEnable);
        QCOMPARE(rig.slot({0, 3}).IconWidth, 2000.0);
        QCOMPARE(rig.slot({0, 3}).IconHeight, 1000.0);
        QVERIFY(w->designButton({0, 3}));
        dlg->close();

        // A press on the empty surface deselects; a double-click edits.
        click(w->surface(), QPoint(700, 400));
        QVERIFY(!rig.slot(Ch2).selected);
        mouse(a, QEvent::MouseButtonDblClick, inside, Qt::LeftButton);
        QVERIFY(w->propertyDialog());
        QCOMPARE(w->propertyDialog()->windowTitle(), QStringLiteral("編集"));
        QVERIFY(!w->propertyDialog()->cmbHardSelect()->isEnabled());
        w->propertyDialog()->close();
    }

    void propertyDialogRulesLimitAndApplyToAll()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 0, 0, "1"}, {Ch2, 1600, 0, "2"}, {Ch3, 3200, 0, "3"}}, 1);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::New)->trigger();
        FrmEditSetting *dlg = w->propertyDialog();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("ボタンの新規作成"));
        QStringList offered;
        for (int i = 0; i < dlg->cmbChSelect()->count(); ++i)
            offered << dlg->cmbChSelect()->itemText(i);
        QCOMPARE(offered, QStringList({"ch 4", "ch 5", "ch 6", "ch 7", "ch 8", "出力設定"}));

        // OK without a mixer says so and picks the first mixer and channel.
        dlg->cmbHardSelect()->setCurrentIndex(-1);
        dlg->cmbChSelect()->setCurrentIndex(-1);
        dlg->cmdOK()->click();
        QCOMPARE(rig.dialogs().texts().last(), QStringLiteral("ミキサー番号が選択されていません"));
        QCOMPARE(rig.dialogs().shown.back().icon, MsgIcon::Warning);
        QCOMPARE(dlg->cmbChSelect()->currentText(), QStringLiteral("ch 4"));
        dlg->cmbChSelect()->setCurrentIndex(-1);
        dlg->cmdOK()->click();
        QCOMPARE(rig.dialogs().texts().last(), QStringLiteral("チャンネルが選択されていません"));
        QCOMPARE(rig.panel.IconNum, qint16(3));

        // A caption the CP932 settings file cannot hold is refused and kept
        // in the field for mending.
        dlg->txtIconTextSet()->setPlainText("Café");
        dlg->cmdOK()->click();
        QVERIFY(rig.dialogs().texts().last().contains(u'é'));
        QCOMPARE(rig.panel.IconNum, qint16(3));
        QCOMPARE(dlg->txtIconTextSet()->toPlainText(), QStringLiteral("Café"));

        // A three-line caption keeps two lines, and a pasted tab, which the
        // file would take for a line break, is a blank; the dialog then
        // offers the next free slot.
        dlg->txtIconTextSet()->setPlainText("議長\t代理\n席\n予備");
        dlg->cmdOK()->click();
        QCOMPARE(rig.slot({0, 3}).IconText, QStringLiteral("議長 代理\r\n席"));
        QCOMPARE(dlg->cmbChSelect()->currentText(), QStringLiteral("ch 5"));
        // The output slot offers one colour.
        dlg->cmbChSelect()->setCurrentIndex(dlg->cmbChSelect()->count() - 1);
        QVERIFY(dlg->cmdColorOn()->isHidden());
        QCOMPARE(dlg->cmdColorDef()->text(), QStringLiteral("背景色"));
        // Creating up to the ninth button of the one mixer closes the dialog
        // and the new-button command.
        QPointer<FrmEditSetting> watch(dlg);
        for (int n = 4; n < 9; ++n) {
            QVERIFY(watch);
            dlg->cmdOK()->click();
            QApplication::processEvents();
        }
        QCOMPARE(rig.panel.IconNum, qint16(9));
        QVERIFY(!watch || !watch->isVisible());
        QVERIFY(!w->action(PanelCommand::New)->isEnabled());
        QVERIFY(rig.slot(MasterOut).IconEnable);

        // 反映 on a channel button: every channel button takes its colours,
        // the output button keeps its own.
        rig.dialogs().colors = {QColor(0, 0, 255), QColor(255, 0, 0)};
        mouse(w->designButton(Ch2), QEvent::MouseButtonDblClick, QPoint(30, 25), Qt::LeftButton);
        FrmEditSetting *edit = w->propertyDialog();
        QVERIFY(edit);
        edit->cmdColorDef()->click();
        edit->cmdColorOn()->click();
        edit->cmdSizeArrange()->click();
        for (int s = 0; s < 8; ++s) {
            QCOMPARE(rig.slot({0, s}).IconColorDef, 0xFF0000);
            QCOMPARE(rig.slot({0, s}).IconColorOn, 0x0000FF);
        }
        QCOMPARE(rig.slot(MasterOut).IconColorDef, rig.panel.defaults.outputOffColor);

        // Deleting frees the slot and the new-button command.
        mouse(w->designButton(Ch3), QEvent::MouseButtonDblClick, QPoint(30, 25), Qt::LeftButton);
        w->propertyDialog()->cmdUnload()->click();
        QCOMPARE(rig.panel.IconNum, qint16(8));
        QVERIFY(!rig.slot(Ch3).IconEnable);
        QVERIFY(!w->designButton(Ch3));
        QVERIFY(w->action(PanelCommand::New)->isEnabled());
    }

    void executionClicksSwitchChannelsInTheMixer()
    {
        PanelRig rig(2);
        const ButtonRef slave1Ch3{1, 2}, slave1Out{1, 8};
        // Channel 2 of the master is switched on remotely before the panel opens.
        rig.net.chain.setBlockByte(1, wire(ChannelFamily::RemoteOn, 2), 1);
        rig.net.chain.setBlockByte(1, wire(ChannelFamily::RemoteOff, 2), 0);
        QVERIFY(rig.net.connect());
        QVERIFY(rig.net.runLoop([&] { return rig.net.mixers.MixerCount == 2 && rig.net.loop.StartupPolls == 0; }, 10));
        rig.preset({{slave1Ch3, 400, 400, "ch 11"}, {slave1Out, 2400, 400, "出力"}, {Ch2, 400, 2000, "ch 2"}}, 2);
        FrmMdi *w = rig.open();
        // Opening switches every channel off remotely.
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 2, 0, 1); }, 10));

        w->action(PanelCommand::Execution)->trigger();
        QCOMPARE(w->windowTitle(), QStringLiteral("(無題) - ZK-VR340a [実行]"));
        QVERIFY(!w->designButton(slave1Ch3));
        FrmExeIcon *out = w->executionButton(slave1Out);
        FrmExeIcon *ch = w->executionButton(slave1Ch3);
        QVERIFY(out && ch);
        QCOMPARE(ch->stateText(), QStringLiteral("OFF"));

        // The output button sends nothing.
        click(out, QPoint(10, 10));
        QVERIFY(!rig.net.mixers.anyPending(2));
        QCOMPARE(out->stateText(), QString());

        click(ch, QPoint(10, 10));
        QVERIFY(rig.slot(slave1Ch3).IconOnOff);
        QCOMPARE(ch->stateText(), QStringLiteral("ON"));
        QCOMPARE(ch->faceColor(), colorFromValue(quint32(rig.slot(slave1Ch3).IconColorOn)));
        QVERIFY(!ch->raised());
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 2, 3, 1, 0); }, 10));

        // The second click: off, both flags set, raised, default colour; the
        // mixer follows.
        click(ch, QPoint(10, 10));
        QVERIFY(!rig.slot(slave1Ch3).IconOnOff);
        QCOMPARE(rig.net.mixers.MixerSetData[2].RemoteOn(3), quint8(0));
        QCOMPARE(rig.net.mixers.MixerSetData[2].RemoteOff(3), quint8(1));
        QVERIFY(bothFlagsSet(rig, 2, 3));
        QCOMPARE(ch->stateText(), QStringLiteral("OFF"));
        QVERIFY(ch->raised());
        QCOMPARE(ch->faceColor(), colorFromValue(quint32(rig.panel.defaults.channelOffColor)));
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 2, 3, 0, 1); }, 10));

        // A right click opens the channel dialog at the pointer; a second
        // one while it is open does nothing.
        click(ch, QPoint(15, 5), Qt::RightButton);
        click(out, QPoint(5, 5), Qt::RightButton);
        QCOMPARE(rig.channelDialogs.size(), size_t(1));
        QCOMPARE(rig.channelDialogs[0].mixer, 1);
        QCOMPARE(rig.channelDialogs[0].slot, 2);
        QCOMPARE(rig.channelDialogs[0].left, 400 + 15 * 20);
        rig.closeChannelDialog();
        click(out, QPoint(5, 5), Qt::RightButton);
        QCOMPARE(rig.channelDialogs.size(), size_t(2));
        QCOMPARE(rig.channelDialogs[1].slot, 8);

        // Back in design; closing the panel gives channel 2 back its value
        // and closes the dialog.
        w->action(PanelCommand::Stop)->trigger();
        QVERIFY(w->designButton(slave1Ch3));
        QVERIFY(!rig.closeChannelDialog);
        QVERIFY(w->action(PanelCommand::Execution)->isEnabled());
        bool back = false;
        QObject::connect(w, &FrmMdi::modeChangeClosed, w, [&] { back = true; });
        w->action(PanelCommand::Close)->trigger();
        QVERIFY(back);
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 2, 1, 0); }, 10));
        QVERIFY2(rig.dialogs().shown.empty(), qPrintable(rig.dialogs().texts().join(" / ")));
    }

    // The meeting console against the virtual mixer: with the delegates
    // limited to two first come, first served, the third delegate's press
    // switches the first one off, then the new one on, both verified in the
    // mixer and the speech in the record; 全員オフ leaves the chair on. A
    // refused press says why on its button; a running time shows on it.
    void meetingLimitsAndAllOffInTheMixer()
    {
        PanelRig rig(1);
        QVERIFY(rig.net.connect());
        QVERIFY(rig.net.runLoop([&] { return rig.net.mixers.MixerCount == 1 && rig.net.loop.StartupPolls == 0; }, 10));
        rig.preset({{Ch1, 400, 400, "議長"}, {Ch2, 2400, 400, "A"}, {Ch3, 4400, 400, "B"}, {Ch4, 6400, 400, "C"}}, 1);
        FrmMdi *w = rig.open();
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 4, 0, 1); }, 10));
        rig.panel.meeting.setChair(Ch1.mixer, Ch1.slot, true);
        w->meeting().setSettings({2, MicLimitMode::Fifo, 0, 30, SpeakingEnd::Mark});
        QVERIFY(w->meeting().startMeeting());
        w->action(PanelCommand::Execution)->trigger();
        for (ButtonRef b : {Ch1, Ch2, Ch3})
            click(w->executionButton(b), QPoint(10, 10));
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 1, 1, 0) && mixerHolds(rig, 1, 2, 1, 0)
                                             && mixerHolds(rig, 1, 3, 1, 0); }, 10));
        click(w->executionButton(Ch4), QPoint(10, 10));
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 2, 0, 1) && mixerHolds(rig, 1, 4, 1, 0)
                                             && w->meeting().record().entries().size() == 1; }, 10));
        QVERIFY(mixerHolds(rig, 1, 1, 1, 0) && mixerHolds(rig, 1, 3, 1, 0));
        QCOMPARE(w->meeting().record().entries()[0].seat, Ch2);
        QVERIFY(w->meeting().seconds(Ch1) > 0);
        w->meetingControl()->tick();
        QVERIFY(w->executionButton(Ch1)->shownLabel().startsWith(QStringLiteral("ON 0:0")));

        w->meetingControl()->action(MeetingControl::Action::AllOff)->trigger();
        // Off at once on the button; the time ends with the verification.
        w->meetingControl()->tick();
        QCOMPARE(w->executionButton(Ch3)->shownLabel(), QStringLiteral("OFF"));
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 3, 0, 1) && mixerHolds(rig, 1, 4, 0, 1); }, 10));
        QVERIFY(mixerHolds(rig, 1, 1, 1, 0));
        QCOMPARE(w->meeting().record().entries().size(), size_t(3));

        // By keyboard: the seat with the focus asks to speak, and the next
        // speaker comes from the list.
        w->executionButton(Ch3)->setFocus();
        w->meetingControl()->action(MeetingControl::Action::Request)->trigger();
        QCOMPARE(w->meetingControl()->requestList()->count(), 1);
        QVERIFY(w->meetingControl()->requestList()->item(0)->text().startsWith(QStringLiteral("1. B  0:0")));
        w->meetingControl()->action(MeetingControl::Action::Next)->trigger();
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 3, 1, 0); }, 10));
        QCOMPARE(w->meetingControl()->requestList()->count(), 0);
        w->meetingControl()->action(MeetingControl::Action::AllOff)->trigger();

        w->meeting().setSettings({1, MicLimitMode::Refuse, 0, 30, SpeakingEnd::Mark});
        click(w->executionButton(Ch2), QPoint(10, 10));
        click(w->executionButton(Ch3), QPoint(10, 10));
        QCOMPARE(w->executionButton(Ch3)->shownLabel(), QStringLiteral("上限"));
        QVERIFY(w->executionButton(Ch3)->description().contains(QStringLiteral("マイク数の上限です")));
        QVERIFY(!rig.slot(Ch3).IconOnOff);
        QVERIFY2(rig.dialogs().shown.empty(), qPrintable(rig.dialogs().texts().join(" / ")));
    }

    // The record a killed program left is there at the next start; the
    // 発言記録 window lists it with each seat's total, saves it as CSV that a
    // spreadsheet takes as text, and prints it on as many pages as it needs.
    void speakingRecordWindowSavesAndPrints()
    {
        QFile left(SpeakingRecord::defaultPath());
        QDir().mkpath(QFileInfo(left).absolutePath());
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write("meeting\t2026-12-09T09:00:00.000\n");
        for (int i = 0; i < 80; ++i)
            left.write(QStringLiteral("speech\t2026-12-09T09:%1:00.000\t2026-12-09T09:%1:30.000\t0\t%2\t30.000\t%3\n")
                           .arg(i % 60, 2, 10, QLatin1Char('0')).arg(i % 2).arg(i % 2 ? "=委員" : "議長").toUtf8());
        left.close();
        PanelRig rig(1);
        FrmMdi *w = rig.open();
        w->meetingControl()->action(MeetingControl::Action::Record)->trigger();
        FrmSpeakingRecord *record = w->meetingControl()->recordWindow();
        QVERIFY(record && record->isVisible());
        QCOMPARE(record->entriesTable()->rowCount(), 80);
        QCOMPARE(record->totalsTable()->rowCount(), 2);
        QCOMPARE(record->totalsTable()->item(1, 2)->text(), QStringLiteral("20:00"));

        QTemporaryDir dir;
        rig.dialogs().fileNames.push_back(dir.filePath("record.csv"));
        QVERIFY(record->saveCsv());
        QFile csv(dir.filePath("record.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(csv.readAll());
        QVERIFY(text.contains(QStringLiteral(",'=委員,2,30\r\n")));
        QVERIFY(text.contains(QStringLiteral("'=委員,2,1200,40\r\n")));

        const QString pdf = dir.filePath("record.pdf");
        rig.dialogs().printAnswers.push_back([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return PrintAnswer::Print;
        });
        QCOMPARE(record->print(), PrintStatus::Printed);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        const qsizetype pages = QString::fromLatin1(printed.readAll())
                                    .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    }

    void executionDisablesDesignCommands()
    {
        PanelRig rig(1);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::Execution)->trigger();
        for (PanelCommand off : {PanelCommand::New, PanelCommand::Load, PanelCommand::Save,
                                 PanelCommand::Close, PanelCommand::Grid, PanelCommand::Circle,
                                 PanelCommand::Init, PanelCommand::Execution})
            QVERIFY2(!w->action(off)->isEnabled(), panelCommand(off).menuName);
        for (PanelCommand on : {PanelCommand::Image, PanelCommand::Color, PanelCommand::Table,
                                PanelCommand::Quit, PanelCommand::Stop})
            QVERIFY2(w->action(on)->isEnabled(), panelCommand(on).menuName);
    }

    void linkCountFallWarnsOnceAndDropsThatMixersButtons()
    {
        PanelRig rig(3);
        const ButtonRef slave2{2, 0};
        rig.preset({{Ch1, 0, 0, "m"}, {{1, 0}, 1600, 0, "s1"}, {slave2, 3200, 0, "s2"}}, 3);
        TickingDialogs dialogs;
        dialogs.answers.answers = {MsgAnswer::Cancel};
        FrmMdi *w = rig.open(72, &dialogs);
        QVERIFY(w->designButton(slave2));
        w->action(PanelCommand::New)->trigger();
        QVERIFY(w->propertyDialog());

        rig.net.mixers.MixerCount = 2;
        dialogs.whileAsking = [w] { w->watchLinkCount(); };
        w->watchLinkCount();
        w->watchLinkCount();
        QCOMPARE(dialogs.answers.texts(),
                 QStringList{QStringLiteral("リンク台数が減少しました\r\n現在の設定を保存しますか？")});
        QCOMPARE(dialogs.answers.shown[0].icon, MsgIcon::Warning);
        QCOMPARE(rig.net.mixers.FileMixerCount, qint16(2));
        QVERIFY(!rig.slot(slave2).IconEnable);
        QVERIFY(!w->designButton(slave2));
        QVERIFY(w->designButton({1, 0}));
        QCOMPARE(rig.panel.IconNum, qint16(2));
        QVERIFY(!w->propertyDialog());
        QVERIFY(w->action(PanelCommand::New)->isEnabled());   // 2 < 18
    }

    // Mixers out of reach (the connection down, or none answering) are no
    // change of the room: nothing is asked, every button stays, greyed and
    // pressed by nothing, and comes back live; a count really lower once
    // they answer is asked about as before.
    void anOutageKeepsTheButtonsGreyed()
    {
        PanelRig rig(2);
        const ButtonRef slave1{1, 0};
        rig.preset({{Ch1, 0, 0, "m"}, {slave1, 1600, 0, "s1"}}, 2);
        FrmMdi *w = rig.open();
        w->watchLinkCount();
        w->action(PanelCommand::Execution)->trigger();
        auto reachable = [&] { return w->executionButton(Ch1)->isEnabled() && w->executionButton(slave1)->isEnabled(); };
        QVERIFY(reachable());

        rig.net.link.health = LinkHealth::Reconnecting;
        w->watchLinkCount();
        QVERIFY(w->executionButton(slave1) && !w->executionButton(slave1)->isEnabled());
        QVERIFY(!w->pressExecutionButton(Ch1));
        QVERIFY(!rig.slot(Ch1).IconOnOff);
        rig.net.link.health = LinkHealth::Up;
        rig.net.mixers.MixerCount = 0;
        w->watchLinkCount();
        QVERIFY(rig.dialogs().shown.empty());
        QCOMPARE(rig.net.mixers.FileMixerCount, qint16(2));
        QVERIFY(rig.slot(slave1).IconEnable && w->executionButton(slave1));
        QVERIFY(!reachable());

        rig.net.mixers.MixerCount = 2;
        w->watchLinkCount();
        QVERIFY(reachable());
        QVERIFY(w->pressExecutionButton(Ch1));
        rig.dialogs().answers = {MsgAnswer::Cancel};
        rig.net.mixers.MixerCount = 1;
        w->watchLinkCount();
        QCOMPARE(rig.dialogs().shown.size(), size_t(1));
        QVERIFY(!w->executionButton(slave1));
    }

    // The connection drops and the mixer comes back holding another switch
    // (restarted with other settings): the panel writes its own again, and
    // the button's mark waits meanwhile and is verified once the mixer
    // holds it.
    void aReconnectWritesThePanelsSwitchesAgain()
    {
        PanelRig rig(1);
        QVERIFY(rig.net.connect());
        rig.net.comm->setReconnect(true);
        // The window's link line follows the link, as in the program.
        LinkWatch watch(rig.dialogs(), rig.timeOfDay, {});
        rig.net.comm->onLinkStatus = [&](const MdlComm::LinkStatus &status) { watch.changed(status); };
        rig.linkLine = &watch.line();
        QVERIFY(rig.net.runLoop([&] { return rig.net.loop.StartupPolls == 0 && rig.net.sync->mixersCurrent(); }, 10));
        rig.preset({{Ch3, 0, 0, "ch 3"}}, 1);
        FrmMdi *w = rig.open();
        w->action(PanelCommand::Execution)->trigger();
        FrmExeIcon *ch3 = w->executionButton(Ch3);
        click(ch3, QPoint(5, 5));
        auto verifiedOn = [&] {
            return mixerHolds(rig, 1, 3, 1, 0) && ch3->mark().state == ValueState::Verified;
        };
        QVERIFY(rig.net.runLoop(verifiedOn, 10));

        rig.net.front.cutConnections();
        rig.net.chain.setBlockByte(1, wire(ChannelFamily::RemoteOn, 3), 0);
        rig.net.chain.setBlockByte(1, wire(ChannelFamily::RemoteOff, 3), 1);
        QVERIFY(rig.net.runLoop([&] { return rig.net.link.down(); }, 5));
        QCOMPARE(ch3->mark().state, ValueState::Waiting);
        QVERIFY(!ch3->isEnabled());
        QVERIFY(rig.net.runLoop(verifiedOn, 15));
        QVERIFY(ch3->isEnabled());
        QCOMPARE(ch3->stateText(), QStringLiteral("ON"));
        QVERIFY2(rig.dialogs().shown.empty(), qPrintable(rig.dialogs().texts().join(" / ")));
    }

    // OK to the question saves every mixer the panel held, the ones gone from
    // the link with their buttons and last reported settings.
    void linkCountFallSaveKeepsTheMixersThatWent()
    {
        PanelRig rig(3);
        const ButtonRef slave2{2, 0};
        rig.preset({{Ch1, 0, 0, "m"}, {{1, 0}, 1600, 0, "s1"}, {slave2, 3200, 0, "s2"}}, 3);
        rig.net.mixers.MixerData[3].InputGain(4) = 33;
        FrmMdi *w = rig.open();
        QTemporaryDir dir;
        const QString path = dir.filePath("fell.ini");
        rig.dialogs().fileNames = {path};
        rig.dialogs().answers = {MsgAnswer::Ok};
        rig.net.mixers.MixerCount = 2;
        w->watchLinkCount();
        QCOMPARE(fileValue(path, "GUI_Slave2", "IconText_1"), QStringLiteral("s2"));
        QCOMPARE(fileValue(path, "Mixer_Slave2", "InputGain_4"), QStringLiteral("33"));
        QCOMPARE(fileValue(path, "SystemData", "MixerCount"), QStringLiteral("3"));
        QVERIFY(!rig.slot(slave2).IconEnable);   // the panel then lets the mixer go
    }

    // The quit question's save from the execution state stores the button's
    // on state, and the channel values from before the panel.
    void savedInExecutionKeepsPrePanelChannelValues()
    {
        PanelRig rig(1);
        rig.net.chain.setBlockByte(1, wire(ChannelFamily::RemoteOn, 3), 0);
        rig.net.chain.setBlockByte(1, wire(ChannelFamily::RemoteOff, 3), 0);
        QVERIFY(rig.net.connect());
        QVERIFY(rig.net.runLoop([&] { return rig.net.loop.StartupPolls == 0; }, 10));
        rig.preset({{Ch3, 0, 0, "ch 3"}}, 1);
        FrmMdi *w = rig.open();
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 3, 0, 1); }, 10));
        w->action(PanelCommand::Execution)->trigger();
        click(w->executionButton(Ch3), QPoint(5, 5));
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 3, 1, 0); }, 10));

        QTemporaryDir dir;
        const QString path = dir.filePath("hall.ini");
        rig.dialogs().fileNames = {path};
        rig.dialogs().answers = {MsgAnswer::Yes, MsgAnswer::Ok};   // save, then quit
        bool quitting = false;
        QObject::connect(w, &FrmMdi::quitRequested, w, [&] { quitting = true; });
        w->action(PanelCommand::Quit)->trigger();
        QVERIFY(quitting);
        QTRY_VERIFY(!rig.window);
        QCOMPARE(fileValue(path, "GUI_Master", "IconOnOff_3"), QStringLiteral("True"));
        QCOMPARE(fileValue(path, "Mixer_Master", "Override_3"), QStringLiteral("0"));
        QCOMPARE(fileValue(path, "Mixer_Master", "Mute_3"), QStringLiteral("0"));
        // Closing gives the channel back its own values, although the save
        // took the wanted values from reports that still showed it off.
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 3, 0, 0); }, 10));
    }

    // Buttons laid out in one visit are there in the next, also offline where
    // the first button on a further mixer takes that mixer into the panel.
    void buttonsSurviveLeavingAndReopeningThePanel()
    {
        PanelRig rig(0, LinkKind::Offline);
        FrmMdi *w = rig.open();
        QCOMPARE(rig.panel.IconNum, qint16(0));
        w->action(PanelCommand::New)->trigger();
        FrmEditSetting *dlg = w->propertyDialog();
        QCOMPARE(dlg->cmbHardSelect()->count(), 16);
        dlg->cmbHardSelect()->setCurrentIndex(4);
        emit dlg->cmbHardSelect()->activated(4);
        dlg->cmbChSelect()->setCurrentIndex(1);
        dlg->txtIconTextSet()->setPlainText("演台");
        dlg->cmdOK()->click();
        QVERIFY(rig.slot({4, 1}).IconEnable);
        QCOMPARE(rig.net.mixers.MixerCount, qint16(5));
        dlg->close();
        w->action(PanelCommand::Close)->trigger();
        QTRY_VERIFY(!rig.window);

        FrmMdi *again = rig.open();
        QVERIFY(rig.slot({4, 1}).IconEnable);
        QCOMPARE(rig.slot({4, 1}).IconText, QStringLiteral("演台"));
        QVERIFY(again->designButton({4, 1}));
    }

    // Offline the mixers a loaded file holds stay in it, buttons or not.
    void offlineFileMixersStayWithoutButtons()
    {
        PanelRig rig(0, LinkKind::Offline);
        rig.preset({{Ch1, 0, 0, "A"}}, 3);
        rig.net.mixers.MixerCount = 3;     // as loading the file offline leaves it
        FrmMdi *w = rig.open();
        w->action(PanelCommand::Close)->trigger();
        QTRY_VERIFY(!rig.window);
        QCOMPARE(rig.net.mixers.MixerCount, qint16(3));
        QTemporaryDir dir;
        const QString path = dir.filePath("three.ini");
        rig.dialogs().fileNames = {path};
        QVERIFY(rig.settings->saveAsMenu(ChangeMode::Ask));
        QCOMPARE(fileValue(path, "Mixer_Slave2", "Active"), QStringLiteral("False"));
        QCOMPARE(fileValue(path, "SystemData", "MixerCount"), QStringLiteral("3"));
    }

    // Only what the user changes is a change: the button table opened and
    // closed, however the window system fits and places it, is none. While a
    // file dialog is up the table steps aside.
    void buttonTableAloneChangesNothing()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 0, 0, "A"}}, 1);
        TickingDialogs dialogs;
        rig.settings = std::make_unique<SettingsCommands>(rig.files, rig.mixerSettings, rig.panel, rig.net.loop,
                                                          rig.net.link, dialogs);
        FrmMdi *w = rig.open(72, &dialogs);
        QTemporaryDir dir;
        dialogs.answers.fileNames = {dir.filePath("desk.ini"), dir.filePath("desk2.ini")};
        w->action(PanelCommand::NewSave)->trigger();
        w->action(PanelCommand::Table)->trigger();
        QPointer<FrmIconTable> table = w->buttonTable();
        QVERIFY(table && table->isVisible());
        QApplication::processEvents();
        table->close();
        QTRY_VERIFY(!table);
        dialogs.answers.answers = {MsgAnswer::Cancel};
        w->action(PanelCommand::Quit)->trigger();
        QCOMPARE(dialogs.answers.texts(), QStringList{str(1311)});

        w->action(PanelCommand::Table)->trigger();
        table = w->buttonTable();
        bool shownDuringDialog = true;
        dialogs.whileChoosingFile = [&] { shownDuringDialog = table && table->isVisible(); };
        w->action(PanelCommand::NewSave)->trigger();
        QVERIFY(!shownDuringDialog);
        QVERIFY(table && table->isVisible());
    }

    // On an untitled panel every stored key counts: the grid colour, the
    // image file, the table's columns and a first caption each ask before
    // quitting.
    void everyStoredKeyCountsAsAChange()
    {
        PanelRig rig(1);
        rig.preset({{Ch1, 0, 0, ""}}, 1);
        FrmMdi *w = rig.open();
        const QString changed = str(2703) + QStringLiteral("\r\n") + str(2732);
        auto quitAsks = [&] {
            rig.dialogs().shown.clear();
            rig.dialogs().answers = {MsgAnswer::No, MsgAnswer::Cancel};
            w->action(PanelCommand::Quit)->trigger();
            return rig.dialogs().texts().contains(changed);
        };
        QVERIFY(!quitAsks());
        const PanelState before = rig.panel;
        rig.panel.GridColor = 0x123456;
        QVERIFY(quitAsks());
        rig.panel.GridColor = before.GridColor;
        rig.panel.image.ImageFileName = QStringLiteral("/pictures/hall.jpg");
        QVERIFY(quitAsks());
        rig.panel.image = before.image;
        rig.panel.table.cellWidths[1] = 2400;
        QVERIFY(quitAsks());
        rig.panel.table = before.table;
        rig.slot(Ch1).IconText = QStringLiteral("議長");   // a caption where there was none
        QVERIFY(quitAsks());
        rig.slot(Ch1).IconText.clear();
        QVERIFY(!quitAsks());
    }

    void clearAndLoadFromThePanel()
    {
        PanelRig rig(0, LinkKind::Offline);
        rig.preset({{Ch1, 0, 0, "A"}, {{2, 8}, 1600, 0, "B"}}, 3);
        FrmMdi *w = rig.open();
        QTemporaryDir dir;
        const QString path = dir.filePath("room.ini");
        rig.dialogs().fileNames = {path};
        w->action(PanelCommand::NewSave)->trigger();
        QCOMPARE(fileValue(path, "GUI_Slave2", "IconText_9"), QStringLiteral("B"));

        // Nothing changed since the save: cleared without a question.
        w->action(PanelCommand::Init)->trigger();
        QVERIFY(rig.dialogs().shown.empty());
        QCOMPARE(rig.panel.IconNum, qint16(0));
        QVERIFY(!w->designButton(Ch1));
        QCOMPARE(w->windowTitle(), QStringLiteral("(無題) - ZK-VR340a [デザイン]"));

        rig.dialogs().fileNames = {path};
        w->action(PanelCommand::Load)->trigger();
        QVERIFY(w->designButton(Ch1) && w->designButton({2, 8}));
        QCOMPARE(rig.panel.IconNum, qint16(2));
        QCOMPARE(rig.net.mixers.MixerCount, qint16(3));
        QCOMPARE(w->windowTitle(), path + QStringLiteral(" - ZK-VR340a [デザイン]"));
    }

    // The English panel: captions of the window, its states and the button
    // property dialog, which keeps every caption whole.
    void panelInEnglish()
    {
        EnglishTexts english;
        QVERIFY(english.loaded);
        PanelRig rig(2);
        rig.preset({{Ch1, 600, 600, "Chair"},
                    {Ch2, 2400, 600, "Vice chair"},
                    {Ch3, 4200, 600, "Secretary\r\n(minutes)"},
                    {{0, 3}, 6000, 600, "Member 1"},
                    {{1, 0}, 600, 2400, "Member 2"},
                    {{1, 1}, 2400, 2400, "Member 3"},
                    {MasterOut, 8400, 600, "Master", 1500, 1500},
                    {{1, 8}, 8400, 2400, "Slave 1", 1500, 1500}},
                   2);
        FrmMdi *w = rig.open(96);
        w->resize(800, 420);
        QCOMPARE(w->windowTitle(), QStringLiteral("(Untitled) - ZK-VR340a [Design]"));
        click(w->designButton(Ch2), QPoint(30, 25));
        saveScreenshot(*w, "frmMDI_design_en");

        w->action(PanelCommand::New)->trigger();
        FrmEditSetting *dlg = w->propertyDialog();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("New button"));
        QVERIFY2(clippedCaptions(*dlg).isEmpty(), qPrintable(clippedCaptions(*dlg).join(u'\n')));
        saveScreenshot(*dlg, "frmEditSetting_en");
        dlg->close();

        w->action(PanelCommand::Execution)->trigger();
        QCOMPARE(w->windowTitle(), QStringLiteral("(Untitled) - ZK-VR340a [Running]"));
        click(w->executionButton(Ch1), QPoint(10, 10));
        saveScreenshot(*w, "frmMDI_execution_en");
    }
};

// The pictures of these windows in docs/screenshots, taken by
// scripts/screenshots.sh; no test.
class TstPanelWindowPictures : public QObject
{
    Q_OBJECT

private slots:
    void screenshots()
    {
        PanelRig rig(2);
        rig.preset({{Ch1, 600, 600, "議長"},
                    {Ch2, 2400, 600, "副議長"},
                    {Ch3, 4200, 600, "書記\r\n(記録)"},
                    {{0, 3}, 6000, 600, "委員 1"},
                    {{1, 0}, 600, 2400, "委員 2"},
                    {{1, 1}, 2400, 2400, "委員 3"},
                    {MasterOut, 8400, 600, "マスター", 1500, 1500},
                    {{1, 8}, 8400, 2400, "スレーブ1", 1500, 1500}},
                   2);
        FrmMdi *w = rig.open(96);
        w->resize(800, 420);
        click(w->designButton(Ch2), QPoint(30, 25));
        click(w->designButton(Ch3), QPoint(30, 25), Qt::LeftButton, Qt::ControlModifier);
        saveScreenshot(*w, "frmMDI_design");

        w->action(PanelCommand::New)->trigger();
        FrmEditSetting *dlg = w->propertyDialog();
        dlg->txtIconTextSet()->setPlainText("委員 4");
        saveScreenshot(*dlg, "frmEditSetting");
        dlg->close();

        w->action(PanelCommand::Execution)->trigger();
        click(w->executionButton(Ch1), QPoint(10, 10));
        click(w->executionButton({1, 0}), QPoint(10, 10));
        saveScreenshot(*w, "frmMDI_execution");
    }

    void meetingScreenshots()
    {
        PanelRig rig(1);
        QVERIFY(rig.net.connect());
        QVERIFY(rig.net.runLoop([&] { return rig.net.mixers.MixerCount == 1 && rig.net.loop.StartupPolls == 0; }, 10));
        rig.preset({{Ch1, 600, 600, "議長"}, {Ch2, 2400, 600, "委員 1"}, {Ch3, 4200, 600, "委員 2"},
                    {Ch4, 6000, 600, "委員 3"}, {{0, 4}, 600, 2200, "委員 4"}, {{0, 5}, 2400, 2200, "委員 5"}},
                   1);
        FrmMdi *w = rig.open(96);
        w->resize(820, 420);
        rig.panel.meeting.setChair(0, 0, true);
        w->action(PanelCommand::Execution)->trigger();
        for (ButtonRef b : {Ch1, Ch2, Ch3, Ch4})
            click(w->executionButton(b), QPoint(10, 10));
        QVERIFY(rig.net.runLoop([&] { return mixerHolds(rig, 1, 4, 1, 0); }, 10));
        w->meeting().request({0, 4});
        w->meeting().request({0, 5});
        w->meetingControl()->tick();
        // The warning and the end as the once-a-second work shows them.
        w->executionButton(Ch3)->showSeat({false, QStringLiteral("4:35"), {SpeakingPhase::Warning, 25}});
        w->executionButton(Ch4)->showSeat({false, QStringLiteral("5:02"), {SpeakingPhase::Ended, 0}});
        w->meeting().setSettings({3, MicLimitMode::Refuse, 300, 30, SpeakingEnd::Mark});
        click(w->executionButton({0, 5}), QPoint(10, 10));
        saveScreenshot(*w, "frmMDI_meeting");

        FrmMeetingSetting settings(w->meeting().settings());
        saveScreenshot(settings, "frmMeetingSetting");
        click(w->executionButton(Ch2), QPoint(10, 10));
        QVERIFY(rig.net.runLoop([&] { return w->meeting().record().entries().size() == 1; }, 10));
        FrmSpeakingRecord record(w->meeting(), rig.dialogs());
        saveScreenshot(record, "frmSpeakingRecord");
    }
};

ZK_TEST_MAIN(TstPanelWindow)
ZK_PICTURES(TstPanelWindowPictures)
#include "tst_panelwindow.moc"
