#include "machine_control/core/smi_channel.h"

#include <cstring>

#include "machine_control/core/smi_platform.h"

namespace {

// The one channel of the process. No lock: every caller is on the UI thread.
SmiTransport* g_transport = nullptr;

SmiTransport* Transport() {
    if (g_transport == nullptr) g_transport = PlatformSmiTransport();
    return g_transport;
}

}  // namespace

SmiTransport* SetSmiTransport(SmiTransport* transport) {
    SmiTransport* previous = Transport();
    g_transport = transport != nullptr ? transport : PlatformSmiTransport();
    return previous;
}

Bool32 OpenMachineControl() {
    SmiTransport* t = Transport();
    return t != nullptr && t->Open();
}

Bool32 CloseMachineControl() {
    SmiTransport* t = Transport();
    return t != nullptr && t->Close();
}

Bool32 SendSmiRequest(SmiRequest request, SmiRequest& reply) {
    SmiTransport* t = Transport();
    if (t == nullptr) return 0;
    SmiRequest answer = request;
    if (!t->Exchange(request, answer)) return 0;
    reply = answer;
    return 1;
}

Bool32 TakeSmiReply(const std::uint8_t* answer, std::uint32_t returned, SmiRequest& reply) {
    // A shorter answer would leave part of the block unwritten: the machine
    // did not answer in full.
    if (answer == nullptr || returned != sizeof reply) return 0;
    std::memcpy(&reply, answer, sizeof reply);
    return 1;
}
