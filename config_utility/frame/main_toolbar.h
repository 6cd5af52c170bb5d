// The main frame's toolbar: power mode, display output, screen blanking, Help.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "common/win32/unique_handle.h"

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

private:
    HWND hwnd_ = nullptr;  // a child of the frame, destroyed with it
    UniqueBitmap bitmap_;  // the images the toolbar shows; it does not own them
    int resourceId_ = 0;
};
