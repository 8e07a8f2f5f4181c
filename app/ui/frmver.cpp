#include "app/ui/frmver.h"

#include "base/ui/placeform.h"
#include "base/strings.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

QString versionText(const ProgramVersion &v)
{
    return str(1702) + QStringLiteral("%1.%2-%3").arg(v.major).arg(v.minor).arg(v.revision);
}

FrmVer::FrmVer(ProgramVersion version, QWidget *parent, const QString &note)
    : QDialog(parent), m_icon(new QLabel(this)), m_title(new QLabel(this)),
      m_version(new QLabel(this)), m_description(new QLabel(this)), m_ok(new QPushButton(this))
{
    setObjectName(QStringLiteral("FrmVer"));
    const QString title = str(StrId::AppTitle);
    setWindowTitle(joinWords(title, str(1701)));
    m_icon->setObjectName(QStringLiteral("picIcon"));
    m_title->setObjectName(QStringLiteral("LblTitle"));
    m_version->setObjectName(QStringLiteral("LblVersion"));
    m_description->setObjectName(QStringLiteral("LblDescription"));
    m_ok->setObjectName(QStringLiteral("cmdOK"));

    const QIcon icon = qApp->windowIcon().isNull()
        ? style()->standardIcon(QStyle::SP_ComputerIcon) : qApp->windowIcon();
    m_icon->setPixmap(icon.pixmap(32, 32));
    m_icon->setAlignment(Qt::AlignTop);
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    m_title->setFont(big);
    m_title->setText(title);
    m_version->setText(versionText(version));
    m_description->setText(note.isEmpty() ? str(1703) : str(1703) + u'\n' + note);
    m_ok->setText(str(1904));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::close);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(m_icon, 0, 0, 3, 1);
    grid->addWidget(m_title, 0, 1);
    grid->addWidget(m_version, 1, 1);
    grid->addWidget(m_description, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(320);
}

FrmVer *showVersionDialog(QWidget *main, ProgramVersion version, const QString &note)
{
    auto *dlg = new FrmVer(version, main, note);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->adjustSize();
    PlaceForm(dlg, main, PlaceMode::Below);
    dlg->show();
    return dlg;
}
