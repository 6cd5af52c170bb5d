// The gauge's colours, black text on white, for the WM_CTLCOLOR messages of
// its dialogs and their controls.
#pragma once

#include <windows.h>

// True (with the brush, a stock object, in result) when message is one of the
// WM_CTLCOLOR messages the gauge paints.
bool PaintBlackOnWhite(UINT message, WPARAM wParam, INT_PTR& result);
