#include "app/ui/mixerwindows.h"

#include "app/ui/frmactivity.h"
#include "app/ui/frmdialogchoice.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmselect.h"
#include "app/ui/frmver.h"
#include "app/ui/linksession.h"
#include "app/world.h"
#include "base/placement.h"
#include "base/ui/placeform.h"
#include "editor/parametergrid.h"
#include "editor/ui/frmmixer.h"
#include "editor/ui/frmparameter.h"
#include "editor/ui/settingsdialog.h"
#include "mixer/mixersync.h"
#include "panel/ui/frmmdi.h"
#include "panel/ui/panelsurface.h"
#include "print/ui/mdlprint.h"

#include <QAction>
#include <QScreen>
#include <QToolBar>
#include <QTimer>

#include <utility>
#include <vector>

MixerWindows::MixerWindows(Context context)
    : m_ctx(std::move(context)), m_world(m_ctx.world), m_main(m_ctx.main), m_editorJobs(m_world.jobs)
{
}

MixerWindows::~MixerWindows()
{
    delete m_settingsDialog.data();
    delete m_parameterGrid.data();
    delete m_activity.data();
    for (QPointer<FrmMixer> &editor : m_editors)
        delete editor.data();
}

void MixerWindows::wireCommands()
{
    FrmMain *main = &m_main;
    QObject::connect(main, &FrmMain::showMixerRequested, main, [this] { onShowMixer(); });
    QObject::connect(main, &FrmMain::arrangeRequested, main, [this] { onArrange(); });
    QObject::connect(main, &FrmMain::versionRequested, main, [this] { showVersion(); });
    QObject::connect(main, &FrmMain::settingsDialogRequested, main, [this] { chooseSettingsDialog(); });
    QObject::connect(main, &FrmMain::activityRequested, main, [this] { showActivity(); });
    QObject::connect(main, &FrmMain::printRequested, main, [this] { printEditor(); });
    main->closeEditors = [this] { unloadActiveEditors(); };
}

FrmMixer *MixerWindows::editor(int mixer) const
{
    return mixer >= 1 && mixer <= MaxMixers ? m_editors[size_t(mixer)].data() : nullptr;
}

void MixerWindows::showFirstEditor()
{
    FrmMixer *editor = showEditor(1);
    m_editorHeight = editor->frameGeometry().height();
    const QRect screen = screenAreaOf(&m_main);
    const QPoint beside = editorBesideMain(m_main.frameGeometry(), editor->frameGeometry(), screen.width());
    editor->move(keepOnScreen(QRect(beside, editor->frameGeometry().size()), screen));
}

EditorEnv MixerWindows::editorEnv()
{
    return EditorEnv{m_world.mixers, m_world.editor, *m_ctx.session.sync(), &m_world.timeOfDay};
}

FrmMixerContext MixerWindows::editorContext()
{
    return FrmMixerContext{
        editorEnv(),
        m_editorJobs,
        m_world.link,
        m_world.dialogs,
        [this](bool on) { m_main.action(QStringLiteral("MenPrint"))->setEnabled(on); },
        [this](int item) { showParameterGrid(item); },
        &m_ctx.session.line()};
}

void MixerWindows::refreshParameterGrid()
{
    MixerSync *sync = m_ctx.session.sync();
    if (m_parameterGrid && sync)
        m_parameterGrid->setGrid(::parameterGrid(m_gridItem, m_world.mixers, sync->ambientLevel(), sync));
}

void MixerWindows::showParameterGrid(int item)
{
    m_gridItem = item;
    MixerSync *sync = m_ctx.session.sync();
    const ParameterGrid grid = ::parameterGrid(item, m_world.mixers, sync->ambientLevel(), sync);
    if (!m_parameterGrid) {
        auto *w = new FrmParameter;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setGrid(grid);
        // Over the editor that asked, where the user is looking.
        if (FrmMixer *editorWindow = editor(m_editorMixer))
            PlaceForm(w, editorWindow, PlaceMode::Centred);
        m_parameterGrid = w;
    } else {
        m_parameterGrid->setGrid(grid);
    }
    // In front and with the keyboard, whether a double-click or a key asked.
    bringForward(m_parameterGrid);
}

std::optional<PanelGeometry> MixerWindows::panelGeometry() const
{
    const FrmMdi *panel = m_ctx.panel();
    if (!panel || !panel->isVisible())
        return std::nullopt;
    PanelGeometry g;
    g.origin = panel->surface()->mapToGlobal(QPoint(0, 0));
    g.size = panel->frameGeometry().size();
    g.toolbarHeight = panel->Toolbar1()->height();
    g.twipsPerPixel = panel->scale().twipsPerPixel;
    return g;
}

void MixerWindows::openSettingsDialog(QWidget *parent, std::function<void()> closed)
{
    SettingsDialogContext ctx{editorEnv(), m_world.dialogs, [this] { return panelGeometry(); },
                              m_world.link.offline()};
    m_settingsDialog = ::openSettingsDialog(std::move(ctx), parent, std::move(closed));
}

ChannelDialogSeam MixerWindows::channelDialogSeam()
{
    ChannelDialogSeam seam;
    seam.open = [this](const ChannelDialogRequest &request, std::function<void()> closed) {
        m_world.editor.aimSettingsDialog(request.mixer, request.slot, request.left, request.top);
        openSettingsDialog(m_ctx.panel(), std::move(closed));
    };
    seam.close = [this] {
        if (m_settingsDialog)
            m_settingsDialog->close();
    };
    return seam;
}

void MixerWindows::chooseSettingsDialog()
{
    if (m_settingsDialog && m_settingsDialog->isVisible()) {
        m_settingsDialog->raise();
        return;
    }
    auto *dlg = new FrmDialogChoice(m_world.mixers.MixerCount, &m_main);
    dlg->onChosen = [this](int dialogMixer, int slot) {
        m_world.editor.aimSettingsDialog(dialogMixer, slot);
        openSettingsDialog(&m_main, {});
    };
    PlaceForm(dlg, &m_main, PlaceMode::Below);
    dlg->show();
}

FrmMixer *MixerWindows::showEditor(int mixer)
{
    QPointer<FrmMixer> &slot = m_editors[size_t(mixer)];
    if (!slot) {
        auto *w = new FrmMixer(editorContext(), mixer, m_ctx.debug);
        w->setAttribute(Qt::WA_DeleteOnClose);
        slot = w;
    }
    slot->setWindowTitle(MixerName(mixer));
    m_editorMixer = mixer;
    slot->show();
    return slot;
}

void MixerWindows::unloadEditor(int mixer)
{
    if (QWidget *w = m_editors[size_t(mixer)])
        w->close();
    m_world.mixers.setEditorOpen(mixer, false);
}

void MixerWindows::unloadActiveEditors()
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_world.mixers.EditorOpen[size_t(m)])
            unloadEditor(m);
}

void MixerWindows::printEditor()
{
    // The command is offered while an editor window is open: the one the
    // editor shows now, loaded again should it have gone meanwhile.
    FrmMixer *w = editor(m_editorMixer);
    if (!w && m_editorMixer >= 1)
        w = showEditor(m_editorMixer);
    if (w)
        printWindow(w, m_world.dialogs, &m_main);
}

void MixerWindows::openSelect()
{
    if (m_select) {
        bringForward(m_select);
        return;
    }
    auto *dlg = new FrmSelect(m_world.mixers.MixerCount, &m_main);
    dlg->onChosen = [this](int mixer) {
        for (int m = 1; m <= MaxMixers; ++m)
            if (m != mixer && m_world.mixers.EditorOpen[size_t(m)])
                unloadEditor(m);
        // The chosen editor comes to the front also when it was open.
        bringForward(showEditor(mixer));
    };
    PlaceForm(dlg, &m_main, PlaceMode::Below);
    m_select = dlg;
    dlg->show();
}

void MixerWindows::showActivity()
{
    if (m_activity) {
        bringForward(m_activity);
        return;
    }
    auto *w = new FrmActivity(m_world.activity, m_world.dialogs);
    w->setAttribute(Qt::WA_DeleteOnClose);
    PlaceForm(w, &m_main, PlaceMode::Below);
    m_activity = w;
    w->show();
}

void MixerWindows::showVersion()
{
    if (m_version)
        bringForward(m_version);
    else
        m_version = showVersionDialog(&m_main, {}, m_ctx.virtualAddressLine);
}

void MixerWindows::onShowMixer()
{
    if (!m_ctx.jobWindowVisible()) {
        openSelect();
        return;
    }
    if (!m_timer1) {
        m_timer1 = std::make_unique<QTimer>();
        m_timer1->setInterval(100);
        QObject::connect(m_timer1.get(), &QTimer::timeout, m_timer1.get(), [this] {
            if (m_ctx.jobWindowVisible())
                return;
            m_timer1->stop();
            openSelect();
        });
    }
    m_timer1->start();
}

void MixerWindows::closeForModeChange()
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_world.mixers.EditorOpen[size_t(m)] && m_editors[size_t(m)]) {
            m_editorPosition = m_editors[size_t(m)]->pos();
            unloadEditor(m);
        }
    if (m_select)
        m_select->close();
    // The grid and a dialog opened from the DEBUG menu belong to mixer mode.
    if (m_parameterGrid)
        m_parameterGrid->close();
    if (m_settingsDialog)
        m_settingsDialog->close();
}

void MixerWindows::onArrange()
{
    m_main.move(0, 0);
    std::vector<QWidget *> windows;
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_world.mixers.EditorOpen[size_t(m)] && m_editors[size_t(m)])
            windows.push_back(m_editors[size_t(m)]);
    // First one in front, each next one directly behind the previous one.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->raise();
    std::vector<QWidget *> shown;
    for (QWidget *w : windows)
        if (!w->isMinimized())
            shown.push_back(w);
    const QSize screen = m_main.screen() ? m_main.screen()->availableGeometry().size() : QSize(1920, 1080);
    const auto positions = cascadePositions(int(shown.size()), m_main.frameGeometry().size(),
                                            m_editorHeight, screen.height());
    for (size_t i = 0; i < shown.size(); ++i)
        shown[i]->move(positions[i]);
}

SettingsDialog *MixerWindows::settingsDialog() const
{
    return m_settingsDialog;
}

FrmParameter *MixerWindows::parameterGrid() const
{
    return m_parameterGrid;
}

FrmActivity *MixerWindows::activityWindow() const
{
    return m_activity;
}
