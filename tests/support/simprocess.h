#pragma once

// A running zkvr340a-sim program: started with its arguments, its "ready"
// line parsed into endpoints (tcp=…, serial=…, usb=…), ended with SIGTERM when
// it goes out of scope.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>

// A program built beside the tests (the bin folder).
inline QString testBinary(const char *name)
{
    return qEnvironmentVariable("ZKVR340A_BIN_DIR") + QLatin1Char('/') + QLatin1String(name);
}

struct SimProcess
{
    QProcess process;
    QMap<QString, QString> endpoints;

    bool start(const QStringList &args)
    {
        process.start(testBinary("zkvr340a-sim"), args);
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

    // Ends the program; its exit code (-1 when it did not exit normally).
    int stop()
    {
        if (process.state() == QProcess::Running) {
            ::kill(pid_t(process.processId()), SIGTERM);
            process.waitForFinished(5000);
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    ~SimProcess() { stop(); }
};
