#pragma once

// `status [--json]`: thresholds (TR 255), data blocks (DR 255) and model
// codes (MN per mixer) of every linked mixer.

#include "cli/cliargs.h"
#include "cli/statusreport.h"

#include <QStringList>

#include <optional>

class CliContext;
class MdlComm;

QString checkStatusArgs(const QStringList &args);
CliExit runStatusCommand(CliContext &context, const QStringList &args);

// The exchanges themselves, on an open link; nothing when no mixer answered
// the data request.
std::optional<StatusReport> readStatus(MdlComm &comm);
