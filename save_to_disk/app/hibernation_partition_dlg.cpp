#include "save_to_disk/app/hibernation_partition_dlg.h"

#include <commctrl.h>

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/app/classic_tab.h"
#include "save_to_disk/app/pie_chart_control.h"
#include "save_to_disk/core/drive_space.h"

CHibernationPartitionDlg::CHibernationPartitionDlg(SorvaultContext& context, const PartitionProbeResult& probe)
    : CDialog(IDD_HIBERNATION_PARTITION), context_(context), probe_(probe) {}

BOOL CHibernationPartitionDlg::OnInitDialog() {
    bigIcon_.reset(static_cast<HICON>(LoadImageA(context_.instance, MAKEINTRESOURCEA(IDI_SORVAULT_PROGRAM),
                                                 IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(context_.instance, MAKEINTRESOURCEA(IDI_SORVAULT_PROGRAM),
                                                   IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    std::string tab = LoadStr(IDS_PARTITION_TAB);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab.data();
    UseClassicTabLook(GetDlgItem(hwnd(), IDC_PARTITION_TAB));
    SendDlgItemMessageA(hwnd(), IDC_PARTITION_TAB, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetItemText(hwnd(), IDC_PARTITION_SIZE, FormatKB(probe_.partitionKB).c_str());
    SetItemText(hwnd(), IDC_CAPACITY, FormatKB(probe_.capacityKB).c_str());
    PlacePieChart(hwnd(), IDC_CHART);
    slices_ = PartitionChartSlices(probe_.partitionKB, probe_.capacityKB);
    SetPieChartSlices(GetDlgItem(hwnd(), IDC_CHART), &slices_);
    return TRUE;
}
