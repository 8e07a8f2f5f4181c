#pragma once

// Command line of the zkvr340a-sim program, parsed without touching any
// resource so that tests can check every option directly.

#include "sim/simchain.h"

#include <QString>
#include <QStringList>

struct SimProgramOptions
{
    SimOptions chain;
    bool tcp = false;
    QString tcpHost = QStringLiteral("127.0.0.1");
    quint16 tcpPort = 0;     // 0: let the system choose, printed in the ready line
    int cutAfter = 0;        // each TCP connection is dropped at its N-th request; 0 never
    bool serial = false;     // a pseudo-terminal, its slave path printed
    int lineRate = 0;        // bits per second the serial line is paced to; 0 unpaced
    QString usbDir;          // FIFO pair under usbDir/usbName
    QString usbName = QStringLiteral("vr340a-0");
    int searchPort = -1;     // UDP search requests (optional)
    QString searchHost;      // where they are heard; empty: the TCP host
    int replyPort = -1;      // where search replies go; default the sender's port
    bool logWrites = false;  // print a line for every write request that arrives
    bool help = false;
};

struct SimParseResult
{
    bool ok = false;
    QString error;           // for the usage message
    SimProgramOptions options;
};

// `args` without the program name.
SimParseResult parseSimArguments(const QStringList &args);

// One command-line word split as "--name=value" (`inlineValue`) or left whole
// as the name, its value to come from the next word.
struct OptionWord
{
    QString name;
    QString value;
    bool inlineValue = false;
};
OptionWord splitOptionWord(const QString &word);
// Gives `word` its value from the next argument when it had none after "="
// (`i` then moves past it). False when the arguments end first.
bool takeOptionValue(const QStringList &args, int &i, OptionWord &word);

// "MIXER:KEY=VALUE", KEY a settings key name such as InputGain_3 or Threshold.
bool parseStuck(const QString &text, SimStuck &out, QString *error = nullptr);

QString simUsage();
