#include "tests/shipping/shipping_tree.h"

#include "tests/support/console_program.h"

std::string ShippingImage(const char* name) { return WindowsPath(std::string(SHIPPING_TREE "/bin/") + name); }

std::string QuotedShippingImage(const char* name) {
    std::string quoted = "\"";
    quoted += ShippingImage(name);
    return quoted + "\"";
}

bool RunMachinesim(const std::string& arguments, std::string* output) {
    ConsoleProgram machinesim;
    const std::string program = WindowsPath(SHIPPING_TREE "/virtual-notebook/machinesim.exe");
    std::string printed;
    DWORD code = 1;
    const bool ran = machinesim.Start("\"" + program + "\" " + arguments) && machinesim.Finish(60000, &printed, &code);
    *output = WithoutCarriageReturns(printed);
    return ran && code == 0;
}

std::string DecodedMachineLog() {
    std::string log;
    return RunMachinesim("log --decode", &log) ? log : std::string();
}

HWND VisibleWindow(const char* className, const char* title, DWORD skip) {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, title); window != nullptr;
         window = FindWindowExA(nullptr, window, className, title)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != skip && IsWindowVisible(window)) return window;
    }
    return nullptr;
}
