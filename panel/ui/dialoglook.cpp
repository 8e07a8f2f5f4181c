#include "panel/ui/dialoglook.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "panel/ui/buttonface.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

namespace Res {
constexpr int DialogFont = 521;      // "ＭＳ Ｐゴシック"
constexpr int Face = 522;            // "&H8000000F"
// 523, the labels' background, is the face again: labels here are drawn on
// the dialog's own background.
constexpr int LabelText = 524;       // "&H80000008"
constexpr int FieldBackground = 525; // "&H80000005"
constexpr int Ok = 1904;             // "OK"
constexpr int Cancel = 10349;        // "キャンセル"
} // namespace Res

} // namespace

void applyDialogLook(QWidget &dialog)
{
    QFont font = dialog.font();
    font.setFamily(str(Res::DialogFont));
    dialog.setFont(font);
    QPalette pal = dialog.palette();
    pal.setColor(QPalette::Window, tableColor(Res::Face, pal.color(QPalette::Window)));
    pal.setColor(QPalette::WindowText, tableColor(Res::LabelText, pal.color(QPalette::WindowText)));
    pal.setColor(QPalette::Base, tableColor(Res::FieldBackground, pal.color(QPalette::Base)));
    // A field that is not offered shows the button face.
    pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Window));
    dialog.setPalette(pal);
}

bool chooseColour(Dialogs &dialogs, qint32 &colour)
{
    const auto chosen = dialogs.color(colorFromValue(quint32(colour)));
    if (!chosen || !chosen->isValid())
        return false;
    colour = qint32(colorToValue(*chosen));
    return true;
}

OkCancel layOutWithOkCancel(QDialog &dialog, QLayout *fields)
{
    OkCancel b;
    b.ok = new QPushButton(str(Res::Ok), &dialog);
    b.ok->setObjectName(QStringLiteral("cmdOK"));
    b.ok->setDefault(true);
    b.cancel = new QPushButton(str(Res::Cancel), &dialog);
    b.cancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(b.ok);
    buttons->addWidget(b.cancel);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    return b;
}
