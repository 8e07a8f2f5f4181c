#pragma once

// The job window FrmMsg: a small modal window that says "転送中．．．．"
// while one link job runs, and closes itself when the job ends. JobWindow
// owns the running flag and does the work; the job logic is in app/jobs.h.

#include "app/jobs.h"
#include "base/placement.h"
#include "link/comm.h"
#include "link/ipsettings/ipsettings.h"
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
    std::function<SetDataOutcome(SendScope)> SetData;     // ends the transfer of loaded settings
    const ExtendedValuesSource *extendedValues = nullptr; // mixer 1's editor entries

    // Shows FrmMsg placed against `anchor` (the main window, or the IP
    // settings dialog) and runs `work`. A call while a job runs does
    // nothing. Returns whether the job succeeded.
    bool runJob(const JobWork &work, QWidget *anchor, PlaceMode mode);
    // A job of the IP settings dialog, centred over it.
    bool runIpJob(const IpJob &job, QWidget *over);
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
