#include "editor/valueentry.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// Like a real message box, takes the focus from the box that asked.
class FocusStealingDialogs final : public Dialogs
{
public:
    explicit FocusStealingDialogs(QWidget *thief) : m_thief(thief) {}
    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon,
                      const QString &title) override
    {
        m_thief->setFocus(Qt::OtherFocusReason);
        return record.message(text, buttons, icon, title);
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QColor> color(const QColor &) override { return std::nullopt; }
    std::optional<QFont> font(const QFont &) override { return std::nullopt; }

    ScriptedDialogs record;

private:
    QWidget *m_thief;
};

// A window with the entry under test and a second box to move the focus to.
struct Window
{
    explicit Window(Dialogs &dialogs, Scale scale)
        : entry(new ValueEntry(dialogs, scale)), other(new QLineEdit)
    {
        auto *layout = new QVBoxLayout(&widget);
        layout->addWidget(entry);
        layout->addWidget(other);
        widget.show();
        widget.activateWindow();
    }
    QWidget widget;
    ValueEntry *entry;
    QLineEdit *other;
};

void typeKeys(ValueEntry *entry, const QString &text)
{
    entry->setFocus();
    entry->selectAll();
    if (text.isEmpty())
        QTest::keyClick(entry, Qt::Key_Backspace);
    else
        QTest::keyClicks(entry, text);
}

QRect subControl(ValueEntry *entry, QStyle::SubControl which)
{
    QStyleOptionSpinBox opt;
    opt.initFrom(entry);
    opt.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame
                      | QStyle::SC_SpinBoxEditField;
    opt.buttonSymbols = entry->buttonSymbols();
    opt.frame = entry->hasFrame();
    return entry->style()->subControlRect(QStyle::CC_SpinBox, &opt, which, entry);
}

QPoint arrowCentre(ValueEntry *entry, QStyle::SubControl which)
{
    return subControl(entry, which).center();
}

} // namespace

class TestValueEntry : public QObject
{
    Q_OBJECT

private slots:
    void enterCommitsAndShowsTheCode()
    {
        ScriptedDialogs dialogs;
        Window w(dialogs, Scale::Level);
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.entry->setCode(40);
        QSignalSpy changed(w.entry, &ValueEntry::codeChanged);
        typeKeys(w.entry, "-20.5");
        QCOMPARE(changed.count(), 0); // typing alone changes nothing
        QTest::keyClick(w.entry, Qt::Key_Return);
        QCOMPARE(w.entry->code(), 20);
        QCOMPARE(w.entry->text(), QStringLiteral("-20.7"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 20);
        QVERIFY(dialogs.shown.empty());

        // An emptied level box becomes MUTE, code 0.
        typeKeys(w.entry, "");
        QTest::keyClick(w.entry, Qt::Key_Enter);
        QCOMPARE(w.entry->code(), 0);
        QCOMPARE(w.entry->text(), QStringLiteral("MUTE"));
    }

    void unchangedCodeIsStillShownAgain()
    {
        ScriptedDialogs dialogs;
        Window w(dialogs, Scale::HalfSeconds);
        w.entry->setRange(0, 5);
        w.entry->setCode(1);
        QSignalSpy changed(w.entry, &ValueEntry::codeChanged);
        typeKeys(w.entry, "1.2");
        QTest::keyClick(w.entry, Qt::Key_Return);
        QCOMPARE(w.entry->code(), 1);
        QCOMPARE(w.entry->text(), QStringLiteral("1.0"));
        QCOMPARE(changed.count(), 0);
    }

    void leavingTheBoxCommits()
    {
        ScriptedDialogs dialogs;
        Window w(dialogs, Scale::Level);
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        typeKeys(w.entry, "0");
        QVERIFY(w.entry->hasFocus());
        w.other->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.entry->code(), 64);
        QCOMPARE(w.entry->text(), QStringLiteral("0.0"));
    }

    void invalidTextIsReportedAndTheOldValueReturns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "abc";
        QTest::newRow("plus sign") << "+5";
        QTest::newRow("above Max") << "99";
    }
    void invalidTextIsReportedAndTheOldValueReturns()
    {
        QFETCH(QString, text);
        ScriptedDialogs dialogs;
        Window w(dialogs, Scale::Tenths);
        w.entry->setRange(-200, 60);
        w.entry->setCode(-35);
        QSignalSpy changed(w.entry, &ValueEntry::codeChanged);
        typeKeys(w.entry, text);
        QTest::keyClick(w.entry, Qt::Key_Return);
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("無効なデータです"));
        QCOMPARE(dialogs.shown[0].icon, MsgIcon::Error);
        QCOMPARE(dialogs.shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(dialogs.shown[0].title, str(StrId::AppTitle));
        QCOMPARE(w.entry->code(), -35);
        QCOMPARE(w.entry->text(), QStringLiteral("-3.5"));
        QCOMPARE(changed.count(), 0);
    }

    // The message box takes the focus; that focus loss must not judge the
    // text again and show a second box.
    void oneReportEvenWhenTheBoxTakesTheFocus()
    {
        QWidget holder;
        auto *thief = new QLineEdit(&holder);
        FocusStealingDialogs dialogs(thief);
        auto *entry = new ValueEntry(dialogs, Scale::Count, &holder);
        entry->move(0, 40);
        entry->setRange(0, 10);
        entry->setCode(3);
        holder.show();
        holder.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&holder));
        typeKeys(entry, "x");
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(dialogs.record.shown.size(), std::size_t(1));
        QVERIFY(thief->hasFocus());
        QCOMPARE(entry->text(), QStringLiteral("3"));
    }

    void enterDoesNotPressTheDefaultButton()
    {
        ScriptedDialogs dialogs;
        QDialog dlg;
        auto *entry = new ValueEntry(dialogs, Scale::Count);
        entry->setRange(0, 100);
        auto *ok = new QPushButton("OK");
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dlg, &QDialog::accept);
        auto *layout = new QVBoxLayout(&dlg);
        layout->addWidget(entry);
        layout->addWidget(ok);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        typeKeys(entry, "42");
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(entry->code(), 42);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void arrowsMoveWithinMinAndMax()
    {
        ScriptedDialogs dialogs;
        Window w(dialogs, Scale::Count);
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.entry->setRange(0, 3);
        w.entry->setCode(2);
        QSignalSpy changed(w.entry, &ValueEntry::codeChanged);

        const QPoint up = arrowCentre(w.entry, QStyle::SC_SpinBoxUp);
        QTest::mouseClick(w.entry, Qt::LeftButton, {}, up);
        QCOMPARE(w.entry->code(), 3);
        QCOMPARE(w.entry->text(), QStringLiteral("3"));
        QTest::mouseClick(w.entry, Qt::LeftButton, {}, up);
        QCOMPARE(w.entry->code(), 3);
        QCOMPARE(changed.count(), 1);

        // Arrows step from the stored code; uncommitted typing is replaced.
        typeKeys(w.entry, "1");
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(w.entry, Qt::Key_Down);
        QCOMPARE(w.entry->code(), 0);
        QCOMPARE(w.entry->text(), QStringLiteral("0"));
        QCOMPARE(changed.count(), 4); // 3 -> 2 -> 1 -> 0, then nothing
        QTest::mouseClick(w.entry, Qt::LeftButton, {}, arrowCentre(w.entry, QStyle::SC_SpinBoxDown));
        QCOMPARE(w.entry->code(), 0);
        QVERIFY(dialogs.shown.empty());
    }

    // The wheel steps a box only while it has the focus, and never gives it
    // the focus: scrolling a page with the mouse over a box leaves its value.
    void wheelStepsOnlyTheBoxWithTheFocus()
    {
        ScriptedDialogs dialogs;
        Window w(dialogs, Scale::Level);
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.entry->setCode(20);
        w.other->setFocus();
        QSignalSpy changed(w.entry, &ValueEntry::codeChanged);
        auto wheel = [&](int notches) {
            const QPointF at(w.entry->rect().center());
            QWheelEvent e(at, w.entry->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w.entry, &e);
            return e.isAccepted();
        };
        for (int i = 0; i < 3; ++i)
            QVERIFY(!wheel(-1)); // passed on to whatever scrolls
        QCOMPARE(w.entry->code(), 20);
        QCOMPARE(changed.count(), 0);
        QVERIFY((w.entry->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);

        w.entry->setFocus(Qt::MouseFocusReason);
        QVERIFY(wheel(-3));
        QCOMPARE(w.entry->code(), 17);
        QCOMPARE(changed.count(), 1);
    }

    void programChangesAreAnnouncedOnce()
    {
        ScriptedDialogs dialogs;
        ValueEntry entry(dialogs, Scale::Level);
        QSignalSpy changed(&entry, &ValueEntry::codeChanged);
        entry.setCode(70); // pulled into 0..64
        QCOMPARE(entry.code(), 64);
        entry.setCode(64);
        QCOMPARE(changed.count(), 1);
        entry.setRange(0, 10); // the code follows the new Max
        QCOMPARE(entry.code(), 10);
        QCOMPARE(entry.text(), displayCode(Scale::Level, 10));
        QCOMPARE(changed.count(), 2);
        entry.setRange(5, 2); // Max below Min is raised to it
        QCOMPARE(entry.maximum(), 5);
        QCOMPARE(entry.code(), 5);
        entry.reannounce();
        QCOMPARE(changed.count(), 4);
        QCOMPARE(changed.last().at(0).toInt(), 5);
    }

    void looksLikeATextBoxWithASpinControl()
    {
        ScriptedDialogs dialogs;
        QWidget form;
        auto *layout = new QFormLayout(&form);
        auto add = [&](const QString &label, Scale scale, int min, int max, int code) {
            auto *e = new ValueEntry(dialogs, scale);
            e->setRange(min, max);
            e->setCode(code);
            layout->addRow(label, e);
            return e;
        };
        add(QStringLiteral("チャンネル レベル(dB)"), Scale::Level, 0, 64, 0);
        add(QStringLiteral("マスターレベル"), Scale::Level, 0, 64, 20);
        add(QStringLiteral("レベルメーター表示レベル"), Scale::Tenths, -200, 60, -200);
        add(QStringLiteral("オートスレッショルド倍率"), Scale::Hundredths, 1, 1000, 29);
        add(QStringLiteral("ホールド時間 (秒)"), Scale::HalfSeconds, 0, 5, 1);
        add(QStringLiteral("スレッショルド最大値"), Scale::Count, 0, 32767, 16383);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage shot = form.grab().toImage();
        QVERIFY(!shot.isNull());
        shot.save(QStringLiteral("/tmp/valueentry.png"));
        for (int i = 0; i < layout->rowCount(); ++i) {
            auto *e = qobject_cast<ValueEntry *>(layout->itemAt(i, QFormLayout::FieldRole)->widget());
            const QFontMetrics fm(e->font());
            // The whole value fits beside the arrows.
            QVERIFY(subControl(e, QStyle::SC_SpinBoxEditField).width() >= fm.horizontalAdvance(e->text()));
        }
    }
};

ZK_TEST_MAIN(TestValueEntry)
#include "tst_valueentry.moc"
