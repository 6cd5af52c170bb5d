// merovant's restart request after settings that take effect at the next start.
#pragma once

#include "machine_control/core/smi_request.h"

// Enables the shutdown privilege and asks Windows to restart. Returns false
// when the process may not restart the machine (or has no token, as on
// Windows 95/98); true once the restart was requested.
Bool32 RestartMachine();
