// The process-wide channel to the BIOS request driver.
//
// Every program opens it once at start-up (ignoring the result) and closes it
// once at exit. While it is closed, every operation returns false.
#pragma once

#include "machine_control/core/smi_request.h"

Bool32 OpenMachineControl();
Bool32 CloseMachineControl();

// The channel held open for a program's whole run and closed on every way
// out. Whether the open succeeded does not matter: without a driver every
// operation simply fails.
class MachineControlSession {
public:
    MachineControlSession() { OpenMachineControl(); }
    ~MachineControlSession() { CloseMachineControl(); }
    MachineControlSession(const MachineControlSession&) = delete;
    MachineControlSession& operator=(const MachineControlSession&) = delete;
};

// One synchronous exchange: the request goes to the driver, the answer lands in
// reply. On failure reply is left as it was.
Bool32 SendSmiRequest(SmiRequest request, SmiRequest& reply);

// The driver's answer to one exchange: `answer` holds the `returned` bytes it
// wrote. Only a whole block is a reply; for any other count the call failed
// and reply is left as it was.
Bool32 TakeSmiReply(const std::uint8_t* answer, std::uint32_t returned, SmiRequest& reply);

// What carries the 44-byte blocks. On Windows the default transport opens the
// driver's device; tests put the virtual notebook's model (or a recorder) in
// its place. The transport keeps its own open/closed state.
class SmiTransport {
public:
    virtual Bool32 Open() = 0;
    virtual Bool32 Close() = 0;
    virtual Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) = 0;

protected:
    ~SmiTransport() = default;
};

// Puts transport in place of the current one and returns the one it replaced.
// Passing nullptr restores the platform's own transport (none outside Windows).
SmiTransport* SetSmiTransport(SmiTransport* transport);
