// The chart control drawn on the screen and read back pixel by pixel: a very
// thin slice must not paint the whole ellipse in its colour over the others.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <vector>

#include "common/win32/unique_handle.h"
#include "save_to_disk/app/pie_chart_control.h"

namespace {

constexpr COLORREF kFile = RGB(0, 255, 0), kFree = RGB(255, 0, 255), kUsed = RGB(0, 0, 255);
// The file dialog's chart: an ellipse of 126 x 56 and its shadow below.
constexpr int kWidth = 126, kHeight = 56 + kShadowDrop;

// How many pixels of each colour the control shows for these slices.
std::map<COLORREF, int> DrawnColours(const std::vector<ChartSlice>& slices) {
    std::map<COLORREF, int> counts;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterPieChartClass(instance)) return counts;
    HWND chart = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPieChartClass, "", WS_POPUP | WS_VISIBLE, 40, 40,
                                 kWidth, kHeight, nullptr, nullptr, instance, nullptr);
    if (chart == nullptr) return counts;
    SetPieChartSlices(chart, &slices);
    UpdateWindow(chart);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC window = GetDC(chart);
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ previous = SelectObject(memory, bitmap.get());
    BitBlt(memory, 0, 0, kWidth, kHeight, window, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; pixels != nullptr && i < kWidth * kHeight; ++i) {
        const uint32_t p = pixels[i];  // 0x00RRGGBB
        ++counts[RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)];
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(chart, window);
    DestroyWindow(chart);
    return counts;
}

TEST(PieChartControl, AThinSliceLeavesTheOtherSlicesVisible) {
    constexpr uint64_t kGiB = 1024 * 1024;  // in KB
    struct Case {
        const char* what;
        std::vector<ChartSlice> slices;
        COLORREF shown, absent;
    } const cases[] = {
        {"150 KB used of 1 GiB", FileChartSlices(0, kGiB - 150, 150, kGiB), kFree, kUsed},
        {"150 KB free of 1 GiB", FileChartSlices(0, 150, kGiB - 150, kGiB), kUsed, kFree},
    };
    // An ellipse of 126 x 56 covers about 5,500 pixels.
    constexpr int kMostOfTheEllipse = 4500;
    for (const Case& c : cases) {
        std::map<COLORREF, int> drawn = DrawnColours(c.slices);
        EXPECT_GT(drawn[c.shown], kMostOfTheEllipse) << c.what;
        EXPECT_EQ(drawn[c.absent], 0) << c.what;
        EXPECT_EQ(drawn[kFile], 0) << c.what << ": no save file";
    }
    // Slices that all show are all drawn: the pixels are read as painted.
    std::map<COLORREF, int> drawn = DrawnColours(FileChartSlices(250, 500, 250, 1000));
    EXPECT_GT(drawn[kFile], 1000);
    EXPECT_GT(drawn[kFree], 2000);
    EXPECT_GT(drawn[kUsed], 1000);
}

}  // namespace
