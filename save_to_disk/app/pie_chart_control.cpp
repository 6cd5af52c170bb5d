#include "save_to_disk/app/pie_chart_control.h"

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

// Selects a GDI object into a device context for a scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

void Paint(HWND chart, HDC dc) {
    RECT client;
    GetClientRect(chart, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const auto* slices = reinterpret_cast<const std::vector<ChartSlice>*>(GetWindowLongPtrA(chart, GWLP_USERDATA));
    if (slices == nullptr || slices->empty()) return;

    const ChartRect e{0, 0, client.right, client.bottom - kShadowDrop};
    Selected pen(dc, GetStockObject(BLACK_PEN));
    {
        Selected shadow(dc, GetStockObject(BLACK_BRUSH));
        Ellipse(dc, e.left, e.top + kShadowDrop, e.right, e.bottom + kShadowDrop);
    }
    double before = 0;
    for (const ChartSlice& slice : *slices) {
        const SliceShape shape = ShapeOfSlice(e, before, slice.fraction);
        if (shape != SliceShape::None) {
            UniqueBrush brush(CreateSolidBrush(SliceColour(slice.kind)));
            Selected fill(dc, brush.get());
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
