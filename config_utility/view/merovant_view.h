// merovant's machine view: the picture of the notebook, the device buttons
// with their lamps, the three picture-switch buttons, tooltips and the
// status-bar hints.
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"
#include "common/win32/window.h"
#include "config_utility/core/view_layout.h"
#include "config_utility/shell/merovant_context.h"
#include "config_utility/view/palette_bitmap.h"
#include "config_utility/view/picture_window.h"

class CMerovantView final : public CWindow {
public:
    explicit CMerovantView(MerovantContext& context) : context_(context) {}
    // The window goes before the bitmaps its controls show.
    ~CMerovantView() override {
        if (hwnd() != nullptr) DestroyWindow(hwnd());
    }

    // Creates the view over `rect` of the frame and all its controls and
    // reads the lamps. statusBar receives the hints.
    bool Create(HWND frame, const RECT& rect, HWND statusBar);
    // The tooltips of the buttons, once the frame has painted: nothing shows
    // them before the mouse rests on a button. A tooltip control that cannot
    // be made is said in a message.
    void CreateTooltips();

    // The View menu's commands: picture, held-down switch button, menu check.
    void ShowFront() { ShowPicture(0); }
    void ShowRear() { ShowPicture(1); }
    void ShowPortReplicator() { ShowPicture(2); }

    // Reads the device of `slot` again and shows its lamp.
    void RefreshLamp(int slot);
    // After the page of a menu command closed: refreshes the lamp that page
    // can change, if any.
    void RefreshLampAfter(int command);

    // Called again whenever the frame becomes active.
    void ActivateTooltips();

    // The palette messages the frame receives.
    void OnPaletteChanged(HWND changer) { picture_.OnPaletteChanged(changer); }
    bool OnQueryNewPalette() { return picture_.OnQueryNewPalette(); }

    int viewPicture() const { return viewButton_ + 1; }
    int viewButton() const { return viewButton_; }
    bool lampOn(int slot) const { return lamps_[slot]; }
    HBITMAP lampBitmap(bool on) const { return on ? lampOn_.get() : lampOff_.get(); }
    HWND tooltip() const { return tooltip_; }
    int pictureBitmap() const { return picture_.bitmapId(); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateControls();
    HWND CreateChild(const char* className, DWORD style, const ViewRect& r, int id);
    void AddTool(HWND control, int text);
    void RelayToTooltip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnButtonMouse(HWND button, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void HoldDown(int index);
    void ShowPicture(int index);
    void ShowLamp(int slot);
    void SetHint(int text);

    MerovantContext& context_;
    HWND statusBar_ = nullptr;
    HWND tooltip_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    CPictureWindow picture_;
    UniqueBitmap lampOn_;
    UniqueBitmap lampOff_;
    UniqueBitmap strip_;
    UniqueIcon buttonImages_[kDeviceSlotCount];
    PaletteBitmap switchUp_[kViewSwitchCount];
    PaletteBitmap switchDown_[kViewSwitchCount];
    bool lamps_[kDeviceSlotCount] = {};
    int viewButton_ = 0;  // 0 front, 1 rear, 2 port replicator
};
