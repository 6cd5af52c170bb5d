// A transport that answers the request library from a MachineModel in the
// same process, for tests that need the machine but not the driver:
//   MachineModel model; ModelTransport t(model); SetSmiTransport(&t);
#pragma once

#include "machine_control/core/smi_channel.h"
#include "simulator/model/machine_model.h"

class ModelTransport final : public SmiTransport {
public:
    explicit ModelTransport(MachineModel& model) : model_(model) {}
    ModelTransport(const ModelTransport&) = delete;
    ModelTransport& operator=(const ModelTransport&) = delete;

    // The channel starts open, as a program's is after start-up, so a test of
    // one page needs no OpenMachineControl; after Close every exchange fails
    // until Open.
    Bool32 Open() override;
    Bool32 Close() override;
    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override;

private:
    MachineModel& model_;
    bool open_ = true;
};
