// The transport a program gets when nothing else was put in place:
// the driver's device on Windows, none elsewhere.
#pragma once

#include "machine_control/core/smi_channel.h"

SmiTransport* PlatformSmiTransport();
