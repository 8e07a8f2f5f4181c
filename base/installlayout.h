#pragma once

// Where an installed program finds its parts. The program, the tool and the
// virtual mixer sit in the bin folder of the prefix; devbridge sits in a
// private library folder, found from the bin folder by a relative path fixed
// at build time, so the layout works under any prefix. The build tree keeps
// everything side by side in bin/ instead.

#include <QString>

// The private library folder that belongs to a program in `programDir`
// (whether it exists or not); empty when the build names none.
QString privateLibraryDir(const QString &programDir);

// Whether `programDir` is the bin folder of an installed layout, that is, its
// private library folder exists. Such a folder is shared by every user of the
// machine: nothing of one user's is written there.
bool isInstalledProgramDir(const QString &programDir);
