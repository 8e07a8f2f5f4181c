#include "app/ui/frmmsg.h"

#include "base/clock.h"
#include "base/strings.h"
#include "base/ui/placeform.h"
#include "app/world.h"
#include "link/comm.h"
#include "link/protocol.h"

#include <QLabel>
#include <QVBoxLayout>

FrmMsg::FrmMsg(QWidget *parent) : QDialog(parent), m_label(new QLabel(str(1301), this))
{
    setObjectName(QStringLiteral("FrmMsg"));
    setWindowTitle(str(StrId::AppTitle));
    setModal(true);
    // The job decides when the window goes; the user cannot close it early.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 20, 36, 20);
    layout->addWidget(m_label);
    setFixedSize(sizeHint().expandedTo(QSize(240, 80)));
}

JobWindow::JobWindow(World &world, MdlComm &comm) : m_world(world), m_comm(comm), m_protocol(comm) {}

JobContext JobWindow::context()
{
    return JobContext{m_comm.state(), m_world.mixers, m_world.dialogs, m_protocol, extendedValues,
                      markFirstReply, refreshExtendedDisplay, SetData, &m_world.activity};
}

bool JobWindow::run(QWidget *anchor, PlaceMode mode, const std::function<bool()> &work)
{
    if (m_running)
        return false;
    m_running = true;
    FrmMsg window(anchor);
    PlaceForm(&window, anchor, mode);
    window.show();
    m_world.clock.processEvents();
    if (onShown)
        onShown(window);
    const bool ok = work();
    window.close();
    m_running = false;
    return ok;
}

bool JobWindow::runJob(const JobWork &work, QWidget *anchor, PlaceMode mode)
{
    return run(anchor, mode, [this, &work] { return JobRunner(context()).run(work); });
}

bool JobWindow::runIpJob(const IpJob &job, QWidget *over)
{
    const JobWork work = job.kind == IpJob::Kind::Write ? JobWork::ipWrite(job.request)
                                                        : JobWork::initialise(Wire::Attached, ResetNetworkCode);
    return runJob(work, over, PlaceMode::Centred);
}

std::optional<QString> JobWindow::runDirect(bool readMode, const QByteArray &request, QWidget *over)
{
    std::optional<QString> result;
    run(over, PlaceMode::Centred, [&] {
        DirectAccessJob job(m_comm, m_world.dialogs, readMode, request);
        if (job.run(m_world.clock) != DirectAccessJob::State::Succeeded)
            return false;
        result = job.dataText();
        return true;
    });
    return result;
}
