// Help for a dialog or property page: the control under a point, the help
// context of a control, of the control under a point (What's This) and of the
// window F1 was pressed in, and the program's own help file.
#pragma once

#include <windows.h>

// The shown child control of parent under a screen point, enabled or not; a
// group frame counts only where none of the controls it surrounds is.
// nullptr when the point is over none.
HWND ControlAt(HWND parent, POINT screen);

// How a program numbers its help contexts: a control's is control + its id,
// a dialog's own is dialog + its template id.
struct HelpContextBases {
    DWORD control;
    DWORD dialog;
};

// The help context of control, a child of the dialog made from template
// templateId: the control's by its id; the dialog's own for nullptr and for
// an unnamed control (a frame or label with id -1).
DWORD HelpContextOf(HWND control, int templateId, const HelpContextBases& bases);

// The help context of the control of dialog under a screen point, or the
// dialog's own over no control.
DWORD HelpContextAt(HWND dialog, POINT screen, int templateId, const HelpContextBases& bases);

// The help context of item, the window that had the keyboard focus when F1
// was pressed (WM_HELP's hItemHandle): the control of dialog it is or lies
// in, or the dialog's own for the dialog itself and for a window outside it
// (a button of the property sheet around a page).
DWORD HelpContextOfItem(HWND dialog, HWND item, int templateId, const HelpContextBases& bases);

// The program's own help file: its image path with the extension ".hlp".
// False when the path does not fit.
bool ProgramHelpFile(char (&path)[MAX_PATH]);
