#include "common/win32/property_sheet.h"

#include <vector>

#include "common/win32/load_string.h"

HPROPSHEETPAGE CPropertyPage::CreatePage(HINSTANCE instance) {
    title_ = LoadStr(titleId_);
    PROPSHEETPAGEA page{};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.dwFlags = PSP_DEFAULT | PSP_USETITLE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pszTitle = title_.c_str();
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageA(&page);
}

void CPropertyPage::Changed() {
    if (initialising_ || hwnd_ == nullptr) return;
    SendMessageA(GetParent(hwnd_), PSM_CHANGED, reinterpret_cast<WPARAM>(hwnd_), 0);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CPropertyPage* self;
    if (message == WM_INITDIALOG) {
        // comctl32 passes its copy of the PROPSHEETPAGE; ours is in its lParam.
        self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (self == nullptr) return FALSE;
    const INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

INT_PTR CPropertyPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            initialising_ = true;
            const BOOL result = OnInitDialog();
            initialising_ = false;
            return result;
        }
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            switch (header.code) {
                case PSN_SETACTIVE:
                    OnSetActive();
                    result = 0;  // accept the activation
                    break;
                case PSN_KILLACTIVE:
                    result = OnKillActive() ? FALSE : TRUE;
                    break;
                case PSN_APPLY:
                    OnApply();
                    result = PSNRET_NOERROR;
                    break;
                case PSN_QUERYCANCEL:
                    result = OnQueryCancel() ? FALSE : TRUE;
                    break;
                default:
                    if (!OnNotify(header, result)) return FALSE;
                    break;
            }
            SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        default:
            return OnMessage(message, wParam, lParam);
    }
}

INT_PTR CPropertySheet::Run(HINSTANCE instance, HWND owner, DWORD flags) {
    std::vector<HPROPSHEETPAGE> handles;
    for (CPropertyPage* page : pages_) {
        HPROPSHEETPAGE handle = page->CreatePage(instance);
        if (handle == nullptr) {
            for (HPROPSHEETPAGE made : handles) DestroyPropertySheetPage(made);
            return -1;
        }
        handles.push_back(handle);
    }
    const std::string caption = LoadStr(captionId_);
    PROPSHEETHEADERA header{};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_DEFAULT | flags;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = 0;
    header.phpage = handles.data();
    // PropertySheetA owns the pages from here, also when it fails.
    return PropertySheetA(&header);
}

INT_PTR CPropertySheet::DoModal(HINSTANCE instance, HWND owner) { return Run(instance, owner, 0); }

HWND CPropertySheet::CreateModeless(HINSTANCE instance, HWND owner) {
    const INT_PTR result = Run(instance, owner, PSH_MODELESS);
    return result == -1 || result == 0 ? nullptr : reinterpret_cast<HWND>(result);
}
