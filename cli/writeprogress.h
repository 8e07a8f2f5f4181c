#pragma once

// The progress line of a verified write (set, load): the values handed to
// the link in this pass against those the pass has to send, and the values
// the read-backs have settled against all of the run's values, e.g.
// "load: pass 1: sent 340/1248, done 0/1360". A pass begins with
// the first value sent after a read-back.

#include "cli/progressline.h"

#include <QMetaObject>
#include <QString>

class CliContext;
class MdlComm;
class MixerSync;
struct MixerState;

class WriteProgress
{
public:
    // `total` values of `mixers` are flagged for the run. Shown as the
    // context allows (a terminal, no --quiet); the counting goes on either way.
    WriteProgress(CliContext &context, MdlComm &comm, MixerSync &sync, int total, QString command);
    ~WriteProgress();
    WriteProgress(const WriteProgress &) = delete;
    WriteProgress &operator=(const WriteProgress &) = delete;

    // The run has ended: the line is closed before any report follows.
    void finish();

private:
    void messageSent(const quint8 *data, int count);
    void update();

    CliContext &m_context;
    MdlComm &m_comm;
    const MixerSync &m_sync;
    ProgressLine m_line;
    QMetaObject::Connection m_verified;
    QString m_command;
    int m_total;
    int m_pass = 0;
    int m_passTotal = 0;
    int m_sent = 0;
    int m_checked = 0; // verified, or kept by no mixer of its own
    bool m_readBack = true; // the next value sent begins a pass
};
