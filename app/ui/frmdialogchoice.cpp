#include "frmdialogchoice.h"

#include "base/placement.h"
#include "base/strings.h"
#include "editor/editorrules.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int OutputText = 10401; // "出力"
constexpr int MixerLabel = 2602;  // "ミキサー番号"
constexpr int ChannelLabel = 2707; // "チャンネル"
} // namespace

FrmDialogChoice::FrmDialogChoice(int mixerCount, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDialogChoice"));
    setWindowTitle(str(StrId::AppTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    m_mixers = new QComboBox(this);
    m_mixers->setObjectName(QStringLiteral("cmbMixer"));
    // Without a linked mixer the master still has its dialogs.
    for (int m = 1; m <= std::clamp(mixerCount, 1, MaxMixers); ++m)
        m_mixers->addItem(MixerName(m));
    m_slots = new QComboBox(this);
    m_slots->setObjectName(QStringLiteral("cmbSlot"));
    fillSlots();
    connect(m_mixers, &QComboBox::currentIndexChanged, this, &FrmDialogChoice::fillSlots);

    m_ok = new QPushButton(str(1904), this);
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(str(1905), this);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        const int mixer = m_mixers->currentIndex();
        const int slot = m_slots->currentIndex();
        accept();
        if (onChosen)
            onChosen(mixer, slot);
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(str(MixerLabel), m_mixers);
    form->addRow(str(ChannelLabel), m_slots);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void FrmDialogChoice::fillSlots()
{
    // Channels are numbered across the linked system, as on the panel.
    const int slot = std::max(0, m_slots->currentIndex());
    m_slots->clear();
    for (int ch = 0; ch < ChannelCount; ++ch)
        m_slots->addItem(channelText(m_mixers->currentIndex() + 1, ch));
    m_slots->addItem(str(OutputText));
    m_slots->setCurrentIndex(slot);
}
