// What sorvault's two main dialogs (the file dialog and the partition dialog)
// set up alike: the program's icon as their large and small icon, and their
// one tab, drawn the classic way (with visual styles the tab's page is white,
// and the labels, values and chart on it, drawn in the dialog's colour, would
// stand out as grey boxes).
#pragma once

#include <windows.h>

#include "common/win32/unique_handle.h"

class CDialogFrame {
public:
    // Sets the program's icon on dialog and gives tabControl its one tab,
    // titled by string tabTitle.
    void SetUp(HWND dialog, HINSTANCE instance, int tabControl, UINT tabTitle);

private:
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};
