// PartitionProbe on the running system: Windows 95/98 asks the auxiliary
// driver, Windows NT the physical drive itself.
#pragma once

#include "save_to_disk/core/partition_probe.h"

// A disk whose device cannot be opened or read reports no partition.
PartitionProbeResult PartitionProbe(bool windowsNt);
