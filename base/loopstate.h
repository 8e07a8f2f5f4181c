#pragma once

// What the job loop and the subsystems it drives keep between passes: the
// count-down of the first polls, whether the settings equal the saved file,
// and the file they came from. Jobs are asked for through the job queue.

#include <QString>
#include <QtGlobal>

// DataState: whether the settings equal the saved file.
enum DataStateCode : qint16 {
    DataJustLoaded = -1,  // loaded from a file and not yet sent
    DataSaved = 0,        // equal to the saved file
    DataChanged = 1,      // changed since the last save
};

struct LoopState
{
    qint16 StartupPolls = 3;      // count-down of the first polls; 0 offline
    qint16 DataState = DataChanged;
    qint16 PreviousMixerCount = 0;
    QString DataFileName;         // current settings file
};
