// The main frame's toolbar: power mode, display output, screen blanking, Help.
//
// The status bar follows the mouse over the buttons (the fly-by). comctl32
// 4.00, which Windows 95 and NT 4.0 ship, sends no TBN_HOTITEMCHANGE and has
// no TB_HITTEST or TrackMouseEvent, so the toolbar hit-tests its own mouse
// moves against its buttons' rectangles (TB_GETITEMRECT) and a timer notices
// when the mouse has left; each change is sent to the parent as
// WM_TOOLBAR_HOTCOMMAND.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "common/win32/unique_handle.h"

// Sent to the toolbar's parent when the button under the mouse changes:
// wParam is its command, 0 when the mouse is over no button.
inline constexpr UINT WM_TOOLBAR_HOTCOMMAND = WM_APP + 1;
// The toolbar's own timer, which watches for the mouse leaving its buttons.
inline constexpr UINT_PTR kToolbarLeaveTimer = 0x4D54;

class CMainToolbar {
public:
    CMainToolbar() = default;
    CMainToolbar(const CMainToolbar&) = delete;
    CMainToolbar& operator=(const CMainToolbar&) = delete;

    // Creates the (empty) toolbar window as a child of parent.
    bool Create(HINSTANCE instance, HWND parent);
    // Replaces buttons and images by those of toolbar resource id (the TOOLBAR
    // and the BITMAP of that id) and sets the layout's button styles.
    bool Load(HINSTANCE instance, int resourceId);

    HWND hwnd() const { return hwnd_; }
    int resourceId() const { return resourceId_; }

    // Checks command and unchecks the others of its group.
    void CheckOnly(std::initializer_list<int> group, int command);

    // The command of the button at point (toolbar client coordinates), 0 over
    // a separator, a hidden button or no button.
    int CommandAt(POINT point) const;

private:
    static LRESULT CALLBACK SubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void SetHotCommand(int command);
    void CheckMouseLeft();

    WNDPROC original_ = nullptr;
    int hotCommand_ = 0;
    HWND hwnd_ = nullptr;  // a child of the frame, destroyed with it
    UniqueBitmap bitmap_;  // the images the toolbar shows; it does not own them
    int resourceId_ = 0;
};
