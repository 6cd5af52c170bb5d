// CFileSizeInputDlg (136): asks the size of the save file in KB, at least the
// minimal size and at most 4194303. DoModal gives the chosen size, or 0.
#pragma once

#include <cstdint>

#include "common/win32/dialog.h"
#include "save_to_disk/shell/sorvault_shell.h"

class CFileSizeInputDlg : public CDialog {
public:
    CFileSizeInputDlg(SorvaultShell& shell, uint64_t minimalKB);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { Accept(); }
    void OnCancel() override { EndDialog(hwnd(), 0); }
    bool OnCommand(int id, int code, HWND control) override;

private:
    void ShowMinimalSize();
    void Accept();

    SorvaultShell& shell_;
    uint64_t minimalKB_;
};
