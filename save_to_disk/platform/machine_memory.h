// The memory the save file must hold: the machine's installed memory.
#pragma once

#include <cstdint>

// The memory in bytes: the virtual notebook's, when its control device is
// there and answers a size within its range (machine_memory_protocol.h);
// otherwise the physical memory Windows counts.
uint64_t MachineMemoryBytes();
