// The machine view's picture: one of the three large bitmaps, copied 1:1 when
// it nearly fills the window and stretched over it otherwise.
#pragma once

#include <windows.h>

#include "common/win32/window.h"
#include "config_utility/view/palette_bitmap.h"

class CPictureWindow final : public CWindow {
public:
    bool Create(HINSTANCE instance, HWND parent, int id, const RECT& rect);
    // Loads bitmap resource `id` and repaints; a missing resource leaves the
    // window without a picture.
    void ShowBitmap(HINSTANCE instance, int id);
    int bitmapId() const { return bitmapId_; }

    // The palette messages, forwarded by the view.
    void OnPaletteChanged(HWND changer);
    bool OnQueryNewPalette();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

    PaletteBitmap picture_;
    int bitmapId_ = 0;
};
