// The suite's base class for dialogs made from templates: modal dialogs and,
// through CPropertyPage, the pages of a property sheet.
#pragma once

#include <windows.h>

// One static dialog procedure for every dialog and page: it keeps the object
// that WM_INITDIALOG carries and forwards to the virtual handlers. IDOK and
// IDCANCEL go to OnOK and OnCancel, which end a modal dialog with their id.
class CDialog {
public:
    explicit CDialog(int templateId) : templateId_(templateId) {}
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // DialogBoxParamA over the template in instance; returns the value passed
    // to EndDialog, or -1 when the dialog could not be created.
    INT_PTR DoModal(HINSTANCE instance, HWND owner);

    HWND hwnd() const { return hwnd_; }
    int templateId() const { return templateId_; }

protected:
    virtual ~CDialog() = default;

    // WM_INITDIALOG; Initialising() is true while it runs. Return FALSE when
    // the handler set the focus itself.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(hwnd_, IDOK); }
    virtual void OnCancel() { EndDialog(hwnd_, IDCANCEL); }
    // Return true when the command was handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // Return true when handled; result becomes the dialog's DWLP_MSGRESULT.
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // WM_CONTEXTMENU: window is the one clicked (a control passes it up), at
    // screen position. Return true when handled.
    virtual bool OnContextMenu(HWND /*window*/, POINT /*screen*/) { return false; }
    // WM_HELP, F1 pressed while the dialog or one of its controls had the
    // keyboard focus (or a menu it tracks was open). Return true when handled;
    // otherwise the message goes on to the dialog's parent or owner.
    virtual bool OnHelp(const HELPINFO& /*info*/) { return false; }
    virtual void OnDestroy() {}
    // Any message, before the handlers above: return true when handled, with
    // result as the dialog procedure's answer (the value itself for the
    // messages that answer through it, such as WM_QUERYDRAGICON).
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }

    bool Initialising() const { return initialising_; }

    // Where WM_INITDIALOG's lParam holds the object.
    using ObjectOfInitParam = CDialog* (*)(LPARAM lParam);
    static CDialog* ObjectItself(LPARAM lParam) { return reinterpret_cast<CDialog*>(lParam); }

    // The dialog procedure of every dialog and page; ObjectOf finds the object
    // in WM_INITDIALOG's lParam.
    template <ObjectOfInitParam ObjectOf>
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return Route(message == WM_INITDIALOG ? ObjectOf(lParam) : nullptr, hwnd, message, wParam, lParam);
    }

private:
    // Attaches created (non-null only at WM_INITDIALOG) to hwnd, or finds the
    // object attached, and hands it the message; detaches it at WM_NCDESTROY.
    static INT_PTR Route(CDialog* created, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND hwnd_ = nullptr;
    bool initialising_ = false;
};
