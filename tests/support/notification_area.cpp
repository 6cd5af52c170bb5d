#include "tests/support/notification_area.h"

#include <commctrl.h>

#include "common/win32/unique_handle.h"
#include "tests/support/pictures.h"
#include "tests/support/wait_for.h"

namespace {

constexpr char kTaskbarClass[] = "Shell_TrayWnd";

// Memory in another process, for the messages whose answer lands behind a
// pointer of that process.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    BYTE* address() const { return static_cast<BYTE*>(address_); }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return WriteProcessMemory(process_, address() + offset, data, size, nullptr) != FALSE;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return ReadProcessMemory(process_, address() + offset, data, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* address_;
};

// The longest text a tooltip hands out.
constexpr SIZE_T kTipCharacters = 1024;

// The tool of a tooltip at index, read in the taskbar's process: its
// rectangle and its text.
bool ReadTool(HWND tooltip, LRESULT index, const RemoteMemory& remote, NotificationIcon& icon) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = reinterpret_cast<WCHAR*>(remote.address() + sizeof tool);
    const WCHAR none = 0;
    if (!remote.Write(0, &tool, sizeof tool) || !remote.Write(sizeof tool, &none, sizeof none)) return false;
    if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.address())))
        return false;
    WCHAR text[kTipCharacters] = {};
    if (!remote.Read(0, &tool, sizeof tool) || !remote.Read(sizeof tool, text, sizeof text - sizeof(WCHAR)))
        return false;
    char narrow[2 * kTipCharacters] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    icon.tip = narrow;
    icon.rect = tool.rect;
    return true;
}

}  // namespace

ShellDesktop::ShellDesktop(const std::string& name) {
    explorer_ = StartProgram("explorer.exe /desktop=" + name + ",640x480");
    if (!explorer_) return;
    HDESK desktop = nullptr;
    if (!WaitFor([&] { return (desktop = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL)) != nullptr; }, 20000))
        return;
    if (!SetThreadDesktop(desktop)) return;
    ready_ = WaitFor([] { return FindWindowA(kTaskbarClass, nullptr) != nullptr; }, 20000);
}

ShellDesktop::~ShellDesktop() {
    if (explorer_) TerminateProcess(explorer_.process.get(), 0);
}

std::vector<NotificationIcon> NotificationIcons() {
    std::vector<NotificationIcon> icons;
    HWND taskbar = FindWindowA(kTaskbarClass, nullptr);
    DWORD id = 0;
    if (taskbar == nullptr || GetWindowThreadProcessId(taskbar, &id) == 0) return icons;
    UniqueKernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id));
    if (!process) return icons;
    const RemoteMemory remote(process.get(), sizeof(TTTOOLINFOW) + kTipCharacters * sizeof(WCHAR));
    if (remote.address() == nullptr) return icons;
    // Each icon has a tooltip of its own, owned by the taskbar; an icon that
    // is not shown keeps its tooltip with an empty rectangle for a while.
    for (HWND tooltip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tooltip != nullptr;
         tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr)) {
        if (GetWindow(tooltip, GW_OWNER) != taskbar) continue;
        const LRESULT count = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            NotificationIcon icon;
            if (ReadTool(tooltip, i, remote, icon) && !IsRectEmpty(&icon.rect)) icons.push_back(icon);
        }
    }
    return icons;
}

bool DrawsPicture(const NotificationIcon& icon, HICON picture) {
    HWND taskbar = FindWindowA(kTaskbarClass, nullptr);
    const Pixels drawn = WindowPixels(taskbar, icon.rect);
    if (drawn.empty()) return false;
    const int width = icon.rect.right - icon.rect.left, height = icon.rect.bottom - icon.rect.top;
    const int size = GetSystemMetrics(SM_CXSMICON);
    const Pixels expected = DrawnPixels(width, height, [&](HDC dc) {
        UniqueBrush brush(CreateSolidBrush(ColourOf(drawn[0])));
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, brush.get());
        DrawIconEx(dc, (width - size) / 2, (height - size) / 2, picture, size, size, 0, nullptr, DI_NORMAL);
    });
    return drawn == expected;
}
