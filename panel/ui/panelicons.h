#pragma once

// The panel toolbar's pictures, drawn rather than loaded: each says at a
// glance what its command does.

#include "panel/panelcommands.h"

#include <QIcon>

QIcon panelToolIcon(PanelCommand command);
