// What the Windows tests of every program share around the machine: the
// model's transport with chosen operations failing, HKEY_LOCAL_MACHINE
// redirected to a scratch key, and the requests the model received.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "machine_control/core/smi_request.h"
#include "simulator/model/machine_model.h"
#include "simulator/model/model_transport.h"

// The model's transport, with chosen operations failing: a request whose Eax
// and Ebx match an entry gets no answer.
class FailingModelTransport final : public SmiTransport {
public:
    explicit FailingModelTransport(MachineModel& model) : inner_(model) { previous_ = SetSmiTransport(this); }
    ~FailingModelTransport() { SetSmiTransport(previous_); }
    FailingModelTransport(const FailingModelTransport&) = delete;
    FailingModelTransport& operator=(const FailingModelTransport&) = delete;

    Bool32 Open() override { return inner_.Open(); }
    Bool32 Close() override { return inner_.Close(); }
    Bool32 Exchange(const SmiRequest& request, SmiRequest& reply) override {
        for (const auto& [eax, ebx] : failing)
            if (request.Eax == eax && request.Ebx == ebx) return 0;
        return inner_.Exchange(request, reply);
    }

    std::vector<std::pair<std::uint32_t, std::uint32_t>> failing;

private:
    ModelTransport inner_;
    SmiTransport* previous_ = nullptr;
};

// HKEY_LOCAL_MACHINE redirected to an empty scratch key for the test's life.
class ScratchMachineKey {
public:
    ScratchMachineKey();
    ~ScratchMachineKey();
    ScratchMachineKey(const ScratchMachineKey&) = delete;
    ScratchMachineKey& operator=(const ScratchMachineKey&) = delete;

    // Writes a value of the configuration key.
    void SetConfigurationValue(const char* name, const char* value);
    // Removes a value of the configuration key, if it is there.
    void RemoveConfigurationValue(const char* name);

private:
    HKEY root_ = nullptr;
};

// The request the model received, in order.
std::vector<SmiRequest> LoggedRequests(const MachineModel& model);
// How often the model received a request with these words.
int CountRequests(const MachineModel& model, std::uint32_t eax, std::uint32_t ebx, std::uint32_t ecx = 0,
                  std::uint32_t edx = 0);
