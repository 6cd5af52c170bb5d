#include "common/win32/window_icon.h"

void SetWindowIcon(HWND window, HINSTANCE instance, UINT iconId) {
    const auto load = [&](int widthMetric, int heightMetric) {
        return reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                                   LR_SHARED));
    };
    SendMessageA(window, WM_SETICON, ICON_BIG, load(SM_CXICON, SM_CYICON));
    SendMessageA(window, WM_SETICON, ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON));
}
