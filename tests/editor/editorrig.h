#pragma once

// An editor window's surroundings on virtual time: the virtual mixer chain
// behind the link, the status poll and the verified write, and the editor
// state the window shares. cycle() is one turn of the job loop as the window
// sees it: a poll, the write when values wait, a timer tick.

#include "app/jobqueue.h"
#include "editor/ui/frmmixer.h"
#include "editor/ui/settingsdialog.h"
#include "editor/valueentry.h"
#include "mixer/mixersync.h"
#include "tests/support/simlinkrig.h"

#include <QLineEdit>
#include <QList>
#include <QTest>

#include <memory>

struct EditorRig : SimLinkRig
{
    explicit EditorRig(int mixerCount = 1, int model = 1) : EditorRig(options(mixerCount, model)) {}
    explicit EditorRig(const SimOptions &simOptions)
        : SimLinkRig(simOptions), sync(std::make_unique<MixerSync>(*comm, loop, mixers))
    {
        // Three polls bring thresholds and data of every mixer.
        for (int i = 0; i < 4; ++i)
            sync->poll();
        jobs.setDrain([this] { comm->CommDrain(); });
    }

    static SimOptions options(int mixerCount, int model)
    {
        SimOptions o;
        o.mixers = mixerCount;
        o.model = model;
        return o;
    }

    EditorEnv env()
    {
        return {mixers, editor, *sync, &timeOfDay};
    }

    FrmMixerContext context()
    {
        return {env(), editorJobs, link, dialogs, [this](bool on) { printEnabled = on; },
                [this](int item) { gridShown << item; }};
    }

    // The settings dialog of panel mixer `dialogMixer` (0 the master) and
    // slot 0..7 (a channel) or 8 (the output), as the panel opens it.
    SettingsDialog *openDialog(int dialogMixer, int slot)
    {
        editor.DialogMixer = qint16(dialogMixer);
        editor.DialogSlot = qint16(slot);
        dialogClosed = false;
        return openSettingsDialog({env(), dialogs, {}}, nullptr, [this] { dialogClosed = true; });
    }

    // A window with a refresh tick: the editor or a settings dialog.
    // The loop's part: a poll, and the write when values wait; then the turn
    // of the event loop in which the windows follow what arrived.
    void exchange()
    {
        sync->poll();
        if (sync->flushDue())
            sync->flush();
        QCoreApplication::processEvents();
    }
    template<class Window>
    void cycle(Window &window)
    {
        exchange();
        window.Timer1();
    }
    template<class Window>
    void settle(Window &window, int passes = 6)
    {
        for (int i = 0; i < passes; ++i)
            cycle(window);
    }

    std::unique_ptr<MixerSync> sync;
    // The jobs the editor asks for, as the job loop would find them.
    JobQueue jobs;
    QueuedEditorJobs editorJobs{jobs};
    // The marks' times of day: nine o'clock when the rig was made, on its clock.
    TimeOfDay timeOfDay{clock, QDateTime(QDate(2026, 12, 9), QTime(9, 0))};
    EditorState editor;
    bool printEnabled = false;
    QList<int> gridShown;
    bool dialogClosed = false;
};

// A value typed into an entry box and committed with Enter, and what the box shows.
inline void type(ValueEntry *entry, const QString &text)
{
    entry->findChild<QLineEdit *>()->setText(text);
    QTest::keyClick(entry, Qt::Key_Return);
}

inline QString shown(ValueEntry *entry)
{
    return entry->findChild<QLineEdit *>()->text();
}
