// libFuzzer entry: `machinesim set` with the input's lines as its NAME=VALUE
// arguments. A refused assignment leaves the state as it was, byte for byte;
// and every line `machinesim show` prints of the result is taken back by
// `set`, giving a state that shows the same.
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "simulator/machinesim/machine_state_fields.h"

namespace {

bool SameState(const MachineState& a, const MachineState& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MachineState state;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view assignment = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const MachineState before = state;
        if (!SetMachineStateField(state, assignment) && !SameState(before, state)) std::abort();
    }
    const std::string shown = FormatMachineState(state);
    MachineState readBack{};
    std::memset(&readBack, 0xA5, sizeof readBack);
    std::string_view lines = shown;
    while (!lines.empty()) {
        const size_t end = lines.find('\n');
        if (!SetMachineStateField(readBack, lines.substr(0, end))) std::abort();
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
    }
    if (FormatMachineState(readBack) != shown) std::abort();
    return 0;
}
