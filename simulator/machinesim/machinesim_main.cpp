// machinesim: the console program that installs the virtual notebook and
// reads and changes the machine through its control device.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "common/win32/unique_handle.h"
#include "simulator/machinesim/machine_state_fields.h"
#include "simulator/machinesim/control_device.h"
#include "simulator/machinesim/driver_service.h"
#include "simulator/machinesim/machinesim_resource.h"
#include "simulator/machinesim/smi_log_format.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Prints string id (a printf format) to stderr.
template <typename... Args>
int Report(UINT id, int result, Args... args) {
    char format[1024];
    if (LoadStringA(GetModuleHandleA(nullptr), id, format, sizeof format) == 0) return result;
    std::fprintf(stderr, format, args...);
    return result;
}

int Usage() { return Report(IDS_USAGE, kUsage); }

bool ParseByte(const char* text, std::uint8_t& value) {
    std::uint32_t v = 0;
    if (!ParseMachineNumber(text, v) || v > 0xFF) return false;
    value = static_cast<std::uint8_t>(v);
    return true;
}

int Show(const ControlDevice& device) {
    MachineState state;
    if (!device.GetState(state)) return Report(IDS_REFUSED, kFailed);
    std::fputs(FormatMachineState(state).c_str(), stdout);
    return kOk;
}

int Set(const ControlDevice& device, int count, char** assignments) {
    if (count == 0) return Usage();
    MachineState state;
    if (!device.GetState(state)) return Report(IDS_REFUSED, kFailed);
    for (int i = 0; i < count; ++i) {
        if (!SetMachineStateField(state, assignments[i])) return Report(IDS_BAD_SETTING, kFailed, assignments[i]);
    }
    return device.SetState(state) ? kOk : Report(IDS_REFUSED, kFailed);
}

int Hotkey(const ControlDevice& device) {
    HotkeyStatus status;
    if (!device.GetHotkeys(status)) return Report(IDS_REFUSED, kFailed);
    std::printf("setup=");
    const auto* setup = reinterpret_cast<const unsigned char*>(&status.lastSetup);
    for (unsigned i = 0; i < sizeof status.lastSetup; ++i) std::printf(i == 0 ? "%02X" : " %02X", setup[i]);
    std::printf("\nsetups=%u\nreleases=%u\nreleaseFails=%u\nqueued=%u\n", status.setupCount, status.releaseCount,
                status.releaseFails, status.queuedEvents);
    return kOk;
}

int Log(const ControlDevice& device, bool decode) {
    ControlLogChunk chunk;
    for (std::uint32_t first = 0;; first += chunk.count) {
        if (!device.ReadLog(first, chunk)) return Report(IDS_REFUSED, kFailed);
        if (chunk.count == 0) return kOk;
        for (std::uint32_t i = 0; i < chunk.count; ++i)
            std::printf("%s\n", FormatSmiLogLine(chunk.entries[i], decode).c_str());
    }
}

int LoadDmi(const ControlDevice& device, const char* file) {
    UniqueFileHandle handle(
        CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::uint8_t table[kSmbiosTableMax + 1];
    DWORD size = 0;
    if (!handle || !ReadFile(handle.get(), table, sizeof table, &size, nullptr) || size == 0 || size > kSmbiosTableMax)
        return Report(IDS_BAD_TABLE, kFailed, file);
    return device.LoadSmbiosTable(table, size) ? kOk : Report(IDS_REFUSED, kFailed);
}

// The commands that talk to a running machine.
int RunOnMachine(const ControlDevice& device, std::string_view command, int argc, char** argv) {
    if (command == "show" && argc == 0) return Show(device);
    if (command == "set") return Set(device, argc, argv);
    if (command == "press" && argc == 2) {
        std::uint8_t group = 0, mask = 0;
        if (!ParseByte(argv[0], group) || !ParseByte(argv[1], mask)) return Usage();
        return device.PressHotkey(group, mask) ? kOk : Report(IDS_REFUSED, kFailed);
    }
    if (command == "hotkey" && argc == 0) return Hotkey(device);
    if (command == "release-fails" && argc == 1) {
        const std::string_view value = argv[0];
        if (value != "on" && value != "off") return Usage();
        return device.SetReleaseFails(value == "on") ? kOk : Report(IDS_REFUSED, kFailed);
    }
    if (command == "fail" && argc == 1) {
        std::uint32_t count = 0;
        if (!ParseMachineNumber(argv[0], count)) return Usage();
        return device.FailNextRequests(count) ? kOk : Report(IDS_REFUSED, kFailed);
    }
    if (command == "dmi" && argc == 1) return LoadDmi(device, argv[0]);
    if (command == "log" && argc == 0) return Log(device, false);
    if (command == "log" && argc == 1 && std::string_view(argv[0]) == "--decode") return Log(device, true);
    if (command == "log" && argc == 1 && std::string_view(argv[0]) == "--clear")
        return device.ClearLog() ? kOk : Report(IDS_REFUSED, kFailed);
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string_view command = argv[1];
    if (command == "install" && argc == 2) return InstallDriverService() ? kOk : Report(IDS_INSTALL_FAILED, kFailed);
    if (command == "remove" && argc == 2) return RemoveDriverService() ? kOk : Report(IDS_REMOVE_FAILED, kFailed);
    ControlDevice device;
    if (!device.Open()) return Report(IDS_NOT_RUNNING, kFailed);
    return RunOnMachine(device, command, argc - 2, argv + 2);
}
