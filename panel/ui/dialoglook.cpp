#include "panel/ui/dialoglook.h"

#include "base/strings.h"
#include "panel/ui/buttonface.h"

#include <QWidget>

namespace {

namespace Res {
constexpr int DialogFont = 521;      // "ＭＳ Ｐゴシック"
constexpr int Face = 522;            // "&H8000000F"
constexpr int LabelText = 524;       // "&H80000008"
constexpr int FieldBackground = 525; // "&H80000005"
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
