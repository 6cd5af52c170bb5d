// CHibernationPartitionDlg (134): the disk's capacity and the size of its
// save-to-disk partition, with the chart. Shown instead of the file dialog
// when the first disk has such a partition.
#pragma once

#include <vector>

#include "common/win32/dialog.h"
#include "common/win32/unique_handle.h"
#include "save_to_disk/app/dialog_frame.h"
#include "save_to_disk/core/pie_chart.h"
#include "save_to_disk/shell/sorvault_context.h"

class CHibernationPartitionDlg : public CDialog {
public:
    CHibernationPartitionDlg(SorvaultContext& context, const PartitionProbeResult& probe);

protected:
    BOOL OnInitDialog() override;

private:
    SorvaultContext& context_;
    PartitionProbeResult probe_;
    std::vector<ChartSlice> slices_;
    CDialogFrame frame_;
};
