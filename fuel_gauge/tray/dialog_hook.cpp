#include "fuel_gauge/tray/dialog_hook.h"

namespace {

constexpr char kHookProperty[] = "FuelDialogHook";
constexpr char kProcedureProperty[] = "FuelDialogProcedure";

LRESULT CALLBACK HookedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* hook = static_cast<DialogMessageHook*>(GetPropA(hwnd, kHookProperty));
    auto original = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kProcedureProperty));
    if (original == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(hwnd, kHookProperty);
        RemovePropA(hwnd, kProcedureProperty);
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (hook != nullptr && hook->OnHookedMessage(message, wParam, lParam, result)) return result;
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

}  // namespace

bool HookDialogMessages(HWND dialog, DialogMessageHook* hook) {
    if (!SetPropA(dialog, kHookProperty, hook)) return false;
    const LONG_PTR original = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    if (original == 0 || !SetPropA(dialog, kProcedureProperty, reinterpret_cast<HANDLE>(original))) {
        RemovePropA(dialog, kHookProperty);
        return false;
    }
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookedProcedure));
    return true;
}

bool PaintBlackOnWhite(UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            // A stock object: nothing to free.
            result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
            return true;
        }
        default:
            return false;
    }
}
