#include "frminterface.h"

#include "base/strings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
namespace Text {
constexpr int VirtualButton = 12612; // "仮想ミキサー"
constexpr int VirtualCount = 12613;  // "仮想ミキサーの台数:"
} // namespace Text

// A field's label as its accessible name: the words without the colon.
QString nameOf(QString label)
{
    while (label.endsWith(u':') || label.endsWith(u'：'))
        label.chop(1);
    return label;
}
} // namespace

FrmInterface::FrmInterface(const QStringList &serialPorts, const QString &serialPort,
                           QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmInterface"));
    setWindowTitle(str(StrId::AppTitle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_label = new QLabel(str(1101), this);
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(str(StrId::LinkKindFirst + i), this);
        b->setObjectName(QStringLiteral("CmdJob_%1").arg(i));
        b->setMinimumWidth(96);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] {
            m_choice = LinkKind(i);
            accept();
        });
        m_buttons[size_t(i)] = b;
        buttons->addWidget(b);
    }
    // Ethernet is the usual link: first in the tab order and the default.
    QWidget::setTabOrder(m_buttons[3], m_buttons[0]);
    QWidget::setTabOrder(m_buttons[0], m_buttons[1]);
    QWidget::setTabOrder(m_buttons[1], m_buttons[2]);
    m_buttons[3]->setDefault(true);
    m_buttons[3]->setFocus();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(14);
    layout->addWidget(m_label);
    layout->addLayout(buttons);

    // Which serial device RS-232C uses: the machine may have several, and
    // USB serial adapters come and go.
    m_serialPorts = new QComboBox(this);
    m_serialPorts->setObjectName(QStringLiteral("cmbSerialPort"));
    m_serialPorts->setEditable(true);
    m_serialPorts->addItems(serialPorts);
    if (!serialPort.isEmpty())
        m_serialPorts->setCurrentText(serialPort);
    auto *portRow = new QFormLayout;
    portRow->addRow(str(9002), m_serialPorts);
    layout->addLayout(portRow);
    QWidget::setTabOrder(m_buttons[2], m_serialPorts);

    // Virtual mixers for preparing a system without hardware: a fifth
    // choice beside the links, with the number of mixers under it as the
    // serial device is under RS-232C.
    m_virtual = new QPushButton(str(Text::VirtualButton), this);
    m_virtual->setObjectName(QStringLiteral("CmdVirtual"));
    m_virtual->setMinimumWidth(96);
    m_virtual->setAutoDefault(false);
    buttons->addWidget(m_virtual);
    m_virtualCount = new QSpinBox(this);
    m_virtualCount->setObjectName(QStringLiteral("UpDwVirtual"));
    m_virtualCount->setRange(1, 16);
    m_virtualCount->setValue(1);
    m_virtualCount->setAccessibleName(nameOf(str(Text::VirtualCount)));
    portRow->addRow(str(Text::VirtualCount), m_virtualCount);
    connect(m_virtual, &QPushButton::clicked, this, [this] {
        m_choice = LinkKind::Ethernet;
        m_virtualMixers = m_virtualCount->value();
        accept();
    });
    m_serialPorts->setAccessibleName(nameOf(str(9002)));
    QWidget::setTabOrder(m_serialPorts, m_virtual);
    QWidget::setTabOrder(m_virtual, m_virtualCount);
    setFixedSize(sizeHint());
}

QString FrmInterface::serialPort() const
{
    return m_serialPorts->currentText().trimmed();
}
