#include "save_to_disk/app/file_size_input_dlg.h"

#include "common/win32/controls.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/core/drive_space.h"
#include "save_to_disk/core/save_file_layout.h"

namespace {

constexpr int kSizeCharacters = 8;

}  // namespace

CFileSizeInputDlg::CFileSizeInputDlg(SorvaultShell& shell, uint64_t minimalKB)
    : CDialog(IDD_FILE_SIZE_INPUT), shell_(shell), minimalKB_(minimalKB) {}

BOOL CFileSizeInputDlg::OnInitDialog() {
    SendDlgItemMessageA(hwnd(), IDC_SIZE_INPUT, EM_LIMITTEXT, kSizeCharacters, 0);
    ShowMinimalSize();
    return TRUE;
}

void CFileSizeInputDlg::ShowMinimalSize() {
    const std::string minimal = FormatKB(minimalKB_);
    SetItemText(hwnd(), IDC_MINIMAL_SIZE, minimal.c_str());
    SetItemText(hwnd(), IDC_SIZE_INPUT, minimal.c_str());
}

bool CFileSizeInputDlg::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDC_SIZE_OK) {
        Accept();
        return true;
    }
    if (id == IDC_SIZE_CANCEL) {
        EndDialog(hwnd(), 0);
        return true;
    }
    return false;
}

void CFileSizeInputDlg::Accept() {
    char text[kSizeCharacters + 1] = {};
    GetDlgItemTextA(hwnd(), IDC_SIZE_INPUT, text, sizeof text);
    const uint32_t kb = ParseFileSizeText(text);
    if (!IsValidFileSizeKB(kb, minimalKB_)) {
        shell_.ShowMessage(hwnd(), IDS_MSG_INVALID_SIZE);
        ShowMinimalSize();
        return;
    }
    EndDialog(hwnd(), INT_PTR(kb));
}
