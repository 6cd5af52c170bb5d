// The names under which `machinesim show` prints the machine's state and
// `machinesim set` changes it: one name per field of MachineState, arrays
// with their index ("powerMode[1]").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "simulator/model/machine_state.h"

// Every field as one "name=value" line, in the order of MachineState.
std::string FormatMachineState(const MachineState& state);

// Applies one "name=value" (decimal or 0x hexadecimal, within the field's
// width) to state. Returns false, leaving state as it was, for an unknown
// name, a bad index or a value that does not fit.
bool SetMachineStateField(MachineState& state, std::string_view assignment);

// A decimal or 0x-prefixed hexadecimal number of at most 32 bits, as the
// values of `set` and the arguments of machinesim's other commands are written.
bool ParseMachineNumber(std::string_view text, std::uint32_t& value);
