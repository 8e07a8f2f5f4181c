#pragma once

// The words of the program's command line that neither the chairperson's
// start nor the virtual chain reads: --help and --version, answered before
// any display is needed; the remote operation's --remote ADDRESS:PORT,
// --control ADDRESS:PORT and --remote-tokens FILE (read again by the remote
// operation itself); --log-journal; and
// Qt's own options (-platform NAME, -style NAME, -reverse ...), which
// QApplication takes. What is left is the part the other readings judge.

#include <QString>
#include <QStringList>

struct GeneralArguments
{
    bool ok = true;
    QString error;        // why the command line was refused, for stderr
    bool help = false;    // -h, --help
    bool version = false; // -v, --version
    bool logJournal = false; // --log-journal: the activity log goes to the system log too
    QStringList rest;     // the command line without them, program name first
};

// `arguments` with the program name first.
GeneralArguments parseGeneralArguments(const QStringList &arguments);

// The first word of `rest` (program name first) that looks like an option;
// empty when there is none. Run on what every reading has left: an option
// nobody took is a typo, not something to ignore.
QString strayOption(const QStringList &rest);

// What --help prints and what follows a refused command line.
QString startUsage();
// What --version prints: "ZK-VR340a 2.9-114".
QString versionLine();

// Where windows would open: the display platform Qt is told to use (-platform
// NAME or QT_QPA_PLATFORM, empty when neither) and the desktops that are there.
struct DisplayEnvironment
{
    QString platform;
    bool x11 = false;     // DISPLAY is set
    bool wayland = false; // WAYLAND_DISPLAY is set
    static DisplayEnvironment current(const QStringList &arguments);
};

// Why no window can open, for stderr ("" when one may): said instead of
// the abort QApplication ends with where no desktop is.
QString displayProblem(const DisplayEnvironment &environment);
