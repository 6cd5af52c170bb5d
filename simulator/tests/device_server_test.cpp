// The devices' handling of one buffered request: lengths, codes, the event.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "simulator/model/control_protocol.h"
#include "simulator/model/device_server.h"

namespace {

struct LengthCase {
    const char* name;
    NotebookDevice device;
    std::uint32_t code;
    std::uint32_t in;
    std::uint32_t out;
};

TEST(DeviceServer, BlocksOfTheWrongLengthAreRefusedWithoutEffect) {
    const LengthCase cases[] = {
        {"bios short in", NotebookDevice::Bios, kSmiIoctl, 43, 44},
        {"bios short out", NotebookDevice::Bios, kSmiIoctl, 44, 43},
        {"bios long in", NotebookDevice::Bios, kSmiIoctl, 48, 48},
        {"dmi short out", NotebookDevice::Dmi, kIoctlDmiGetTable, 0, 64},
        {"hotkey event short", NotebookDevice::Hotkey, IoctlHotkeyGetEvent, 8, 8},
        {"hotkey setup short", NotebookDevice::Hotkey, IoctlHotkeySetup, 12, 4},
        {"control set state short", NotebookDevice::Control, kCtlSetState, sizeof(MachineState) - 1, 0},
        {"control log short out", NotebookDevice::Control, kCtlReadLog, 4, sizeof(ControlLogChunk) - 1},
        {"control table empty", NotebookDevice::Control, kCtlLoadSmbios, 0, 0},
        {"control table too long", NotebookDevice::Control, kCtlLoadSmbios, kSmbiosTableMax + 1, 0},
    };
    static std::uint8_t buffer[4096];
    for (const LengthCase& c : cases) {
        MachineModel model;
        model.PressHotkey(1, 1);
        std::memset(buffer, 0x5A, sizeof buffer);
        const DeviceAnswer answer = ServeDeviceRequest(model, c.device, {c.code, buffer, c.in, c.out});
        EXPECT_EQ(answer.result, DeviceResult::WrongLength) << c.name;
        EXPECT_EQ(answer.returned, 0u) << c.name;
        EXPECT_EQ(model.LogCount(), 0u) << c.name;
        EXPECT_EQ(model.Hotkeys().queuedEvents, 1u) << c.name;
        EXPECT_EQ(model.Hotkeys().setupCount, 0u) << c.name;
        EXPECT_EQ(model.SmbiosTableSize(), sizeof kDefaultSmbiosTable) << c.name;
    }
    MachineModel model;
    EXPECT_EQ(ServeDeviceRequest(model, NotebookDevice::Bios, {kSmiIoctl, nullptr, 44, 44}).result,
              DeviceResult::WrongLength);
    EXPECT_EQ(ServeDeviceRequest(model, NotebookDevice::Bios, {0x222004, buffer, 44, 44}).result,
              DeviceResult::UnknownCode);
    EXPECT_EQ(ServeDeviceRequest(model, NotebookDevice::Hotkey, {0x22201C, buffer, 0, 0}).result,
              DeviceResult::UnknownCode);
}

TEST(DeviceServer, BiosRequestIsAnsweredInPlace) {
    MachineModel model;
    SmiRequest block{};
    block.Eax = kSmiFunctionDisplay;
    block.Ebx = 0x000B;
    std::uint8_t buffer[sizeof block];
    std::memcpy(buffer, &block, sizeof block);
    const DeviceAnswer answer = ServeDeviceRequest(model, NotebookDevice::Bios, {kSmiIoctl, buffer, 44, 44});
    ASSERT_EQ(answer.result, DeviceResult::Done);
    EXPECT_EQ(answer.returned, 44u);
    std::memcpy(&block, buffer, sizeof block);
    EXPECT_EQ(block.Status, 0u);
    EXPECT_EQ(block.Ecx & 0xFF, 1u) << "the LCD";
}

TEST(DeviceServer, EachQueuedKeySignalsTheEventOnce) {
    MachineModel model;
    ControlHotkeyPress press = {0, 0x01, {0, 0}};
    std::uint8_t buffer[16] = {};
    std::memcpy(buffer, &press, sizeof press);
    EXPECT_TRUE(ServeDeviceRequest(model, NotebookDevice::Control, {kCtlPressHotkey, buffer, 4, 0}).signalHotkeyEvent);
    EXPECT_TRUE(ServeDeviceRequest(model, NotebookDevice::Control, {kCtlPressHotkey, buffer, 4, 0}).signalHotkeyEvent);

    // Two keys, one auto-reset signal each: the first take signals again for the second.
    DeviceAnswer take = ServeDeviceRequest(model, NotebookDevice::Hotkey, {IoctlHotkeyGetEvent, buffer, 12, 12});
    EXPECT_EQ(take.result, DeviceResult::Done);
    EXPECT_TRUE(take.signalHotkeyEvent);
    take = ServeDeviceRequest(model, NotebookDevice::Hotkey, {IoctlHotkeyGetEvent, buffer, 12, 12});
    EXPECT_EQ(take.result, DeviceResult::Done);
    EXPECT_FALSE(take.signalHotkeyEvent);
    take = ServeDeviceRequest(model, NotebookDevice::Hotkey, {IoctlHotkeyGetEvent, buffer, 12, 12});
    EXPECT_EQ(take.result, DeviceResult::Refused);
}

TEST(DeviceServer, LogIsReadInChunksFromAnyStart) {
    MachineModel model;
    for (std::uint32_t i = 0; i < kControlLogChunkEntries + 3; ++i) {
        SmiRequest r{}, reply{};
        r.Esi = i;
        model.AnswerSmiRequest(r, reply);
    }
    static ControlLogChunk chunk;
    std::uint32_t first = kControlLogChunkEntries;
    std::memcpy(&chunk, &first, sizeof first);
    const DeviceAnswer answer = ServeDeviceRequest(
        model, NotebookDevice::Control,
        {kCtlReadLog, reinterpret_cast<std::uint8_t*>(&chunk), sizeof first, sizeof chunk});
    ASSERT_EQ(answer.result, DeviceResult::Done);
    EXPECT_EQ(chunk.total, kControlLogChunkEntries + 3);
    EXPECT_EQ(chunk.count, 3u);
    EXPECT_EQ(chunk.entries[0].request.Esi, kControlLogChunkEntries);
}

// Any bytes, any lengths the system buffer can hold, any code: the devices
// answer without reading or writing past the buffer (checked under ASan) and
// never claim more output than there is room for.
TEST(DeviceServer, SurvivesArbitraryRequests) {
    const std::uint32_t codes[] = {kSmiIoctl,     IoctlHotkeySetup, IoctlHotkeyRelease, kCtlGetState,
                                   kCtlSetState,  kCtlPressHotkey,   kCtlGetHotkeys,      kCtlReleaseFails,
                                   kCtlFailNext,  kCtlReadLog,       kCtlClearLog,        kCtlLoadSmbios,
                                   kCtlArmFault,  kCtlGetStatus,     kCtlReset,           kCtlGetSmbios,
                                   kIoctlMachineMemory};
    static MachineModel model;
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    for (int i = 0; i < 20000; ++i) {
        const NotebookDevice device = static_cast<NotebookDevice>(next() % 4);
        const std::uint32_t code = next() % 8 == 0 ? 0x220000u + next() % 0x4000 : codes[next() % std::size(codes)];
        // Lengths cluster around the blocks' sizes, with some anywhere in the buffer.
        const std::uint32_t sizes[] = {0, 4, 12, 44, sizeof(MachineState), sizeof(ControlLogChunk), next() % 4097};
        const std::uint32_t in = sizes[next() % 7], out = sizes[next() % 7];
        const std::uint32_t room = in > out ? in : out;
        // The system buffer is exactly as long as the longer of the two.
        std::vector<std::uint8_t> system_buffer(room);
        for (std::uint8_t& b : system_buffer) b = static_cast<std::uint8_t>(next());
        const DeviceAnswer answer =
            ServeDeviceRequest(model, device, {code, room == 0 ? nullptr : system_buffer.data(), in, out});
        EXPECT_LE(answer.returned, out);
    }
}

// The control device takes a state only when the machine could restore it
// after a restart; the programs read the memory it holds.
TEST(DeviceServer, StateIsTakenWithinItsRangeAndTheMemoryAnsweredAsSet) {
    static MachineModel model;
    std::uint8_t buffer[sizeof(MachineState)];
    auto setState = [&](const MachineState& state) {
        std::memcpy(buffer, &state, sizeof state);
        return ServeDeviceRequest(model, NotebookDevice::Control, {kCtlSetState, buffer, sizeof state, 0}).result;
    };
    auto memory = [&](std::uint32_t room, std::uint32_t& megabytes) {
        std::memset(buffer, 0xEE, sizeof buffer);
        const DeviceAnswer answer =
            ServeDeviceRequest(model, NotebookDevice::Control, {kIoctlMachineMemory, buffer, 0, room});
        std::memcpy(&megabytes, buffer, sizeof megabytes);
        return answer;
    };
    std::uint32_t megabytes = 0;
    ASSERT_EQ(memory(4, megabytes).returned, 4u);
    EXPECT_EQ(megabytes, kDefaultMemoryMegabytes);

    MachineState state{};
    state.memoryMegabytes = 128;
    ASSERT_EQ(setState(state), DeviceResult::Done);
    state.memoryMegabytes = kMostMemoryMegabytes + 1;
    EXPECT_EQ(setState(state), DeviceResult::Refused);
    state.memoryMegabytes = 256;
    state.curDisplay = kDisplayBoth + 1;
    EXPECT_EQ(setState(state), DeviceResult::Refused);
    EXPECT_EQ(memory(4, megabytes).result, DeviceResult::Done);
    EXPECT_EQ(megabytes, 128u) << "a refused state changes nothing";
    EXPECT_EQ(model.state.curDisplay, kDisplayLcd);
    EXPECT_EQ(memory(3, megabytes).result, DeviceResult::WrongLength);
}

TEST(DeviceServer, ArmedDmiFaultRefusesTheTableOnceAndTheControlDeviceListsIt) {
    static MachineModel model;
    static std::uint8_t buffer[kSmbiosTableMax];
    ControlFault fault = {kFaultDmi, 1};
    std::memcpy(buffer, &fault, sizeof fault);
    ASSERT_EQ(ServeDeviceRequest(model, NotebookDevice::Control, {kCtlArmFault, buffer, sizeof fault, 0}).result,
              DeviceResult::Done);
    ControlStatus status{};
    ASSERT_EQ(ServeDeviceRequest(model, NotebookDevice::Control, {kCtlGetStatus, buffer, 0, sizeof status}).result,
              DeviceResult::Done);
    std::memcpy(&status, buffer, sizeof status);
    EXPECT_EQ(status.faults[kFaultDmi], 1u);
    EXPECT_EQ(ServeDeviceRequest(model, NotebookDevice::Dmi, {kIoctlDmiGetTable, buffer, 0, sizeof buffer}).result,
              DeviceResult::Refused);
    EXPECT_EQ(ServeDeviceRequest(model, NotebookDevice::Dmi, {kIoctlDmiGetTable, buffer, 0, sizeof buffer}).result,
              DeviceResult::Done);
    fault = {kFaultTargets, 1};
    std::memcpy(buffer, &fault, sizeof fault);
    EXPECT_EQ(ServeDeviceRequest(model, NotebookDevice::Control, {kCtlArmFault, buffer, sizeof fault, 0}).result,
              DeviceResult::Refused);
}

}  // namespace
