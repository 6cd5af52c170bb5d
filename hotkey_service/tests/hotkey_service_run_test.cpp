// End to end: Pressmon's test build installed as "HotkeyService", started by
// the service manager, driven by hot keys pressed on the virtual notebook
// (which scripts/wine-prefix-machine has installed in the prefix).
// Message boxes and shut-downs go to pressmon-seam.log through the test seam.
#include <gtest/gtest.h>

#include <functional>

#include "common/win32/unique_handle.h"
#include "tests/support/console_program.h"
#include "tests/support/test_log.h"

namespace {

constexpr char kServiceKey[] = "System\\CurrentControlSet\\Services\\Hotkey";
constexpr char kLaunchKey[] = "SOFTWARE\\Merovant\\HotkeyTest";
constexpr char kPlayCommandKey[] = "SOFTWARE\\CLASSES\\ESSPlayList\\shell\\Play\\command";

std::string Machinesim(const std::string& arguments) {
    std::string output;
    DWORD exitCode = 0;
    EXPECT_TRUE(RunProgramBeside("machinesim.exe", arguments, &output, &exitCode));
    EXPECT_EQ(exitCode, 0u) << "machinesim " << arguments << ": " << output;
    return output;
}

// One line of "machinesim hotkey", such as "releases=1".
std::string HotkeyStatusLine(const char* name) {
    const std::string status = Machinesim("hotkey");
    const std::string prefix = std::string(name) + "=";
    const std::size_t at = status.find(prefix);
    if (at == std::string::npos) return "";
    return status.substr(at + prefix.size(), status.find_first_of("\r\n", at) - at - prefix.size());
}

std::string RunPressmon(const char* arguments) {
    std::string output;
    DWORD exitCode = 99;
    EXPECT_TRUE(RunProgramBeside("PressmonUnderTest.exe", arguments, &output, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    return output;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    for (DWORD waited = 0;; waited += 100) {
        if (condition()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(100);
    }
}

void SetString(const char* path, const char* name, const std::string& value) {
    UniqueRegistryKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
}

void DeleteKeyTree(HKEY parent, const char* path) {
    UniqueRegistryKey key;
    if (RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return;
    char child[256];
    DWORD size = sizeof child;
    while (RegEnumKeyExA(key.get(), 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        DeleteKeyTree(key.get(), child);
        size = sizeof child;
    }
    key.reset();
    RegDeleteKeyA(parent, path);
}

std::string LaunchKeyFor(int key) { return std::string(kLaunchKey) + "\\" + std::to_string(key); }

SERVICE_STATUS QueryHotkeyService() {
    SERVICE_STATUS status{};
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_QUERY_STATUS));
    QueryServiceStatus(service.get(), &status);
    return status;
}

// Leaves no "HotkeyService" behind, also one that a test left stop-pending:
// its process is ended when it does not stop.
void DeleteHotkeyService() {
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_ALL_ACCESS));
    if (!service) return;
    SERVICE_STATUS status{};
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
    if (!WaitUntil([] { return QueryHotkeyService().dwCurrentState == SERVICE_STOPPED; }, 3000)) {
        SERVICE_STATUS_PROCESS process{};
        DWORD needed = 0;
        if (QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&process),
                                 sizeof process, &needed) &&
            process.dwProcessId != 0) {
            UniqueKernelHandle running(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process.dwProcessId));
            if (running) {
                TerminateProcess(running.get(), 1);
                WaitForSingleObject(running.get(), 5000);
            }
        }
        WaitUntil([] { return QueryHotkeyService().dwCurrentState == SERVICE_STOPPED; }, 3000);
    }
    DeleteService(service.get());
}

// The service's configuration, the launch keys and the player command in the
// registry, and empty logs.
class HotkeyConfiguration : public testing::Test {
protected:
    void SetUp() override {
        DeleteHotkeyService();
        for (const char* log : {"pressmon-seam.log", "argument-recorder.log", "audio-rack.log"})
            DeleteFileA(PathBesideProgram(log).c_str());
        for (const char* group : {"Function", "Number", "Playstation", "Shutdown"}) SetString(kServiceKey, group, "1");
        {
            UniqueRegistryKey key;
            ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_SET_VALUE, key.put()), ERROR_SUCCESS);
            const DWORD pollingTime = 25;
            RegSetValueExA(key.get(), "PollingTime", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&pollingTime),
                           sizeof pollingTime);
        }
        SetString(kServiceKey, "RegistryKey", kLaunchKey);
        const std::string recorder = PathBesideProgram("argument_recorder.exe");
        SetString(LaunchKeyFor(1).c_str(), "Tag", "Immediate");
        SetString(LaunchKeyFor(1).c_str(), "NumProgReg", recorder);
        SetString(LaunchKeyFor(1).c_str(), "NumParam", "number one");
        const std::string programKey = std::string(kLaunchKey) + "\\Recorder";
        SetString(programKey.c_str(), "Program", recorder);
        SetString(LaunchKeyFor(2).c_str(), "Tag", "indirect");
        SetString(LaunchKeyFor(2).c_str(), "NumProgReg", programKey);
        SetString(LaunchKeyFor(3).c_str(), "Tag", "IMMEDIATE");
        SetString(LaunchKeyFor(3).c_str(), "FuncProgReg", recorder);
        SetString(LaunchKeyFor(3).c_str(), "FuncParam", "function three");
        SetString(LaunchKeyFor(3).c_str(), "NumProgReg", recorder);
        SetString(kPlayCommandKey, nullptr, PathBesideProgram("audio_rack_standin.EXE") + " /play \"%1\"");
        releasesBefore_ = HotkeyStatusLine("releases");
    }

    void TearDown() override {
        Machinesim("release-fails off");
        DeleteHotkeyService();
        if (HWND player = FindWindowA(nullptr, "AudioRack32")) PostMessageA(player, WM_CLOSE, 0, 0);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kServiceKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kLaunchKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\CLASSES\\ESSPlayList");
    }

    static std::string Log(const char* name) { return ReadWholeFile(PathBesideProgram(name)); }

    // Presses a key and waits until the log has grown by the expected line.
    static bool PressAndWait(const char* groupAndMask, const char* log, const std::string& expected) {
        Machinesim(std::string("press ") + groupAndMask);
        return WaitUntil([&] { return Log(log).find(expected) != std::string::npos; });
    }

    static void InstallAndStartService() {
        ASSERT_EQ(RunPressmon("-install"), "Hotkey Panel Service installed.\n");
        UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_START));
        ASSERT_TRUE(StartServiceA(service.get(), 0, nullptr));
    }

    static void DeleteServiceValue(const char* name) {
        UniqueRegistryKey key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, KEY_SET_VALUE, key.put()), ERROR_SUCCESS);
        RegDeleteValueA(key.get(), name);
    }

    std::string releasesBefore_;
};

// The test build installed as "HotkeyService" and started by the service manager.
class HotkeyServiceRun : public HotkeyConfiguration {
protected:
    void SetUp() override {
        HotkeyConfiguration::SetUp();
        if (HasFatalFailure()) return;

        InstallAndStartService();
        ASSERT_TRUE(WaitUntil([] { return QueryHotkeyService().dwCurrentState == SERVICE_RUNNING; }));
    }
};

}  // namespace

TEST_F(HotkeyServiceRun, RunsWithTheDriverSetUpAndRemoveStopsItWithTheReleaseRequest) {
    const SERVICE_STATUS status = QueryHotkeyService();
    EXPECT_EQ(status.dwControlsAccepted, DWORD{SERVICE_ACCEPT_STOP});
    EXPECT_EQ(status.dwCheckPoint, 0u);
    EXPECT_EQ(HotkeyStatusLine("setup"), "00 00 00 00 01 01 01 01 19 00 00 00");

    const std::string removal = RunPressmon("-remove");
    EXPECT_EQ(removal.rfind("Stopping Hotkey Panel Service.", 0), 0u) << removal;
    const std::string ending = "\nHotkey Panel Service stopped.\nHotkey Panel Service removed.\n";
    ASSERT_GE(removal.size(), ending.size());
    EXPECT_EQ(removal.substr(removal.size() - ending.size()), ending) << removal;
    EXPECT_EQ(std::stoul(HotkeyStatusLine("releases")), std::stoul(releasesBefore_) + 1);
}

TEST_F(HotkeyServiceRun, KeysStartTheirProgramsInImmediateAndIndirectMode) {
    // Number key 1, immediate, with parameters; number key 2, indirect, with none.
    EXPECT_TRUE(PressAndWait("1 0x01", "argument-recorder.log", "args:number one\n"));
    EXPECT_TRUE(PressAndWait("1 0x02", "argument-recorder.log", "args:number one\nargs:\n"));
    // Function key 3 takes the function-key values.
    EXPECT_TRUE(PressAndWait("0 0x04", "argument-recorder.log", "args:function three\n"));
    EXPECT_EQ(Log("pressmon-seam.log"), "");

    // A key without a launch key, and a "RegistryKey" with no room for the digit.
    EXPECT_TRUE(PressAndWait("1 0x10", "pressmon-seam.log", "Can not find application to be launched."));
    SetString(kServiceKey, "RegistryKey", std::string(78, 'K'));
    EXPECT_TRUE(PressAndWait("1 0x01", "pressmon-seam.log", "An error occurs in querying RegistryKey.\n"));
    EXPECT_EQ(Log("argument-recorder.log"), "args:number one\nargs:\nargs:function three\n");
}

TEST_F(HotkeyServiceRun, PlaystationKeysCommandTheAudioPlayer) {
    // No player window: the command line, cut after its EXE, is started first.
    EXPECT_TRUE(PressAndWait("2 0x04", "audio-rack.log", "command 0x7d01b8b\n"));
    EXPECT_EQ(Log("audio-rack.log"), "started:\ncommand 0x7d01b8b\n");
    EXPECT_TRUE(PressAndWait("2 0x01", "audio-rack.log", "command 0x7d003f2\n"));
    EXPECT_TRUE(PressAndWait("2 0x02", "audio-rack.log", "command 0x7d003f0\n"));
    EXPECT_TRUE(PressAndWait("2 0x08", "audio-rack.log", "command 0x7d01b8a\n"));
    // Key 9 finds the player and posts nothing; the player started only once.
    Machinesim("press 2 0x00");
    Sleep(500);
    EXPECT_EQ(Log("audio-rack.log"),
              "started:\ncommand 0x7d01b8b\ncommand 0x7d003f2\ncommand 0x7d003f0\ncommand 0x7d01b8a\n");
    EXPECT_EQ(Log("pressmon-seam.log"), "");
}

TEST_F(HotkeyServiceRun, ShutdownKeysShutDownThroughTheSeam) {
    // Key 8 forces the shut-down without the release request; key 7 releases first.
    EXPECT_TRUE(PressAndWait("2 0x80", "pressmon-seam.log", "shutdown 5\n"));
    EXPECT_EQ(HotkeyStatusLine("releases"), releasesBefore_);
    EXPECT_TRUE(PressAndWait("2 0x40", "pressmon-seam.log", "shutdown 5\nshutdown 1\n"));
    EXPECT_EQ(std::stoul(HotkeyStatusLine("releases")), std::stoul(releasesBefore_) + 1);
}

TEST_F(HotkeyServiceRun, StaysStopPendingWhileTheDriverRefusesTheRelease) {
    Machinesim("release-fails on");
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_STOP | SERVICE_QUERY_STATUS));
    SERVICE_STATUS status{};
    ASSERT_TRUE(ControlService(service.get(), SERVICE_CONTROL_STOP, &status));
    Sleep(1000);
    EXPECT_EQ(QueryHotkeyService().dwCurrentState, DWORD{SERVICE_STOP_PENDING});
    // The service manager takes no second stop request from a stop-pending
    // service; the tear-down ends its process.
}

// -remove waits 30 s for a service that the driver keeps stop-pending, then
// says it failed to stop and removes it all the same.
TEST_F(HotkeyServiceRun, RemoveGivesUpOnAServiceThatDoesNotStop) {
    Machinesim("release-fails on");
    const DWORD started = GetTickCount();
    const std::string removal = RunPressmon("-remove");
    const DWORD took = GetTickCount() - started;
    const std::string ending = ".\nHotkey Panel Service failed to stop.\nHotkey Panel Service removed.\n";
    ASSERT_GE(removal.size(), ending.size()) << removal;
    EXPECT_EQ(removal.substr(removal.size() - ending.size()), ending) << removal;
    EXPECT_GE(took, 29000u);
    EXPECT_LT(took, 45000u);
}

TEST_F(HotkeyConfiguration, GroupsAndPollingTimeComeFromTheServiceKey) {
    SetString(kServiceKey, "Function", "0abc");  // a leading zero turns the group off
    SetString(kServiceKey, "Number", "");         // an empty value leaves it on
    SetString(kServiceKey, "Shutdown", "0");
    DeleteServiceValue("PollingTime");           // 10 instead
    const std::string setupsBefore = HotkeyStatusLine("setups");
    InstallAndStartService();
    EXPECT_TRUE(WaitUntil([&] { return HotkeyStatusLine("setups") != setupsBefore; }));
    EXPECT_EQ(HotkeyStatusLine("setup"), "00 00 00 00 00 01 01 00 0A 00 00 00");
}

TEST_F(HotkeyConfiguration, AMissingGroupValueEndsTheServiceWithItsMessage) {
    DeleteServiceValue("Playstation");
    InstallAndStartService();
    EXPECT_TRUE(WaitUntil([] { return QueryHotkeyService().dwCurrentState == SERVICE_STOPPED; }));
    EXPECT_EQ(Log("pressmon-seam.log"), "message 0 Hotkey Panel Notification: An error occurs in querying Playstation.\n");
}

TEST_F(HotkeyConfiguration, DebugRunsTheWorkerInTheConsoleUntilCtrlC) {
    const std::string setupsBefore = HotkeyStatusLine("setups");
    ConsoleProgram pressmon;
    ASSERT_TRUE(pressmon.Start(QuotedProgramBeside("PressmonUnderTest.exe") + " -debug", CREATE_NEW_CONSOLE));
    EXPECT_TRUE(WaitUntil([&] { return HotkeyStatusLine("setups") != setupsBefore; }));
    EXPECT_TRUE(PressAndWait("1 0x01", "argument-recorder.log", "args:number one\n"));

    // Ctrl+C in Pressmon's own console, sent from the test attached to it.
    FreeConsole();
    ASSERT_TRUE(AttachConsole(pressmon.ProcessId())) << GetLastError();
    SetConsoleCtrlHandler(nullptr, TRUE);
    EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
    std::string output;
    DWORD exitCode = 99;
    ASSERT_TRUE(pressmon.Finish(10000, &output, &exitCode));
    EXPECT_EQ(WithoutCarriageReturns(output), "Debugging Hotkey Panel Service.\nStopping Hotkey Panel Service.\n");
    EXPECT_EQ(exitCode, 0u);
    // The debug run sends no release request and tells the service manager nothing.
    EXPECT_EQ(HotkeyStatusLine("releases"), releasesBefore_);
    EXPECT_EQ(Log("pressmon-seam.log"), "");
}
