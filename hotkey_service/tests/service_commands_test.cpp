// Pressmon's console commands against Wine's service control manager.
#include <gtest/gtest.h>

#include <vector>

#include "common/win32/unique_handle.h"
#include "tests/support/console_program.h"
#include "tests/support/test_log.h"

namespace {

constexpr char kUsageAndDispatcher[] =
    "Pressmon -install          to install the service\n"
    "Pressmon -remove           to remove the service\n"
    "Pressmon -debug <params>   to run as a console app for debugging\n"
    "\nStartServiceCtrlDispatcher being called.\n"
    "This may take several seconds.  Please wait.\n";

// What Pressmon (name, beside the test) prints for arguments; it always exits with 0.
std::string RunPressmon(const char* name, const char* arguments) {
    std::string output;
    DWORD exitCode = 99;
    EXPECT_TRUE(RunProgramBeside(name, arguments, &output, &exitCode));
    EXPECT_EQ(exitCode, 0u) << arguments;
    return output;
}

struct InstalledService {
    bool exists = false;
    DWORD type = 0, startType = 0, errorControl = 0;
    std::string binaryPath, displayName, account, dependencies;
};

InstalledService QueryHotkeyService() {
    InstalledService result;
    UniqueServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    UniqueServiceHandle service(OpenServiceA(manager.get(), "HotkeyService", SERVICE_QUERY_CONFIG));
    if (!service) return result;
    std::vector<char> buffer(8192);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    DWORD needed = 0;
    if (!QueryServiceConfigA(service.get(), config, static_cast<DWORD>(buffer.size()), &needed)) return result;
    result.exists = true;
    result.type = config->dwServiceType;
    result.startType = config->dwStartType;
    result.errorControl = config->dwErrorControl;
    result.binaryPath = config->lpBinaryPathName;
    result.displayName = config->lpDisplayName;
    result.account = config->lpServiceStartName ? config->lpServiceStartName : "";
    result.dependencies = config->lpDependencies ? config->lpDependencies : "";
    return result;
}

}  // namespace

TEST(PressmonInstall, RegistersTheServiceAndRemoveDeletesItQuietlyWhenNotRunning) {
    // From a folder with a blank in its name, the program path must be quoted.
    CreateDirectoryA(PathBesideProgram("hotkey panel").c_str(), nullptr);
    const std::string blank = PathBesideProgram("hotkey panel\\Pressmon.exe");
    ASSERT_TRUE(CopyFileA(PathBesideProgram("Pressmon.exe").c_str(), blank.c_str(), FALSE));

    const struct {
        const char* program;
        std::string binaryPath;
    } cases[] = {{"Pressmon.exe", PathBesideProgram("Pressmon.exe")},
                 {"hotkey panel\\Pressmon.exe", QuotedProgramBeside("hotkey panel\\Pressmon.exe")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(RunPressmon(c.program, "-install"), "Hotkey Panel Service installed.\n");
        const InstalledService service = QueryHotkeyService();
        ASSERT_TRUE(service.exists);
        EXPECT_EQ(service.type, DWORD{SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS});
        EXPECT_EQ(service.startType, DWORD{SERVICE_AUTO_START});
        EXPECT_EQ(service.errorControl, DWORD{SERVICE_ERROR_NORMAL});
        EXPECT_EQ(service.displayName, "Hotkey Panel Service");
        EXPECT_EQ(service.binaryPath, c.binaryPath);
        EXPECT_EQ(service.dependencies, "");
        EXPECT_EQ(service.account, "LocalSystem");

        EXPECT_EQ(RunPressmon(c.program, "-install").rfind("CreateService failed - ", 0), 0u);
        EXPECT_EQ(RunPressmon(c.program, "/Remove"), "Hotkey Panel Service removed.\n");
        EXPECT_FALSE(QueryHotkeyService().exists);
    }
    EXPECT_EQ(RunPressmon("Pressmon.exe", "-REMOVE"), "OpenService failed - Service does not exist. (0x424)\n");
}

TEST(PressmonEntry, AnyOtherArgumentPrintsTheUsageAndCallsTheDispatcher) {
    // Wine's dispatcher takes its time to give up outside the service manager: one case.
    EXPECT_EQ(RunPressmon("Pressmon.exe", "-installx"), kUsageAndDispatcher);
}
