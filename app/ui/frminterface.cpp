#include "frminterface.h"

#include "base/strings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    setFixedSize(sizeHint());
}

QString FrmInterface::serialPort() const
{
    return m_serialPorts->currentText().trimmed();
}
