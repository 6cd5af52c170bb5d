// The messages of a CDialog that its base class does not route (system
// commands, mouse, owner drawing, colours, the tray's callback): a hook put in
// front of the dialog's window procedure sees every message first.
#pragma once

#include <windows.h>

class DialogMessageHook {
public:
    // Return true when the message was handled; result is then what the
    // window procedure returns. Otherwise the dialog gets the message as usual.
    virtual bool OnHookedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

protected:
    ~DialogMessageHook() = default;
};

// Puts hook in front of dialog's window procedure until the window is
// destroyed. False when the procedure cannot be replaced.
bool HookDialogMessages(HWND dialog, DialogMessageHook* hook);

// The gauge's colours, black text on white, for the WM_CTLCOLOR messages of
// the dialog and its controls. True (with the brush in result) when message
// is one of them.
bool PaintBlackOnWhite(UINT message, WPARAM wParam, LRESULT& result);
