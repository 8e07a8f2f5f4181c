#pragma once

// Shared by the tool's end-to-end tests: a running zkvr340a-sim (its ready
// line parsed into endpoints) and one run of zkvr340a-ctl.

#include <QProcess>
#include <QtTest>

#include <csignal>

namespace clitest {

inline QString bin(const char *name)
{
    return qEnvironmentVariable("ZKVR340A_BIN_DIR") + QLatin1Char('/') + QLatin1String(name);
}

struct Sim
{
    QProcess process;
    QMap<QString, QString> endpoints;
    bool start(const QStringList &args)
    {
        process.start(bin("zkvr340a-sim"), args);
        if (!process.waitForStarted(5000))
            return false;
        QByteArray line;
        for (int i = 0; i < 100 && !line.endsWith('\n'); ++i) {
            if (!process.waitForReadyRead(100) && process.state() != QProcess::Running)
                break;
            line += process.readLine();
        }
        if (!line.startsWith("ready"))
            return false;
        for (const QByteArray &word : line.trimmed().split(' ').mid(1)) {
            const int eq = word.indexOf('=');
            if (eq > 0)
                endpoints.insert(QString::fromLatin1(word.left(eq)), QString::fromLatin1(word.mid(eq + 1)));
        }
        return true;
    }
    ~Sim()
    {
        if (process.state() == QProcess::Running) {
            ::kill(pid_t(process.processId()), SIGTERM);
            process.waitForFinished(5000);
        }
    }
};

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

} // namespace clitest
using namespace clitest;
