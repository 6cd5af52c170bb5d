// The suite's property page and property sheet, made from dialog templates
// and run by comctl32's PropertySheetA with the structure sizes that comctl32
// 4.00 (Windows 95, NT 4.0) takes.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <span>
#include <string>

#include "common/win32/dialog.h"

// One page of a property sheet: a dialog run by CDialog's procedure, which
// finds the object in the PROPSHEETPAGE that WM_INITDIALOG carries. It maps
// the sheet's notifications to the virtual handlers below. comctl32 creates a
// page when it is first shown, so OnInitDialog runs then and never for a page
// the user does not open; OK and Apply send PSN_APPLY to every page created
// so far, in the sheet's order.
class CPropertyPage : public CDialog {
public:
    // templateId: the page's dialog template; titleId: the string of its tab.
    CPropertyPage(int templateId, UINT titleId) : CDialog(templateId), titleId_(titleId) {}

    // The page as comctl32 takes it: template and title from instance.
    HPROPSHEETPAGE CreatePage(HINSTANCE instance);

protected:
    // PSN_SETACTIVE: the page is about to be shown.
    virtual void OnSetActive() {}
    // PSN_KILLACTIVE: false keeps the user on the page.
    virtual bool OnKillActive() { return true; }
    // PSN_APPLY: OK or Apply was pressed; write the page's settings.
    virtual void OnApply() {}
    // PSN_QUERYCANCEL: false keeps the sheet open.
    virtual bool OnQueryCancel() { return true; }

    // Marks the page modified (PSM_CHANGED), which enables Apply; does
    // nothing while the page initialises itself.
    void Changed();

    // The sheet's OK and Cancel reach a page as the notifications above,
    // never as commands of its own.
    void OnOK() final {}
    void OnCancel() final {}
    bool OnNotify(const NMHDR& header, LRESULT& result) final;

private:
    // A page runs inside its sheet, never as a dialog of its own.
    using CDialog::DoModal;
    static CDialog* ObjectOfPage(LPARAM lParam);

    UINT titleId_;
    std::string title_;
};

// A property sheet from a table of pages, shown in the table's order with the
// first page selected, with OK, Cancel and Apply, centred on the work area.
// F1 on the sheet's own controls (OK, Cancel, Apply, the tabs) reaches the
// page shown as WM_HELP, as F1 on the page does.
class CPropertySheet {
public:
    CPropertySheet(UINT captionId, std::span<CPropertyPage* const> pages) : captionId_(captionId), pages_(pages) {}

    // Runs the sheet modally over owner (nullptr: none); returns PropertySheetA's
    // answer (positive after OK, 0 after Cancel or the close box, -1 when it
    // could not be created).
    INT_PTR DoModal(HINSTANCE instance, HWND owner);
    // The sheet without its own loop, for a caller that runs the messages
    // itself; nullptr when it could not be created. Once OK or Cancel closed
    // it, PropSheet_GetCurrentPageHwnd answers nullptr and the caller destroys
    // the window.
    HWND CreateModeless(HINSTANCE instance, HWND owner);

private:
    INT_PTR Run(HINSTANCE instance, HWND owner, DWORD flags);

    UINT captionId_;
    std::span<CPropertyPage* const> pages_;
};
