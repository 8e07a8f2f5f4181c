#include "frmselect.h"

#include "base/placement.h"
#include "base/strings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

FrmSelect::FrmSelect(int mixerCount, QWidget *parent) : QDialog(parent), m_mixerCount(mixerCount)
{
    setObjectName(QStringLiteral("FrmSelect"));
    setWindowTitle(str(StrId::AppTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    m_list = new QListWidget(this);
    for (int n = 1; n <= mixerCount; ++n)
        m_list->addItem(MixerName(n));
    m_list->setEnabled(mixerCount >= 1);
    if (mixerCount >= 1)
        m_list->setCurrentRow(0);
    m_ok = new QPushButton(str(1904), this);
    m_cancel = new QPushButton(str(1905), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &FrmSelect::choose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &FrmSelect::choose);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(str(1601), this));
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(320, 260);
}

void FrmSelect::choose()
{
    const int mixer = m_list->currentRow() + 1;
    if (mixer >= 1 && mixer <= m_mixerCount && onChosen)
        onChosen(mixer);
    accept();
}
