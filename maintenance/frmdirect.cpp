#include "maintenance/frmdirect.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/protocol.h"
#include "maintenance/directaccess.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
namespace Txt {
constexpr int Read = 1002;     // "読み出し"
constexpr int Write = 9640;    // "書き込み"
constexpr int Direct = 9641;   // "ダイレクト"
constexpr int Size = 9642;     // "サイズ"
constexpr int OneByte = 9643;  // "1バイト" .. "4バイト"
constexpr int Address = 9646;  // "アドレス"
constexpr int Data = 9647;     // "データ"
constexpr int Hex = 9648;      // " (HEX)"
constexpr int Cancel = 1905;
} // namespace Txt
} // namespace

FrmDirect::FrmDirect(bool readMode, PollHolds *pollHolds, Dialogs &dialogs, RunAccess run,
                     QWidget *parent)
    : QDialog(parent), m_read(readMode), m_dialogs(dialogs),
      m_runAccess(std::move(run))
{
    setObjectName(QStringLiteral("FrmDirect"));
    const QString m = str(readMode ? Txt::Read : Txt::Write);
    setWindowTitle(joinWords(str(Txt::Direct), m));
    setWindowIcon(qApp->windowIcon());

    m_frameSize = new QGroupBox(joinWords(m, str(Txt::Size)), this);
    m_frameSize->setObjectName(QStringLiteral("FrameSize"));
    auto *sizes = new QHBoxLayout(m_frameSize);
    for (int i = 0; i < 3; ++i) {
        m_size[i] = new QRadioButton(str(Txt::OneByte + i), m_frameSize);
        m_size[i]->setObjectName(QStringLiteral("OpnSize%1").arg(i));
        sizes->addWidget(m_size[i]);
    }
    m_size[2]->setChecked(true);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto makeField = [&](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setFont(fixed);
        e->setMaxLength(8);
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 24);
        return e;
    };
    m_address = makeField("TxtAddress");
    m_data = makeField("TxtData");
    auto *lblAddress = new QLabel(joinWords(m, str(Txt::Address)) + str(Txt::Hex), this);
    lblAddress->setObjectName(QStringLiteral("LblAddress"));
    auto *lblData = new QLabel(joinWords(m, str(Txt::Data)) + str(Txt::Hex), this);
    lblData->setObjectName(QStringLiteral("LblData"));

    m_run = new QPushButton(m, this);
    m_run->setObjectName(QStringLiteral("CmdJob0"));
    m_run->setDefault(true);
    m_cancel = new QPushButton(str(Txt::Cancel), this);
    m_cancel->setObjectName(QStringLiteral("CmdJob1"));
    connect(m_run, &QPushButton::clicked, this, &FrmDirect::runAccess);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::close);

    auto *fields = new QGridLayout;
    fields->addWidget(lblAddress, 0, 0);
    fields->addWidget(m_address, 0, 1);
    fields->addWidget(lblData, 1, 0);
    fields->addWidget(m_data, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_run);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frameSize);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    if (pollHolds)
        m_pollHold.emplace(*pollHolds);
}

FrmDirect::~FrmDirect()
{
    leave();
}

void FrmDirect::runAccess()
{
    // Text that is not a 32-bit hexadecimal number is refused before anything
    // is sent: a silently truncated address could write the wrong memory.
    const std::optional<quint32> address = parseHex32(m_address->text());
    const std::optional<quint32> data = m_read ? std::optional<quint32>(0u) : parseHex32(m_data->text());
    if (!address || !data) {
        m_dialogs.tell(str(StrId::InvalidData), MsgIcon::Error);
        return;
    }
    m_address->setText(hex8(*address));
    const int sizeIndex = m_size[0]->isChecked() ? 0 : m_size[1]->isChecked() ? 1 : 2;
    const QString before = m_data->text();
    QByteArray request;
    if (m_read) {
        m_data->clear();
        request = directReadRequest(sizeIndex, *address);
    } else {
        m_data->setText(hex8(*data));
        request = directWriteRequest(sizeIndex, *address, *data);
    }
    const std::optional<QString> result = m_runAccess ? m_runAccess(m_read, request, this) : std::nullopt;
    if (m_read)
        m_data->setText(result ? *result : before);
}

void FrmDirect::leave()
{
    if (m_left)
        return;
    m_left = true;
    m_pollHold.reset(); // polling resumes
}

void FrmDirect::closeEvent(QCloseEvent *e)
{
    leave();
    QDialog::closeEvent(e);
}

void FrmDirect::done(int r)
{
    leave();
    QDialog::done(r);
}
