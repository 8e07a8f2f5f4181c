#include "cli/progressline.h"

#include <QTextStream>

ProgressLine::ProgressLine(QTextStream &err, bool shown) : m_err(err), m_shown(shown)
{
}

ProgressLine::~ProgressLine()
{
    finish();
}

void ProgressLine::show(const QString &text)
{
    if (!m_shown || (m_open && text == m_last))
        return;
    // Blanks over what a longer line before left behind.
    m_err << '\r' << text.leftJustified(m_open ? int(m_last.size()) : 0);
    m_err.flush();
    m_last = text;
    m_open = true;
}

void ProgressLine::finish()
{
    if (!m_open)
        return;
    m_err << '\n';
    m_err.flush();
    m_open = false;
    m_last.clear();
}
