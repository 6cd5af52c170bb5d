// libFuzzer entry: every operation of the catalogue, in turn, answered by a
// driver that the input plays. For each exchange the input gives whether the
// device call succeeded, the count of bytes the driver says it wrote (0 to
// 48) and that many bytes, held in a buffer of exactly that size so that a
// read past the answer is caught. An operation succeeds exactly when a whole
// block came back whose Status is not the refusal, and a failed one writes
// none of its out-parameters.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>

#include "machine_control/core/smi_channel.h"
#include "machine_control/tests/operation_table.h"

namespace {

class DriverOfTheInput final : public SmiTransport {
public:
    explicit DriverOfTheInput(FuzzedDataProvider& input) : input_(input) {}
    Bool32 Open() override { return 1; }
    Bool32 Close() override { return 1; }
    Bool32 Exchange(const SmiRequest&, SmiRequest& reply) override {
        const bool called = input_.ConsumeBool();
        const uint32_t returned = input_.ConsumeIntegralInRange<uint32_t>(0, sizeof(SmiRequest) + 4);
        const std::vector<uint8_t> bytes = input_.ConsumeBytes<uint8_t>(returned);
        const std::unique_ptr<uint8_t[]> answer(new uint8_t[returned]);
        std::copy(bytes.begin(), bytes.end(), answer.get());
        std::fill(answer.get() + bytes.size(), answer.get() + returned, 0xFF);
        accepted = called && returned == sizeof(SmiRequest) &&
                   ReadStatus(answer.get()) != kSmiFailed;
        return called && TakeSmiReply(answer.get(), returned, reply);
    }
    bool accepted = false;

private:
    static uint32_t ReadStatus(const uint8_t* block) {
        return uint32_t(block[0]) | uint32_t(block[1]) << 8 | uint32_t(block[2]) << 16 | uint32_t(block[3]) << 24;
    }
    FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    DriverOfTheInput driver(input);
    SmiTransport* previous = SetSmiTransport(&driver);
    for (const Operation& op : kCatalogue) {
        driver.accepted = false;
        Bool32 result = 0;
        const Outs outs = op.call(result);
        if (bool(result) != driver.accepted) std::abort();
        if (!result && outs != Untouched(op)) std::abort();
    }
    SetSmiTransport(previous);
    return 0;
}
