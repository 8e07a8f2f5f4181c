#include "editor/ui/loadcompare.h"

#include "base/dialogs.h"
#include "base/shownwords.h"
#include "base/strings.h"
#include "settings/settingsfile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

namespace T {
constexpr int Title = 12730;        // "送信する値の確認"
constexpr int Lead = 12731;         // "ファイルの値を送信すると、ミキサーの次の値が変わります。"
constexpr int Total = 12732;        // "変わる値: %1 件%2"
constexpr int MixerRow = 12733;     // "%1 (%2 台目): %3 件%4"
constexpr int Unchanged = 12734;    // "変わる値はありません"
constexpr int ColumnFirst = 12735;  // "項目", "ミキサーの値", "ファイルの値", "種類"
constexpr int Send = 12739;         // "送信(&S)"
constexpr int Cancel = 12740;       // "キャンセル"
constexpr int Same = 12741;         // "... 送信するものはありません。"
constexpr int ListName = 12742;     // "変わる値の一覧"
constexpr int SendAll = 14301;      // "すべて送信(&A)"
constexpr int SendAllTip = 14302;   // "ミキサーが持っている値も含めて、ファイルのすべての値を送信します"
} // namespace T

constexpr int Columns = 4;

// Off: only what the list shows goes out. On: every value of the file, for
// mixers whose values are in doubt.
QCheckBox *newSendAllBox(QWidget *parent)
{
    auto *box = new QCheckBox(str(T::SendAll), parent);
    box->setObjectName(QStringLiteral("ChkSendAll"));
    box->setAccessibleName(accessibleWords(str(T::SendAll)));
    box->setAccessibleDescription(str(T::SendAllTip));
    box->setToolTip(str(T::SendAllTip));
    return box;
}

QDialogButtonBox *newSendButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *send = buttons->addButton(str(T::Send), QDialogButtonBox::AcceptRole);
    send->setObjectName(QStringLiteral("CmdSend"));
    send->setAccessibleName(accessibleWords(str(T::Send)));
    send->setDefault(true);
    QPushButton *cancel = buttons->addButton(str(T::Cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    cancel->setAccessibleName(str(T::Cancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

LoadCompareWindow::LoadCompareWindow(const SettingsComparison &comparison, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmLoadCompare"));
    setWindowTitle(str(T::Title));
    setAccessibleName(str(T::Title));
    setModal(true);

    auto *layout = new QVBoxLayout(this);

    // The mixer count first: it decides which mixers the load leaves alone.
    if (const QString note = countNote(comparison); !note.isEmpty()) {
        auto *countLabel = new QLabel(note, this);
        countLabel->setObjectName(QStringLiteral("LblCount"));
        countLabel->setAccessibleName(note);
        countLabel->setWordWrap(true);
        countLabel->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
        layout->addWidget(countLabel);
    }

    auto *lead = new QLabel(str(T::Lead), this);
    lead->setObjectName(QStringLiteral("LblLead"));
    lead->setAccessibleName(lead->text());
    layout->addWidget(lead);

    const QString totalText = str(T::Total).arg(comparison.total()).arg(kindCountsText(comparison.perTab));
    auto *total = new QLabel(totalText, this);
    total->setObjectName(QStringLiteral("LblTotal"));
    total->setAccessibleName(totalText);
    layout->addWidget(total);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LstChanges"));
    m_list->setAccessibleName(str(T::ListName));
    m_list->setColumnCount(Columns);
    QStringList headers;
    for (int c = 0; c < Columns; ++c)
        headers << str(T::ColumnFirst + c);
    m_list->setHeaderLabels(headers);
    m_list->setRootIsDecorated(true);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    for (const MixerChanges &m : comparison.mixers) {
        const QString head = m.values.empty()
            ? str(T::MixerRow).arg(m.name).arg(m.mixer).arg(0).arg(QStringLiteral(" - ") + str(T::Unchanged))
            : str(T::MixerRow).arg(m.name).arg(m.mixer).arg(m.values.size()).arg(kindCountsText(m.perTab));
        auto *mixerItem = new QTreeWidgetItem(m_list, QStringList{head});
        mixerItem->setFirstColumnSpanned(true);
        mixerItem->setData(0, Qt::UserRole, m.mixer);
        for (const ValueChange &v : m.values) {
            auto *item = new QTreeWidgetItem(
                mixerItem, QStringList{changeLabel(v), v.fromText, v.toText, editorTabName(v.tab)});
            item->setData(0, Qt::UserRole, v.key);
            item->setToolTip(0, v.key);
        }
        mixerItem->setExpanded(true);
    }
    for (int c = 0; c < Columns; ++c)
        m_list->resizeColumnToContents(c);
    m_list->header()->setStretchLastSection(true);
    layout->addWidget(m_list, 1);

    m_sendAll = newSendAllBox(this);
    layout->addWidget(m_sendAll);
    layout->addWidget(newSendButtons(this));

    m_list->setFocus();
    if (QTreeWidgetItem *first = m_list->topLevelItem(0))
        m_list->setCurrentItem(first);
    resize(std::max(640, m_list->header()->length() + 60), 480);
}

LoadSend LoadCompareWindow::choice() const
{
    return m_sendAll->isChecked() ? LoadSend::Everything : LoadSend::Differences;
}

LoadSend confirmLoadSend(const MixerState &mixers, const SettingsTable &loaded, Dialogs &dialogs, QWidget *parent)
{
    const SettingsComparison comparison =
        compareLoad(SystemValues::fromMixers(mixers), SystemValues::fromFile(loaded));
    if (comparison.same()) {
        dialogs.tell(str(T::Same), MsgIcon::Information);
        return LoadSend::Nothing;
    }
    LoadCompareWindow window(comparison, parent);
    return window.exec() == QDialog::Accepted ? window.choice() : LoadSend::Nothing;
}
