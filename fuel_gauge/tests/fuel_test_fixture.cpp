#include "fuel_gauge/tests/fuel_test_fixture.h"

#include <map>

namespace {

std::map<UINT_PTR, std::function<void()>>& PendingBodies() {
    static std::map<UINT_PTR, std::function<void()>> bodies;
    return bodies;
}

void CALLBACK RunPendingBody(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto& bodies = PendingBodies();
    const auto found = bodies.find(id);
    if (found == bodies.end()) return;
    std::function<void()> body = std::move(found->second);
    bodies.erase(found);
    body();
}

}  // namespace

void WhenModal(std::function<void()> body) {
    const UINT_PTR id = SetTimer(nullptr, 0, 20, RunPendingBody);
    ASSERT_NE(id, 0u);
    PendingBodies()[id] = std::move(body);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void GaugeOverModel::RunGauge(const std::function<void(CFuelWindow&, HWND)>& body) {
    CFuelWindow window(instance, shell);
    bool ran = false;
    WhenModal([&] {
        ran = true;
        body(window, window.hwnd());
        if (window.hwnd() != nullptr) PostMessageA(window.hwnd(), WM_COMMAND, IDCANCEL, 0);
    });
    window.DoModal(instance, nullptr);
    EXPECT_TRUE(ran) << "the gauge window did not open";
}

std::vector<std::pair<int, int>> GaugeOverModel::PowerModeSwitches() const {
    std::vector<std::pair<int, int>> switches;
    for (const SmiRequest& r : LoggedRequests(*model))
        if (r.Eax == 0x9611 && r.Ebx == 0x0116) switches.emplace_back(DL(r), CL(r));
    return switches;
}
