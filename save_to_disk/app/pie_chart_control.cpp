#include "save_to_disk/app/pie_chart_control.h"

#include "common/win32/gdi_guards.h"
#include "common/win32/unique_handle.h"

namespace {

COLORREF SliceColour(SliceKind kind) {
    switch (kind) {
    case SliceKind::SaveFile:
        return RGB(0, 255, 0);
    case SliceKind::Free:
        return RGB(255, 0, 255);
    default:
        return RGB(0, 0, 255);
    }
}

void Paint(HWND chart, HDC dc) {
    RECT client;
    GetClientRect(chart, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const auto* slices = reinterpret_cast<const std::vector<ChartSlice>*>(GetWindowLongPtrA(chart, GWLP_USERDATA));
    if (slices == nullptr || slices->empty()) return;

    const ChartRect e{0, 0, client.right, client.bottom - kShadowDrop};
    SelectedObject pen(dc, GetStockObject(BLACK_PEN));
    {
        SelectedObject shadow(dc, GetStockObject(BLACK_BRUSH));
        Ellipse(dc, e.left, e.top + kShadowDrop, e.right, e.bottom + kShadowDrop);
    }
    double before = 0;
    for (const ChartSlice& slice : *slices) {
        const SliceShape shape = ShapeOfSlice(e, before, slice.fraction);
        if (shape != SliceShape::None) {
            UniqueBrush brush(CreateSolidBrush(SliceColour(slice.kind)));
            SelectedObject fill(dc, brush.get());
            ChartPoint start, end;
            SliceEndPoints(e, before, slice.fraction, start, end);
            if (shape == SliceShape::Whole)
                Ellipse(dc, e.left, e.top, e.right, e.bottom);
            else
                Pie(dc, e.left, e.top, e.right, e.bottom, start.x, start.y, end.x, end.y);
        }
        before += slice.fraction;
    }
}

LRESULT CALLBACK PieChartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPieChartClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, kPieChartClass, &wc)) return true;
    wc.lpfnWndProc = PieChartProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPieChartClass;
    return RegisterClassA(&wc) != 0;
}

void PlacePieChart(HWND dialog, int id) {
    RECT client;
    GetClientRect(dialog, &client);
    const ChartRect e = ChartEllipse(client.right, client.bottom);
    MoveWindow(GetDlgItem(dialog, id), e.left, e.top, e.right - e.left, e.bottom - e.top + kShadowDrop, TRUE);
}

void SetPieChartSlices(HWND chart, const std::vector<ChartSlice>* slices) {
    SetWindowLongPtrA(chart, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(slices));
    InvalidateRect(chart, nullptr, TRUE);
}
