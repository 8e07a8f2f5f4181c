#pragma once

// A value's mark on screen: a small badge in the top-right corner of the
// control (or row) it belongs to, its glyph on its colour, the words as the
// tooltip of badge and control, and as the control's description for
// assistive technology.

#include "editor/valuemarks.h"

#include <QLabel>

#include <functional>
#include <map>
#include <vector>

struct MixerState;
class SyncStatus;
class TimeOfDay;

class MarkBadge : public QLabel
{
    Q_OBJECT
public:
    // Sits over `host`, following its size; hidden until a mark is shown.
    explicit MarkBadge(QWidget *host);

    void showMark(const ValueMark &mark);
    const ValueMark &mark() const { return m_mark; }
    // The controls that carry the words for assistive technology; none: the
    // host is the control and carries them itself.
    void describe(std::vector<QWidget *> controls) { m_described = std::move(controls); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QWidget *m_host;
    std::vector<QWidget *> m_described;
    ValueMark m_mark;
};

// The width a mark takes beside a control in `w`'s font.
int markRoom(const QWidget *w);
// `content` in a cell with room at its right for a mark, so that the mark
// covers nothing of it: the host to give MarkSet::add.
QWidget *withMarkRoom(QWidget *content);

// The marks of one window for one mixer: which control shows which value,
// kept as the values' states change. Key ids 1..85 are the mixer's values
// (SyncStatus), 87..103 the extended registers' fields (MixerState's
// ExtendedWrite), as the settings file numbers them.
class MarkSet : public QObject
{
    Q_OBJECT
public:
    // `time` gives the time of day the words name (none: the wall clock's).
    MarkSet(SyncStatus &sync, const MixerState &mixers, int mixer, const TimeOfDay *time, QObject *parent);

    // `name` names the value ("ch 3 ﾁｬﾝﾈﾙﾚﾍﾞﾙ"), `shown` reads a value as the control shows it.
    // `described`: the controls inside the host that carry the words (none:
    // the host is the control).
    void add(int id, QWidget *host, const QString &name, std::function<QString(qint32)> shown,
             std::vector<QWidget *> described = {});
    const MarkBadge *markOf(int id) const;
    // Shows every value as it stands (a failed one stays marked when a
    // window is opened again).
    void showAll();
    // The window's tick: a job settles extended registers without a word
    // to anyone; their marks change here. (The mixer's values are followed
    // through SyncEvents.)
    void follow();

private:
    // Values were submitted: every one now marked shows that it waits.
    void showSubmitted();

    struct Host
    {
        int id = 0;
        MarkBadge *badge = nullptr;
        QString name;
        std::function<QString(qint32)> shown;
        ValueStatus last; // extended fields: the status the mark shows
    };
    ValueStatus statusOf(int id) const;
    void show(Host &host);

    SyncStatus &m_sync;
    const MixerState &m_mixers;
    int m_mixer;
    const TimeOfDay *m_time;
    std::map<int, Host> m_hosts;
    // The tick looks at these only (nodes of m_hosts keep their place): the
    // extended fields every time, the mixer's values while one waits.
    std::vector<Host *> m_extended;
    std::vector<Host *> m_values;
};
