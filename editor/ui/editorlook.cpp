#include "editor/ui/editorlook.h"

#include "base/strings.h"
#include "editor/ui/optiongroup.h"

#include <QBoxLayout>
#include <QFont>
#include <QFrame>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpression>

namespace {
constexpr int FontPoints = 9;
} // namespace

QFont appearanceFont(int id)
{
    QFont f(str(id));
    f.setPointSize(FontPoints);
    return f;
}

void paint(QWidget *w, int backId, int foreId)
{
    QPalette p = w->palette();
    if (backId) {
        const QColor back = colorFromText(str(backId));
        if (back.isValid()) {
            p.setColor(QPalette::Window, back);
            w->setAutoFillBackground(true);
        }
    }
    if (foreId) {
        const QColor fore = colorFromText(str(foreId));
        // Disabled text keeps the style's grey.
        if (fore.isValid())
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
                p.setColor(g, QPalette::WindowText, fore);
    }
    w->setPalette(p);
}

// The label texts are written with a run of blanks where the label breaks
// into its second line.
QString labelText(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    return QString(text).replace(blanks, QStringLiteral("\n"));
}

QStringList captionsOf(int count, const std::function<QString(int)> &caption)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << caption(i);
    return list;
}

// A box holding a group's buttons side by side or one above the other.
std::pair<QWidget *, OptionGroup *> optionBox(const QStringList &captions, const QString &name,
                                              int indexBase, bool vertical)
{
    auto *box = new QWidget;
    auto *group = new OptionGroup(captions, box, name, indexBase);
    QBoxLayout *layout = vertical ? static_cast<QBoxLayout *>(new QVBoxLayout(box)) : new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(vertical ? 2 : 14);
    for (int i = 0; i < group->count(); ++i)
        layout->addWidget(group->button(i));
    if (!vertical)
        layout->addStretch();
    return {box, group};
}

QFrame *groupFrame(QWidget *parent, const QString &name)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::StyledPanel);
    return f;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(3);
    return line;
}
