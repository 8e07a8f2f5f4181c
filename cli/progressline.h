#pragma once

// A line on stderr that says how far a long operation has got, rewritten in
// place on a terminal. Where stderr is no terminal (a log, a pipe) or with
// --quiet nothing is written: a script's log stays as it was.

#include <QString>

class QTextStream;

class ProgressLine
{
public:
    ProgressLine(QTextStream &err, bool shown);
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    bool shown() const { return m_shown; }
    // Writes `text` over what the line said before.
    void show(const QString &text);
    // Ends the line, so that whatever comes next starts on a line of its own;
    // the next show() begins a new one.
    void finish();

private:
    QTextStream &m_err;
    bool m_shown;
    QString m_last;
    bool m_open = false;
};
