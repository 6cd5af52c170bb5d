#include "fuel_gauge/tests/fuel_test_fixture.h"

#include <map>

#include "common/win32/unique_handle.h"
#include "resources/fuel/resource.h"
#include "tests/support/pictures.h"
#include "tests/support/wait_for.h"

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

void GaugeOverModel::SetUpTestSuite() {
    desktop = std::make_unique<ShellDesktop>("FuelWindowTest" + std::to_string(GetCurrentProcessId()));
}

void GaugeOverModel::RunGauge(const std::function<void(HWND)>& body) {
    CFuelWindow window(instance, shell);
    bool ran = false;
    WhenModal([&] {
        ran = true;
        body(window.hwnd());
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

bool GaugeOverModel::ShowsBattery(HWND gauge, int picture) const {
    const auto shown =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageA(gauge, IDC_FUEL_BATTERY, STM_GETIMAGE, IMAGE_BITMAP, 0));
    UniqueBitmap expected(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(picture), IMAGE_BITMAP, 0, 0, 0)));
    const Pixels pixels = BitmapPixels(shown);
    return !pixels.empty() && pixels == BitmapPixels(expected.get());
}

bool GaugeOverModel::ShowsModeIcon(HWND gauge, int icon) const {
    const auto shown = reinterpret_cast<HICON>(SendDlgItemMessageA(gauge, IDC_FUEL_MODE, STM_GETICON, 0, 0));
    UniqueIcon expected(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(icon), IMAGE_ICON, 32, 32, 0)));
    // A background no picture uses, so that the masks count too.
    constexpr COLORREF kBackground = RGB(1, 2, 3);
    const Pixels pixels = IconPixels(shown, 32, kBackground);
    return !pixels.empty() && pixels == IconPixels(expected.get(), 32, kBackground);
}

std::vector<std::string> GaugeOverModel::TrayTips() {
    std::vector<std::string> tips;
    for (const NotificationIcon& icon : NotificationIcons()) tips.push_back(icon.tip);
    return tips;
}

bool GaugeOverModel::TrayShows(int icon) const {
    UniqueIcon picture(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, 0)));
    return WaitFor(
        [&] {
            const std::vector<NotificationIcon> icons = NotificationIcons();
            return icons.size() == 1 && DrawsPicture(icons[0], picture.get());
        },
        3000);
}
