#include "panel/ui/frmimagesetting.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/backdropsettings.h"
#include "base/ui/accessnames.h"
#include "panel/ui/dialoglook.h"
#include "settings/cp932text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

namespace Res {
constexpr int Ok = 1904;             // "OK"
constexpr int Cancel = 1905;         // "Cancel"
constexpr int Title = 10515;         // "背景画像設定"
constexpr int Show = 10516;          // "背景画像を表示する"
constexpr int Browse = 10517;        // "参照"
constexpr int Frame = 10518;         // "拡大・縮小"
constexpr int Times = 10519;         // "×"
constexpr int Pixels = 10520;        // "Pixcel"
constexpr int Percent = 10521;       // "%"
constexpr int FirstOption = 10522;   // "拡大・縮小しない" .. "倍率を指定"
constexpr int Filter = 10526;
constexpr int BrowseTitle = 10527;   // "背景画像を選択してください"
constexpr int FileName = 14213;      // "画像ファイル"
constexpr int FirstSizeName = 14214; // "幅", "高さ", "横の倍率", "縦の倍率"
} // namespace Res

constexpr int NumberBoxWidth = 64;

// A box that takes digits only, typed or pasted.
QLineEdit *numberBox(QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setFixedWidth(NumberBoxWidth);
    box->setAlignment(Qt::AlignRight);
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString &text) {
        const QString digits = digitsOnly(text);
        if (digits == text)
            return;
        const int cursor = int(digitsOnly(text.left(box->cursorPosition())).size());
        box->setText(digits);
        box->setCursorPosition(cursor);
    });
    return box;
}

} // namespace

FrmImageSetting::FrmImageSetting(const ImageSettings &current, Dialogs &dialogs, QWidget *parent)
    : PanelDialog(parent), m_dialogs(dialogs), m_chosen(current)
{
    setObjectName(QStringLiteral("FrmImageSetting"));
    setWindowTitle(str(Res::Title));
    setAttribute(Qt::WA_DeleteOnClose);
    applyDialogLook(*this);

    m_show = new QCheckBox(str(Res::Show), this);
    m_show->setObjectName(QStringLiteral("ImageShow"));
    m_file = new QLineEdit(current.ImageFileName, this);
    m_file->setObjectName(QStringLiteral("ImageFile"));
    m_file->setMinimumWidth(320);
    m_file->setAccessibleName(str(Res::FileName));
    m_browse = new QPushButton(str(Res::Browse), this);
    m_browse->setObjectName(QStringLiteral("BrowseButton"));

    QGroupBox *frame = buildFrame(current);

    m_ok = new QPushButton(str(Res::Ok), this);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(str(Res::Cancel), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_show);
    layout->addLayout(fileRow);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    m_show->setChecked(current.ImageVisible);
    const int mode = std::clamp<int>(current.ImageStretch, 0, 3);
    m_options[size_t(mode)]->setChecked(true);
    applyEnabling();

    connect(m_show, &QCheckBox::clicked, this, [this] { applyEnabling(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { onOk(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The 枠 group: the four ways the picture fills the window, with the sizes
// and scales the last two take.
QGroupBox *FrmImageSetting::buildFrame(const ImageSettings &current)
{
    auto *frame = new QGroupBox(str(Res::Frame), this);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        m_options[size_t(i)] = new QRadioButton(str(Res::FirstOption + i), frame);
        m_options[size_t(i)]->setObjectName(QStringLiteral("ImageOption_%1").arg(i));
        group->addButton(m_options[size_t(i)], i);
    }
    const std::array<qint32, 4> values{current.ImageWidth, current.ImageHeight, current.ImageXScale,
                                       current.ImageYScale};
    for (int i = 0; i < 4; ++i) {
        QLineEdit *box = numberBox(frame);
        box->setObjectName(QStringLiteral("ImageSize_%1").arg(i));
        box->setText(QString::number(values[size_t(i)]));
        // Named by the option it belongs to and what it holds, not by the frame.
        box->setAccessibleName(joinAccessible({str(Res::FirstOption + 2 + i / 2), str(Res::FirstSizeName + i)}));
        m_sizes[size_t(i)] = box;
    }
    auto unit = [frame](int id) { return new QLabel(str(id), frame); };
    auto *frameGrid = new QGridLayout(frame);
    frameGrid->addWidget(m_options[0], 0, 0, 1, 6);
    frameGrid->addWidget(m_options[1], 1, 0, 1, 6);
    frameGrid->addWidget(m_options[2], 2, 0);
    frameGrid->addWidget(m_sizes[0], 2, 1);
    frameGrid->addWidget(unit(Res::Times), 2, 2, Qt::AlignCenter);
    frameGrid->addWidget(m_sizes[1], 2, 3);
    frameGrid->addWidget(unit(Res::Pixels), 2, 4);
    frameGrid->addWidget(m_options[3], 3, 0);
    frameGrid->addWidget(m_sizes[2], 3, 1);
    auto *scaleTimes = new QHBoxLayout;
    scaleTimes->addWidget(unit(Res::Percent));
    scaleTimes->addWidget(unit(Res::Times));
    frameGrid->addLayout(scaleTimes, 3, 2, Qt::AlignCenter);
    frameGrid->addWidget(m_sizes[3], 3, 3);
    frameGrid->addWidget(unit(Res::Percent), 3, 4);
    frameGrid->setColumnStretch(5, 1);
    connect(group, &QButtonGroup::idClicked, this, [this] { applyEnabling(); });
    return frame;

}

int FrmImageSetting::selectedOption() const
{
    for (int i = 0; i < 4; ++i)
        if (m_options[size_t(i)]->isChecked())
            return i;
    return 0;
}

void FrmImageSetting::applyEnabling()
{
    const ImageDialogEnabling e = imageDialogEnabling(m_show->isChecked(), selectedOption());
    m_file->setEnabled(e.file);
    m_browse->setEnabled(e.file);
    for (QRadioButton *o : m_options)
        o->setEnabled(e.options);
    m_sizes[0]->setEnabled(e.sizeBoxes);
    m_sizes[1]->setEnabled(e.sizeBoxes);
    m_sizes[2]->setEnabled(e.scaleBoxes);
    m_sizes[3]->setEnabled(e.scaleBoxes);
}

void FrmImageSetting::browse()
{
    const QString current = m_file->text().trimmed();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    QString chosen;
    if (!ask([&] { chosen = m_dialogs.openFileName(str(Res::BrowseTitle), folder, fileDialogFilter(str(Res::Filter))); }))
        return;
    if (!chosen.isEmpty())
        m_file->setText(chosen);
}

void FrmImageSetting::onOk()
{
    // The path goes into the settings file, which is CP932.
    const QString unstorable = unstorableCharacters(m_file->text());
    if (!unstorable.isEmpty()) {
        if (ask([&] { m_dialogs.tell(unstorableCharactersMessage(unstorable), MsgIcon::Warning); }))
            m_file->setFocus();
        return;
    }
    m_chosen.ImageVisible = m_show->isChecked();
    m_chosen.ImageFileName = m_file->text();
    m_chosen.ImageWidth = numberBoxValue(m_sizes[0]->text());
    m_chosen.ImageHeight = numberBoxValue(m_sizes[1]->text());
    m_chosen.ImageXScale = numberBoxValue(m_sizes[2]->text());
    m_chosen.ImageYScale = numberBoxValue(m_sizes[3]->text());
    m_chosen.ImageStretch = qint16(selectedOption());
    accept();
}
