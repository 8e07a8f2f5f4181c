#pragma once

// Shared by the tool's end-to-end tests: a running zkvr340a-sim (its ready
// line parsed into endpoints) and one run of zkvr340a-ctl.

#include "tests/support/simprocess.h"

#include <QProcess>
#include <QtTest>

namespace clitest {

inline QString bin(const char *name)
{
    return testBinary(name);
}

using Sim = SimProcess;

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline Run ctl(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(bin("zkvr340a-ctl"), args);
    Run r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(1000);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// The tool's arguments for the virtual mixer's TCP endpoint.
inline QStringList ethernet(const Sim &sim)
{
    return {"--ethernet", sim.endpoints.value("tcp")};
}

inline QString errText(const Run &r)
{
    return QString::fromUtf8(r.err);
}

} // namespace clitest
using namespace clitest;
