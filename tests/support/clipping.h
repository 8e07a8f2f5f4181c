#pragma once

// Whether every caption of a window has the room it needs: English captions
// are longer than the Japanese ones the layouts were first made for.

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

// The captions under `root`, shown at its current size, that are cut off:
// labels, buttons, group titles and tabs narrower (or lower) than their text.
inline QStringList clippedCaptions(QWidget &root)
{
    QStringList clipped;
    auto report = [&](QWidget *w, const QString &text, QSize need) {
        clipped << QStringLiteral("%1 \"%2\": %3x%4 shown, %5x%6 needed")
                       .arg(w->objectName(), text)
                       .arg(w->width()).arg(w->height()).arg(need.width()).arg(need.height());
    };
    for (QWidget *w : root.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&root))
            continue;
        if (auto *l = qobject_cast<QLabel *>(w)) {
            if (l->text().isEmpty())
                continue;
            QSize need = l->sizeHint();
            if (l->wordWrap())
                need = QSize(0, l->heightForWidth(l->width()));
            if (need.width() > l->width() || need.height() > l->height())
                report(l, l->text(), need);
        } else if (qobject_cast<QRadioButton *>(w) || qobject_cast<QCheckBox *>(w)) {
            auto *b = static_cast<QAbstractButton *>(w);
            if (b->sizeHint().width() > b->width())
                report(b, b->text(), b->sizeHint());
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            // A push button's hint holds generous margins; the text itself must fit.
            const QString text = QString(b->text()).remove(u'&');
            const int need = b->fontMetrics().horizontalAdvance(text) + 4;
            if (!text.isEmpty() && need > b->width())
                report(b, b->text(), QSize(need, b->height()));
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            const int need = g->fontMetrics().horizontalAdvance(g->title()) + 8;
            if (!g->title().isEmpty() && need > g->width())
                report(g, g->title(), QSize(need, g->height()));
        } else if (auto *t = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                const QString text = QString(t->tabText(i)).remove(u'&');
                const int need = t->fontMetrics().horizontalAdvance(text) + 8;
                if (t->isTabVisible(i) && t->tabRect(i).width() < need)
                    report(t, t->tabText(i), QSize(need, t->tabRect(i).height()));
            }
        }
    }
    return clipped;
}
