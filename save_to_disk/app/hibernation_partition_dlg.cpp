#include "save_to_disk/app/hibernation_partition_dlg.h"

#include <commctrl.h>

#include "common/win32/controls.h"
#include "common/win32/load_string.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/app/dialog_frame.h"
#include "save_to_disk/app/pie_chart_control.h"
#include "save_to_disk/core/drive_space.h"

CHibernationPartitionDlg::CHibernationPartitionDlg(SorvaultContext& context, const PartitionProbeResult& probe)
    : CDialog(IDD_HIBERNATION_PARTITION), context_(context), probe_(probe) {}

BOOL CHibernationPartitionDlg::OnInitDialog() {
    frame_.SetUp(hwnd(), context_.instance, IDC_PARTITION_TAB, IDS_PARTITION_TAB);
    SetItemText(hwnd(), IDC_PARTITION_SIZE, FormatKB(probe_.partitionKB).c_str());
    SetItemText(hwnd(), IDC_CAPACITY, FormatKB(probe_.capacityKB).c_str());
    PlacePieChart(hwnd(), IDC_CHART);
    slices_ = PartitionChartSlices(probe_.partitionKB, probe_.capacityKB);
    SetPieChartSlices(GetDlgItem(hwnd(), IDC_CHART), &slices_);
    return TRUE;
}
