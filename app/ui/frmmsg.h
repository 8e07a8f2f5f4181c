#pragma once

// The job window FrmMsg: a small modal window that says "転送中．．．．"
// while one link job runs, and closes itself when the job ends. JobWindow
// owns the running flag and does the work; the job logic is in app/jobs.h.

#include "app/jobs.h"
#include "base/placement.h"
#include "link/comm.h"
#include "link/protocol.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
struct World;

class FrmMsg : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMsg(QWidget *parent = nullptr);
    QLabel *Label1() const { return m_label; }

private:
    QLabel *m_label;
};

class JobWindow
{
public:
    JobWindow(World &world, MdlComm &comm);

    // Filled by the application: what the jobs reach outside the link.
    std::function<void()> markFirstReply;                 // StatusPoll FirstReply 0 → 1
    std::function<void(int mixer)> refreshExtendedDisplay; // editor of the mixer
    std::function<bool()> SetData;                        // ends job 7
    const ExtendedValuesSource *extendedValues = nullptr; // mixer 1's editor entries

    // The job loop's call: shows FrmMsg placed against `main` (-1 below it,
    // 0 centred on it) and runs the job in JobRequest. A call while a job
    // runs does nothing. Returns whether the job succeeded.
    bool showJobWindow(int placeMode, QWidget *main);
    // Runs `job` in the window centred over `over` (the IP settings dialog).
    bool runCentred(int job, QWidget *over) { return runJob(job, over, PlaceMode::Centred); }
    bool runJob(int job, QWidget *anchor, PlaceMode mode);
    // The direct-access job (FrmDirect) of `request` ("A","R" or "A","W").
    // The hexadecimal data of a successful read, an empty text after a
    // write; nullopt when the access failed (its message was shown).
    std::optional<QString> runDirect(bool readMode, const QByteArray &request, QWidget *over);

    bool jobWindowVisible() const { return m_running; }
    // Observer for tests: called with the window while it is shown.
    std::function<void(FrmMsg &)> onShown;

private:
    bool run(QWidget *anchor, PlaceMode mode, const std::function<bool()> &work);
    JobContext context();

    World &m_world;
    MdlComm &m_comm;
    MixerProtocol m_protocol;
    bool m_running = false;
};
