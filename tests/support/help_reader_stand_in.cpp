#include "tests/support/help_reader_stand_in.h"

#include <cstring>

#include "common/win32/unique_handle.h"
#include "tests/support/help_reader.h"
#include "tests/support/wait_for.h"

namespace {

// What WinHelpA sends the reader under Wine, with WM_COPYDATA: the magic
// number as dwData and this header, followed by the file's name (at
// ofsFilename) and the command's data (at ofsData), as the Windows 95 reader
// took it.
#pragma pack(push, 1)
struct WineHelpHeader {
    WORD size;
    WORD command;
    LONG data;
    LONG reserved;
    WORD ofsFilename;
    WORD ofsData;
};
#pragma pack(pop)
static_assert(sizeof(WineHelpHeader) == 16);
constexpr ULONG_PTR kWineHelpMagic = 0xA1DE505;

}  // namespace

HelpReaderStandIn::HelpReaderStandIn(bool takes) : takes_(takes) {
    UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return;
    thread_ = std::thread(&HelpReaderStandIn::Run, this, ready.get());
    WaitForSingleObject(ready.get(), 10000);
}

void HelpReaderStandIn::Close() {
    if (HWND window = window_.load()) PostMessageA(window, WM_CLOSE, 0, 0);
    if (thread_.joinable()) thread_.join();
}

void HelpReaderStandIn::Run(HANDLE ready) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHelpReaderClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kHelpReaderClass, "Help reader stand-in", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, instance, this);
    SetEvent(ready);
    if (window_ == nullptr) return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    UnregisterClassA(kHelpReaderClass, instance);
}

LRESULT CALLBACK HelpReaderStandIn::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HelpReaderStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_COPYDATA:
            if (self == nullptr || lParam == 0) return FALSE;
            self->Record(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return self->takes_ ? TRUE : FALSE;
        case WM_DESTROY:
            if (self != nullptr) self->window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void HelpReaderStandIn::Record(const COPYDATASTRUCT& data) {
    Request request{0, 0, "(malformed)"};
    WineHelpHeader header{};
    const auto* bytes = static_cast<const char*>(data.lpData);
    if (data.dwData == kWineHelpMagic && bytes != nullptr && data.cbData >= sizeof header) {
        std::memcpy(&header, bytes, sizeof header);
        request = {header.command, static_cast<DWORD>(header.data), ""};
        if (header.ofsFilename != 0) {
            // The name ends with its terminator inside the data, or it is not one.
            const char* name = bytes + header.ofsFilename;
            const std::size_t room = header.ofsFilename < data.cbData ? data.cbData - header.ofsFilename : 0;
            const std::size_t length = room != 0 ? strnlen(name, room) : 0;
            request.file = length < room ? std::string(name, length) : "(malformed)";
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
}

std::vector<HelpReaderStandIn::Request> HelpReaderStandIn::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool HelpReaderStandIn::WaitForRequests(std::size_t count) const {
    return WaitFor([&] { return Requests().size() >= count; });
}
