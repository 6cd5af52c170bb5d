#include "save_to_disk/app/hibernation_file_dlg.h"

#include <commctrl.h>

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/app/create_save_file.h"
#include "save_to_disk/app/dialog_frame.h"
#include "save_to_disk/app/pie_chart_control.h"

SaveFileLocator::SaveFileLocator(SaveFileDisk& disk) : candidates(disk.CandidateDrives()) {
    for (char candidate : candidates) {
        uint64_t bytes;
        if (disk.FindSaveFile(candidate, bytes)) {
            found = true;
            letter = candidate;
            size = bytes;
            return;
        }
    }
}

CHibernationFileDlg::CHibernationFileDlg(SorvaultContext& context)
    : CDialog(IDD_HIBERNATION_FILE), context_(context) {}

BOOL CHibernationFileDlg::OnInitDialog() {
    frame_.SetUp(hwnd(), context_.instance, IDC_FILE_TAB, IDS_FILE_TAB);
    PlacePieChart(hwnd(), IDC_CHART);

    const SaveFileLocator locator(context_.disk);
    for (char letter : locator.candidates) {
        const char entry[2] = {letter, '\0'};
        SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    if (locator.found) {
        SelectLetter(locator.letter);
        current_ = locator.letter;
        existedAtStart_ = true;
        presentNow_ = true;
        fileSize_ = locator.size;
        context_.disk.TouchSaveFile(locator.letter);
    } else {
        SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_SETCURSEL, 0, 0);
        current_ = SelectedLetter();
        fileSize_ = 0;
    }
    RefreshDisplay(locator);
    RepaintChart();
    return TRUE;
}

char CHibernationFileDlg::SelectedLetter() const {
    const LRESULT index = SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return 0;
    char text[8] = {};
    if (SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_GETLBTEXTLEN, WPARAM(index), 0) >= LRESULT(sizeof text)) return 0;
    SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
    return text[0];
}

void CHibernationFileDlg::SelectLetter(char letter) {
    const char entry[2] = {letter, '\0'};
    const LRESULT index =
        SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry));
    if (index != CB_ERR) SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_SETCURSEL, WPARAM(index), 0);
}

uint64_t CHibernationFileDlg::SaveFileSizeOn(char letter) {
    uint64_t bytes = 0;
    if (letter == 0 || !context_.disk.FindSaveFile(letter, bytes)) return 0;
    return bytes;
}

void CHibernationFileDlg::ShowValue(int id, uint64_t kb) { SetItemText(hwnd(), id, FormatKB(kb).c_str()); }

bool CHibernationFileDlg::RefreshDisplay(const SaveFileLocator& locator) {
    ShowValue(IDC_FILE_SIZE, KBRoundedUp(fileSize_));
    ShowWindow(GetDlgItem(hwnd(), IDC_INTERNAL_DISK_NOTICE), locator.found ? SW_HIDE : SW_SHOW);
    SetItemText(hwnd(), IDC_CREATE_DELETE, LoadStr(locator.found ? IDS_DELETE : IDS_CREATE_NOW).c_str());
    // Without a candidate drive there is nothing to ask about and nothing to create.
    EnableItem(hwnd(), IDC_CREATE_DELETE, current_ != 0);
    if (current_ == 0) {
        space_ = DriveSpaceInfo{};
    } else {
        DriveSpaceInfo space;
        if (!QueryDriveSpace(hwnd(), context_, current_, fileSize_, space)) return false;
        space_ = space;
    }
    ShowValue(IDC_CAPACITY, space_.capacityKB);
    ShowValue(IDC_FREE_SPACE, space_.freeKB);
    ShowValue(IDC_USED_SPACE, space_.usedKB);
    return true;
}

void CHibernationFileDlg::RepaintChart() {
    slices_ = FileChartSlices(KBRoundedUp(fileSize_), space_.freeKB, space_.usedKB, space_.capacityKB);
    SetPieChartSlices(GetDlgItem(hwnd(), IDC_CHART), &slices_);
}

bool CHibernationFileDlg::OnCommand(int id, int code, HWND) {
    if (id == IDC_DRIVE && code == CBN_SELCHANGE) {
        OnDriveChanged();
        return true;
    }
    if (id == IDC_CREATE_DELETE && code == BN_CLICKED) {
        OnCreateOrDelete();
        return true;
    }
    return false;
}

void CHibernationFileDlg::OnDriveChanged() {
    const char previous = current_;
    current_ = SelectedLetter();
    fileSize_ = SaveFileSizeOn(current_);
    const SaveFileLocator locator(context_.disk);
    if (!RefreshDisplay(locator)) {
        current_ = previous;
        SelectLetter(previous);
        fileSize_ = SaveFileSizeOn(previous);
        RefreshDisplay(locator);
    }
    RepaintChart();
}

void CHibernationFileDlg::OnCreateOrDelete() {
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const char selected = SelectedLetter();
    const SaveFileLocator before(context_.disk);
    if (before.found) {
        char letter = before.letter;
        uint64_t bytes;
        if (selected != 0 && selected != letter && context_.disk.FindSaveFile(selected, bytes)) letter = selected;
        context_.disk.DeleteSaveFile(letter);
        actionMarker_ = kDeleteMarker;
    } else if (selected != 0) {
        CreateSaveFile(hwnd(), context_, selected);
        current_ = selected;
    }
    const SaveFileLocator after(context_.disk);
    if (after.found) {
        SelectLetter(after.letter);
        current_ = after.letter;
        fileSize_ = after.size;
        presentNow_ = true;
    } else {
        SendDlgItemMessageA(hwnd(), IDC_DRIVE, CB_SETCURSEL, 0, 0);
        current_ = SelectedLetter();
        fileSize_ = 0;
        presentNow_ = false;
    }
    RefreshDisplay(after);
    RepaintChart();
    SetCursor(previous);
}

void CHibernationFileDlg::CloseCheck() {
    const SaveFileLocator locator(context_.disk);
    if (locator.found) {
        context_.disk.TouchSaveFile(locator.letter);
        if (!existedAtStart_ || actionMarker_ == kDeleteMarker) RestartStep();
    } else if (existedAtStart_) {
        RestartStep();
    }
    EndDialog(hwnd(), IDOK);
}

void CHibernationFileDlg::RestartStep() {
    context_.shell.ShowMessage(hwnd(), IDS_MSG_RESTART);
    context_.shell.RestartWindows();
}
