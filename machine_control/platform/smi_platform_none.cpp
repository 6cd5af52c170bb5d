#include "machine_control/core/smi_platform.h"

// Outside Windows there is no driver: every operation fails until a test
// puts a transport in place.
SmiTransport* PlatformSmiTransport() { return nullptr; }
