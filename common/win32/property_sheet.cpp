#include "common/win32/property_sheet.h"

#include <algorithm>
#include <vector>

#include "common/win32/load_string.h"

HPROPSHEETPAGE CPropertyPage::CreatePage(HINSTANCE instance) {
    title_ = LoadStr(titleId_);
    PROPSHEETPAGEA page{};
    page.dwSize = PROPSHEETPAGEA_V1_SIZE;
    page.dwFlags = PSP_DEFAULT | PSP_USETITLE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId());
    page.pszTitle = title_.c_str();
    page.pfnDlgProc = DialogProc<ObjectOfPage>;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return CreatePropertySheetPageA(&page);
}

CDialog* CPropertyPage::ObjectOfPage(LPARAM lParam) {
    // comctl32 passes its copy of the PROPSHEETPAGE; ours is in its lParam.
    return reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
}

void CPropertyPage::Changed() {
    if (Initialising() || hwnd() == nullptr) return;
    SendMessageA(GetParent(hwnd()), PSM_CHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
}

bool CPropertyPage::OnNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case PSN_SETACTIVE:
            OnSetActive();
            result = 0;  // accept the activation
            return true;
        case PSN_KILLACTIVE:
            result = OnKillActive() ? FALSE : TRUE;
            return true;
        case PSN_APPLY:
            OnApply();
            result = PSNRET_NOERROR;
            return true;
        case PSN_QUERYCANCEL:
            result = OnQueryCancel() ? FALSE : TRUE;
            return true;
        default:
            return false;
    }
}

namespace {

// The window property that keeps the sheet's own procedure.
constexpr char kSheetProcedure[] = "SuiteSheetProcedure";

LRESULT CALLBACK SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto own = reinterpret_cast<WNDPROC>(GetPropA(sheet, kSheetProcedure));
    if (own == nullptr) return DefWindowProcA(sheet, message, wParam, lParam);
    if (message == WM_HELP && lParam != 0) {
        // From a control of the sheet's own; help that comes up from the
        // page (which did not take it) goes on as usual.
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        HWND item = static_cast<HWND>(reinterpret_cast<const HELPINFO*>(lParam)->hItemHandle);
        if (page != nullptr && item != page && !IsChild(page, item)) return SendMessageA(page, message, wParam, lParam);
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        RemovePropA(sheet, kSheetProcedure);
    }
    return CallWindowProcA(own, sheet, message, wParam, lParam);
}

// F1 on the sheet's own controls goes to the page shown (SheetProc).
void PassHelpToPages(HWND sheet) {
    const LONG_PTR own = GetWindowLongPtrA(sheet, GWLP_WNDPROC);
    if (own != 0 && SetPropA(sheet, kSheetProcedure, reinterpret_cast<HANDLE>(own)))
        SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetProc));
}

// comctl32 puts a sheet without owner at the default place, the screen's top
// left, and sizes it to its largest page while it initialises; once that is
// done the sheet is centred on the work area, where DS_CENTER puts the
// suite's dialogs.
void CentreOnWorkArea(HWND sheet) {
    RECT work, window;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(sheet, &window)) return;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    // A sheet larger than the work area keeps its caption on the screen.
    const int left = work.left + std::max(0, static_cast<int>(work.right - work.left - width) / 2);
    const int top = work.top + std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);
    SetWindowPos(sheet, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Once comctl32 has built and sized the sheet.
int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
    PassHelpToPages(sheet);
    CentreOnWorkArea(sheet);
    return 0;
}

}  // namespace

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
    header.dwFlags = PSH_DEFAULT | PSH_USECALLBACK | flags;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(handles.size());
    header.nStartPage = 0;
    header.phpage = handles.data();
    header.pfnCallback = SheetCallback;
    // PropertySheetA owns the pages from here, also when it fails.
    return PropertySheetA(&header);
}

INT_PTR CPropertySheet::DoModal(HINSTANCE instance, HWND owner) { return Run(instance, owner, 0); }

HWND CPropertySheet::CreateModeless(HINSTANCE instance, HWND owner) {
    const INT_PTR result = Run(instance, owner, PSH_MODELESS);
    return result == -1 || result == 0 ? nullptr : reinterpret_cast<HWND>(result);
}
