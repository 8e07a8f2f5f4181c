#include "panel/ui/paneldialog.h"

#include <QPointer>

#include <utility>

void PanelDialog::done(int result)
{
    if (m_asking == 0) {
        QDialog::done(result);
        return;
    }
    m_closing = result;
    // The boxes of this dialog end as if cancelled; the dialog follows when
    // the one who asked has its answer.
    for (QDialog *box : findChildren<QDialog *>())
        if (box->isVisible())
            box->done(QDialog::Rejected);
}

bool PanelDialog::ask(const std::function<void()> &question)
{
    const QPointer<PanelDialog> self(this);
    ++m_asking;
    question();
    if (!self)
        return false;
    if (--m_asking > 0)
        return !m_closing;
    if (const std::optional<int> closing = std::exchange(m_closing, std::nullopt)) {
        QDialog::done(*closing);
        return false;
    }
    return true;
}
