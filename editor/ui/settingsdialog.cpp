#include "editor/ui/settingsdialog.h"

#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "base/ui/placeform.h"
#include "editor/editortexts.h"
#include "editor/ui/editorlook.h"
#include "editor/ui/frmchsetting.h"
#include "editor/ui/frmoutputsetting.h"
#include "editor/ui/levelpictures.h"
#include "editor/ui/markbadge.h"
#include "editor/valueentry.h"
#include "mixer/syncfollower.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace T = EditorText;

namespace {
constexpr int LockClear = 1931;  // "無効"
constexpr int LockTicked = 1932; // "有効"
constexpr int OkText = 1904;
constexpr int CancelText = 1905;
constexpr int FirstIntervalMs = 1000;
constexpr int IntervalMs = 100;
} // namespace

SettingsDialog::SettingsDialog(SettingsDialogContext context, const QString &objectName, QWidget *parent)
    : QDialog(parent), m_ctx(std::move(context)),
      m_edits(m_ctx.env, m_ctx.env.editor.DialogMixer, m_ctx.env.editor.DialogSlot)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFont(appearanceFont(T::StripFont));
    m_marks = new MarkSet(m_ctx.env.sync, m_ctx.env.mixers, m_edits.mixer(), m_ctx.env.timeOfDay, this);
    const QString title = settingsDialogTitle(m_edits.mixer() - 1, m_edits.output() ? OutputSlot
                                                                                    : m_edits.channel() - 1);
    setWindowTitle(title);
    setWindowIcon(qApp->windowIcon());

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(10, 8, 10, 10);
    m_layout->setSpacing(8);
    m_title = new QLabel(title, this);
    m_title->setObjectName(m_edits.output() ? QStringLiteral("lblMixerNum") : QStringLiteral("lblIconNum"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_layout->addWidget(m_title);
}

SettingsDialog::~SettingsDialog()
{
    // Closed with its parent (the panel) rather than by itself.
    finish();
}

QWidget *SettingsDialog::makeOptionsArea()
{
    auto *area = new QFrame(this);
    area->setObjectName(QStringLiteral("FrameOptions"));
    area->setFrameShape(QFrame::Box);
    m_layout->addWidget(area, 1);
    return area;
}

ValueEntry *SettingsDialog::makeGainEntry(const QString &objectName)
{
    m_gain = new ValueEntry(m_ctx.dialogs, Scale::Level);
    m_gain->setRange(LevelCodeMin, LevelCodeMax);
    m_gain->setObjectName(objectName);
    connect(m_gain, &ValueEntry::codeChanged, this, &SettingsDialog::gainChanged);
    return m_gain;
}

QLabel *SettingsDialog::makePicture(QWidget *parent)
{
    m_picture = new QLabel(parent);
    m_picture->setObjectName(QStringLiteral("ImgChannel"));
    m_picture->setFixedSize(levelPictureSize());
    return m_picture;
}

void SettingsDialog::finishLoading()
{
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    m_lock = new QCheckBox(str(LockClear), this);
    m_lock->setObjectName(QStringLiteral("chkEnable"));
    connect(m_lock, &QCheckBox::clicked, this, &SettingsDialog::lockClicked);
    m_ok = new QPushButton(str(OkText), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(str(CancelText), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_edits.cancel();
        reject();
    });
    bottom->addWidget(m_lock);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);
    m_layout->addLayout(bottom);

    applyEnables();
    refresh();
    m_marks->showAll();
    if (!drawPicture())
        QTimer::singleShot(0, this, [this] {
            m_ctx.dialogs.tell(str(T::OutOfMemory), MsgIcon::Error);
            close();
        });
    adjustSize();
    setFixedSize(sizeHint());
    place();

    m_timer.setInterval(FirstIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &SettingsDialog::Timer1);
    m_timer.start();
    m_follower = new SyncFollower(m_ctx.env.sync.events(), m_edits.mixer(), [this] { followMixer(); }, this);
}

void SettingsDialog::place()
{
    const std::optional<PanelGeometry> panel = m_ctx.panel ? m_ctx.panel() : std::nullopt;
    if (!panel) {
        PlaceForm(this, parentWidget(), PlaceMode::Centred);
        return;
    }
    const double tpp = panel->twipsPerPixel > 0 ? panel->twipsPerPixel : 15.0;
    auto twips = [tpp](int pixels) { return int(std::lround(pixels * tpp)); };
    auto pixels = [tpp](int twips) { return int(std::lround(twips / tpp)); };
    EditorState &e = m_ctx.env.editor;
    const QSize frame = frameGeometry().size();
    const QPoint at = settingsDialogPlace({e.DialogLeft, e.DialogTop},
                                          {twips(frame.width()), twips(frame.height())},
                                          {twips(panel->size.width()), twips(panel->size.height())},
                                          twips(panel->toolbarHeight));
    e.DialogLeft = at.x();
    e.DialogTop = at.y();
    move(panel->origin + QPoint(pixels(at.x()), pixels(at.y())));
}

bool SettingsDialog::lockTicked() const
{
    return m_lock && m_lock->isChecked();
}

void SettingsDialog::lockClicked()
{
    m_lock->setText(str(lockTicked() ? LockTicked : LockClear));
    applyEnables();
}

void SettingsDialog::applyEnables()
{
    // Without writing nothing here can change: the options, the entry and
    // the lock itself are all disabled.
    const bool writing = framesEditable(m_ctx.offline, m_ctx.env.mixers.WriteAccess);
    if (m_lock)
        m_lock->setEnabled(writing);
    m_gain->setEnabled(writing);
    applyChoiceEnables(writing && lockTicked());
}

void SettingsDialog::gainChanged(int code)
{
    if (m_edits.gainChanged(code))
        drawPicture();
}

void SettingsDialog::refresh()
{
    const int m = m_edits.mixer();
    if (!m_ctx.env.sync.dataFresh(m) && !m_force)
        return;
    const MixerDataRecord reported = m_edits.reported();
    m_ctx.env.editor.Refreshing = true;
    // The buttons only show what the mixer holds: a value still waiting to
    // be sent stays in MixerSetData.
    showOptions(reported);
    const int gain = gainCode(reported);
    if (m_gain->code() != gain || m_force) {
        m_gain->setCode(gain);
        m_force = false;
    }
    m_ctx.env.editor.Refreshing = false;
    applyEnables();
}

bool SettingsDialog::drawPicture()
{
    const int picture = levelPicture(gainCode(m_edits.reported()));
    if (picture != m_pictureShown || m_picture->pixmap().isNull()) {
        m_pictureShown = picture;
        m_picture->setPixmap(levelImage(picture));
    }
    return !m_picture->pixmap().isNull();
}

const MarkBadge *SettingsDialog::markOf(int id) const
{
    return m_marks->markOf(id);
}

void SettingsDialog::Timer1()
{
    m_marks->follow();
    if (!m_follower->started()) {
        // The first tick shows what the dialog opened on; after it the
        // follower calls as the mixer's values arrive or change.
        if (!followMixer())
            return;
        m_follower->start();
    }
    m_timer.setInterval(IntervalMs);
}

bool SettingsDialog::followMixer()
{
    refresh();
    if (!drawPicture()) {
        m_timer.stop();
        m_ctx.dialogs.tell(str(T::OutOfMemory), MsgIcon::Error);
        close();
        return false;
    }
    return true;
}

void SettingsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SettingsDialog::done(int result)
{
    finish();
    QDialog::done(result);
}

void SettingsDialog::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_timer.stop();
    m_ctx.env.editor.SettingsDialogOpen = false;
    if (onClosed)
        std::exchange(onClosed, {})();
}

SettingsDialog *openSettingsDialog(SettingsDialogContext context, QWidget *parent,
                                   std::function<void()> closed)
{
    EditorState &e = context.env.editor;
    e.SettingsDialogOpen = true;
    SettingsDialog *dialog = nullptr;
    if (e.DialogSlot == OutputSlot)
        dialog = new FrmOutputSetting(std::move(context), parent);
    else
        dialog = new FrmChSetting(std::move(context), parent);
    dialog->onClosed = std::move(closed);
    dialog->show();
    return dialog;
}
