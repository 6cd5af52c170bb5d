#include "common/win32/dialog.h"

INT_PTR CDialog::DoModal(HINSTANCE instance, HWND owner) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId_), owner, DialogProc<ObjectItself>,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::Route(CDialog* created, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = created;
    if (self != nullptr) {
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    const INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR answer = FALSE;
    if (OnMessage(message, wParam, lParam, answer)) return answer;
    switch (message) {
        case WM_INITDIALOG: {
            initialising_ = true;
            const BOOL result = OnInitDialog();
            initialising_ = false;
            return result;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
            if (id == IDOK) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_CONTEXTMENU: {
            const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            return OnContextMenu(reinterpret_cast<HWND>(wParam), screen) ? TRUE : FALSE;
        }
        case WM_HELP: {
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            if (info == nullptr || info->cbSize < sizeof(HELPINFO)) return FALSE;
            return OnHelp(*info) ? TRUE : FALSE;
        }
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        default:
            return FALSE;
    }
}
