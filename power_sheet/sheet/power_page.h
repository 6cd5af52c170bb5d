// What the three pages of the Power Management sheet share: the program's
// context, "What is this?" help and F1. A right button press anywhere over a
// page, over its controls too, pops up the one-item help menu at that point;
// the press then goes on to its control as usual. F1 shows the popup topic of
// the control that has the focus, or the page's own when the focus is on the
// sheet's buttons or tabs.
#pragma once

#include <windows.h>

#include "common/win32/property_sheet.h"
#include "power_sheet/shell/corvessa_context.h"

class CPowerPage : public CPropertyPage {
public:
    CPowerPage(CorvessaContext context, int templateId, UINT titleId)
        : CPropertyPage(templateId, titleId), context_(context) {}

protected:
    // The page's own WM_INITDIALOG.
    virtual void OnInitPage() {}
    // The page's own commands; true when handled.
    virtual bool OnPageCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }

    CorvessaContext& context() { return context_; }

private:
    BOOL OnInitDialog() final;
    bool OnCommand(int id, int code, HWND control) final;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) final;
    bool OnHelp(const HELPINFO& info) final;

    void WatchRightButton(HWND control);
    void ShowWhatsThisMenu(POINT screen);
    void ShowHelp(DWORD helpContext);
    static LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    CorvessaContext context_;
    POINT lastRightClick_{};
};
