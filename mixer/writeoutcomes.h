#pragma once

// The activity log's share of the verified writes: each value, once a run
// has settled it, as one entry with its mixer, key, value, outcome and the
// passes it took.

class ActivityLog;
class SyncStatus;

// Logs every value `sync` settles as verified or failed, for as long as
// both live.
void logWriteOutcomes(SyncStatus &sync, ActivityLog &log);
