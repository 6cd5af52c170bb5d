#include "fuel_gauge/tray/black_on_white.h"

bool PaintBlackOnWhite(UINT message, WPARAM wParam, INT_PTR& result) {
    switch (message) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            // A stock object: nothing to free.
            result = reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
            return true;
        }
        default:
            return false;
    }
}
