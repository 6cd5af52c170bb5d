// machinesim: the console program that installs the virtual notebook and
// reads and changes the machine through its control device.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/win32/library_function.h"
#include "common/win32/unique_handle.h"
#include "machine_control/protocols/first_disk_protocol.h"
#include "simulator/machinesim/machine_state_fields.h"
#include "simulator/machinesim/control_device.h"
#include "simulator/machinesim/driver_service.h"
#include "simulator/machinesim/machinesim_resource.h"
#include "simulator/machinesim/smbios_dump.h"
#include "simulator/machinesim/smi_log_format.h"
#include "simulator/model/fault_targets.h"

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

// Prints string id (a printf format) to stdout.
template <typename... Args>
void Print(UINT id, Args... args) {
    char format[512];
    if (LoadStringA(GetModuleHandleA(nullptr), id, format, sizeof format) == 0) return;
    std::printf(format, args...);
}

bool ReadFirstDisk(char (&path)[MAX_PATH]) {
    UniqueRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof path - 1;
    if (RegQueryValueExA(key.get(), kFirstDiskValue, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    path[size < sizeof path ? size : sizeof path - 1] = '\0';
    return true;
}

int AttachDisk(const char* image) {
    char full[MAX_PATH];
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(image, sizeof full, full, &name);
    if (length == 0 || length >= sizeof full) return Report(IDS_BAD_DISK, kFailed, image);
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Report(IDS_BAD_DISK, kFailed, image);
    UniqueFileHandle file(
        CreateFileA(full, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    char sector[512];
    DWORD read = 0;
    if (!file || !ReadFile(file.get(), sector, sizeof sector, &read, nullptr))
        return Report(IDS_BAD_DISK, kFailed, image);
    UniqueRegistryKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS ||
        RegSetValueExA(key.get(), kFirstDiskValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(full), length + 1) !=
            ERROR_SUCCESS)
        return Report(IDS_DISK_NOT_SET, kFailed);
    return kOk;
}

int DetachDisk() {
    UniqueRegistryKey key;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey, 0, KEY_SET_VALUE, key.put());
    if (opened == ERROR_FILE_NOT_FOUND) return kOk;
    if (opened != ERROR_SUCCESS) return Report(IDS_DISK_NOT_SET, kFailed);
    const LONG deleted = RegDeleteValueA(key.get(), kFirstDiskValue);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? kOk : Report(IDS_DISK_NOT_SET, kFailed);
}

bool ParseByte(const char* text, std::uint8_t& value) {
    std::uint32_t v = 0;
    if (!ParseMachineNumber(text, v) || v > 0xFF) return false;
    value = static_cast<std::uint8_t>(v);
    return true;
}

// Why a save failed, in the system's words: the status's Windows error text,
// without its line break and full stop.
std::string SaveFailureText(std::uint32_t status) {
    using StatusToError = ULONG(WINAPI*)(LONG);
    const auto toError = FindFunction<StatusToError>(GetModuleHandleA("ntdll.dll"), "RtlNtStatusToDosError");
    char text[256] = {};
    if (toError == nullptr ||
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       toError(static_cast<LONG>(status)), 0, text, sizeof text, nullptr) == 0)
        return "unknown error";
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
        reason.pop_back();
    return reason;
}

int Show(const ControlDevice& device) {
    MachineState state;
    ControlStatus status;
    if (!device.GetState(state) || !device.GetStatus(status)) return Report(IDS_REFUSED, kFailed);
    std::fputs(FormatMachineState(state).c_str(), stdout);
    switch (static_cast<SavedSettings>(status.settings)) {
        case SavedSettings::Restored: Print(IDS_SAVED_RESTORED); break;
        case SavedSettings::Damaged: Print(IDS_SAVED_DAMAGED); break;
        case SavedSettings::Saved: Print(IDS_SAVED_SAVED); break;
        case SavedSettings::NotSaved:
            Print(IDS_SAVED_NOT_SAVED, SaveFailureText(status.saveFailure).c_str(), status.saveFailure);
            break;
        default: Print(IDS_SAVED_NONE); break;
    }
    char disk[MAX_PATH];
    if (ReadFirstDisk(disk)) Print(IDS_FIRST_DISK, disk);
    else Print(IDS_NO_FIRST_DISK);
    return kOk;
}

// fail OPERATION [COUNT|always|off], fail --list, fail N.
bool FindFaultTarget(const char* name, std::uint32_t& target) {
    for (std::uint32_t i = 0; i < kFaultTargets; ++i) {
        if (lstrcmpiA(FaultTargetName(i), name) == 0) {
            target = i;
            return true;
        }
    }
    return false;
}

int ListFaults(const ControlDevice& device) {
    ControlStatus status;
    if (!device.GetStatus(status)) return Report(IDS_REFUSED, kFailed);
    bool any = false;
    if (status.pendingFailures != 0) {
        Print(IDS_FAULT_NEXT, status.pendingFailures);
        any = true;
    }
    for (std::uint32_t i = 0; i < kFaultTargets; ++i) {
        if (status.faults[i] == 0) continue;
        if (status.faults[i] == kFaultAlways) Print(IDS_FAULT_ALWAYS, FaultTargetName(i));
        else Print(IDS_FAULT_COUNT, FaultTargetName(i), status.faults[i]);
        any = true;
    }
    if (!any) Print(IDS_NO_FAULTS);
    return kOk;
}

int Fail(const ControlDevice& device, int argc, char** argv) {
    if (argc == 1 && std::string_view(argv[0]) == "--list") return ListFaults(device);
    std::uint32_t count = 0;
    if (argc == 1 && ParseMachineNumber(argv[0], count))
        return device.FailNextRequests(count) ? kOk : Report(IDS_REFUSED, kFailed);
    if (argc != 1 && argc != 2) return Usage();
    std::uint32_t target = 0;
    if (!FindFaultTarget(argv[0], target)) return Report(IDS_BAD_FAULT, kFailed, argv[0]);
    count = 1;
    if (argc == 2) {
        const std::string_view how = argv[1];
        if (how == "always") count = kFaultAlways;
        else if (how == "off") count = 0;
        else if (!ParseMachineNumber(how, count) || count == kFaultAlways) return Usage();
    }
    return device.ArmFault(target, count) ? kOk : Report(IDS_REFUSED, kFailed);
}

int Battery(const ControlDevice& device, std::string_view how) {
    if (how != "hold" && how != "run") return Usage();
    MachineState state;
    if (!device.GetState(state)) return Report(IDS_REFUSED, kFailed);
    state.batteryHeld = how == "hold" ? 1 : 0;
    return device.SetState(state) ? kOk : Report(IDS_REFUSED, kFailed);
}

int DumpDmi(const ControlDevice& device, const char* file) {
    std::uint8_t table[kSmbiosTableMax];
    std::uint32_t size = 0;
    if (!device.ReadSmbiosTable(table, size)) return Report(IDS_REFUSED, kFailed);
    std::vector<std::uint8_t> dump;
    if (!BuildSmbiosDump(table, size, dump)) return Report(IDS_TABLE_NOT_DUMPED, kFailed);
    UniqueFileHandle handle(CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!handle || !WriteFile(handle.get(), dump.data(), static_cast<DWORD>(dump.size()), &written, nullptr) ||
        written != dump.size())
        return Report(IDS_NOT_WRITTEN, kFailed, file);
    return kOk;
}

int Set(const ControlDevice& device, int count, char** assignments) {
    if (count == 0) return Usage();
    MachineState state;
    if (!device.GetState(state)) return Report(IDS_REFUSED, kFailed);
    for (int i = 0; i < count; ++i) {
        if (!SetMachineStateField(state, assignments[i]) || !StateInRange(state))
            return Report(IDS_BAD_SETTING, kFailed, assignments[i]);
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
    // The latest set-up and release requests, oldest first.
    const std::uint32_t first =
        status.recordCount > kHotkeyRecordCapacity ? status.recordCount - kHotkeyRecordCapacity : 0;
    for (std::uint32_t n = first; n < status.recordCount; ++n) {
        const HotkeyRequestRecord& record = status.records[n % kHotkeyRecordCapacity];
        if (record.kind == kHotkeyRequestSetup) {
            std::printf("request=setup");
            const auto* block = reinterpret_cast<const unsigned char*>(&record.setup);
            for (unsigned i = 0; i < sizeof record.setup; ++i) std::printf(" %02X", block[i]);
        } else {
            std::printf("request=release");
        }
        std::printf(record.accepted ? " done\n" : " refused\n");
    }
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
    if (command == "fail") return Fail(device, argc, argv);
    if (command == "battery" && argc == 1) return Battery(device, argv[0]);
    if (command == "reset" && argc == 0) return device.ResetToFactory() ? kOk : Report(IDS_REFUSED, kFailed);
    if (command == "dmi" && argc == 2 && std::string_view(argv[0]) == "--dump") return DumpDmi(device, argv[1]);
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
    // The disk is the registry's: it needs no running driver.
    if (command == "disk" && argc == 3) {
        if (std::string_view(argv[2]) == "--none") return DetachDisk();
        return AttachDisk(argv[2]);
    }
    ControlDevice device;
    if (!device.Open()) return Report(IDS_NOT_RUNNING, kFailed);
    return RunOnMachine(device, command, argc - 2, argv + 2);
}
