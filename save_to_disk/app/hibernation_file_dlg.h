// CHibernationFileDlg (102), the main dialog when the disk has no
// save-to-disk partition: the drive, its capacity, free and used space and
// the save file's size, with the chart; Create Now or Delete; on close, the
// restart when the file came or went.
#pragma once

#include <string>
#include <vector>

#include "common/win32/dialog.h"
#include "common/win32/unique_handle.h"
#include "save_to_disk/app/dialog_frame.h"
#include "save_to_disk/core/drive_space.h"
#include "save_to_disk/core/pie_chart.h"
#include "save_to_disk/shell/sorvault_context.h"

// The candidate drives and the first of them that holds SAVE2DSK.BIN; built
// afresh whenever it is needed.
struct SaveFileLocator {
    std::vector<char> candidates;
    bool found = false;
    char letter = 0;
    uint64_t size = 0;

    explicit SaveFileLocator(SaveFileDisk& disk);
};

class CHibernationFileDlg : public CDialog {
public:
    explicit CHibernationFileDlg(SorvaultContext& context);

    // The marker set once the file was deleted while the dialog is open.
    static constexpr char kDeleteMarker[] = "DELETE";

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { CloseCheck(); }
    void OnCancel() override { CloseCheck(); }
    bool OnCommand(int id, int code, HWND control) override;

private:
    // The file's size, the notice, the button and the drive's space; locator
    // is what the disk holds now.
    bool RefreshDisplay(const SaveFileLocator& locator);
    void RepaintChart();
    void OnDriveChanged();
    void OnCreateOrDelete();
    void CloseCheck();
    void RestartStep();
    char SelectedLetter() const;
    void SelectLetter(char letter);
    uint64_t SaveFileSizeOn(char letter);
    void ShowValue(int id, uint64_t kb);

    SorvaultContext& context_;
    char current_ = 0;
    bool existedAtStart_ = false;
    bool presentNow_ = false;
    uint64_t fileSize_ = 0;
    std::string actionMarker_;
    DriveSpaceInfo space_;
    std::vector<ChartSlice> slices_;
    CDialogFrame frame_;
};
